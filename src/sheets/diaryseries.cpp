#include "diaryseries.h"

#include "groupreport.h"
#include "timelines.h"

#include <QRegularExpression>

#include <array>

namespace ankerblick::diary {

using namespace Qt::StringLiterals;

namespace {

using PerSlot = std::array<std::optional<double>, kShotsPerSeries>;

// The slot a shot number of the texts names; -1 for none of the series.
int slotOf(int shot) {
    return shot >= 1 && shot <= kShotsPerSeries ? shot - 1 : -1;
}

PerSlot timesOf(const QString& text, int number, const QLocale& locale) {
    PerSlot times;
    for (const timeanalysis::TimeEntry& e : timeanalysis::parseTimeLines(text, locale)) {
        const int slot = slotOf(e.shot);
        if (e.series == number && slot >= 0 && e.seconds)
            times[size_t(slot)] = e.seconds;
    }
    return times;
}

// The comments the window wrote as "Serie: 2 Schuss: 7: text". A line that
// starts no comment continues the one before (a comment typed with a line
// break); several comments on one shot are kept one after the other.
std::array<QString, kShotsPerSeries> commentsOf(const QString& text, int number) {
    static const QRegularExpression start(u"^Serie:\\s*(\\d+)\\s*Schuss:\\s*(\\d+):\\s?(.*)$"_s);
    std::array<QString, kShotsPerSeries> comments;
    QString* last = nullptr;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        const QRegularExpressionMatch m = start.match(line);
        if (!m.hasMatch()) {
            if (last && !line.isEmpty())
                *last += u' ' + line.toString();
            continue;
        }
        const int slot = slotOf(m.captured(2).toInt());
        last = nullptr;
        if (m.captured(1).toInt() != number || slot < 0)
            continue;
        last = &comments[size_t(slot)];
        const QString comment = m.captured(3).trimmed();
        if (!last->isEmpty() && !comment.isEmpty())
            *last += u"; "_s;
        *last += comment;
    }
    return comments;
}

} // namespace

Series diarySeries(const SeriesRecord& record, int number, const TargetFace& face,
                   const RatingOptions* options, const SeriesTexts& texts, const QLocale& locale,
                   const QDateTime& time) {
    Series series{number, record, {}, time};
    const QList<group::Shot> placed = group::shotsOf(record, face, options);
    const PerSlot shotTimes = timesOf(texts.shotTimes, number, locale);
    const PerSlot shootingTimes = timesOf(texts.shootingTimes, number, locale);
    const auto comments = commentsOf(texts.comments, number);
    qsizetype next = 0;
    for (int slot = 0; slot < kShotsPerSeries; ++slot) {
        if (!record.hasShot(slot))
            continue;
        const auto s = size_t(slot);
        const group::Shot& p = placed[next++];
        Shot shot{slot,     p.hit,        p.call,       std::nullopt,     std::nullopt,
                  p.rating, std::nullopt, shotTimes[s], shootingTimes[s], comments[s]};
        shot.value =
            tryHitValue(record.hitMarkCentre(slot, face.markDiameter()), face.centre(), face.scoring());
        if (p.call) {
            const std::optional<RingValue> cv =
                tryCallValue(record.callMarkCentre(slot, face.markDiameter()), face.centre(),
                             face.scoring());
            if (cv)
                shot.callValue = cv->value;
            if (const std::optional<CallRating> r = group::rateSlot(record, slot, face, *options))
                shot.sekMm = r->sekMm;
        }
        series.shots.append(shot);
    }
    return series;
}

SeriesFileContent windowContent(const Training& training, const QList<Series>& series) {
    SeriesFileContent content;
    for (const Series& s : series) {
        while (content.series.size() < s.number - 1)
            content.series.append(SeriesRecord{});
        content.series.append(s.record);
    }
    content.comments = training.comments;
    content.shotTimes = training.shotTimes;
    content.shootingTimes = training.shootingTimes;
    return content;
}

} // namespace ankerblick::diary
