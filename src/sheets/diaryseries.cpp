#include "diaryseries.h"

#include "groupreport.h"
#include "seriesscore.h"

#include <array>

namespace ankerblick::diary {

using namespace Qt::StringLiterals;

namespace {

using PerSlot = std::array<std::optional<double>, kShotsPerSeries>;

// The slot a shot number of the notes names; -1 for none of the series.
int slotOf(int shot) {
    return shot >= 1 && shot <= kShotsPerSeries ? shot - 1 : -1;
}

PerSlot timesOf(const QList<ShotNote>& notes, int number) {
    PerSlot times;
    for (const ShotNote& n : notes) {
        const int slot = slotOf(n.shot);
        if (n.series == number && slot >= 0 && n.seconds)
            times[size_t(slot)] = n.seconds;
    }
    return times;
}

std::array<QString, kShotsPerSeries> commentsOf(const QList<ShotNote>& notes, int number) {
    std::array<QString, kShotsPerSeries> comments;
    for (const ShotNote& n : notes) {
        const int slot = slotOf(n.shot);
        if (n.series != number || slot < 0)
            continue;
        QString& kept = comments[size_t(slot)];
        const QString comment = n.text.trimmed();
        if (!kept.isEmpty() && !comment.isEmpty())
            kept += u"; "_s;
        kept += comment;
    }
    return comments;
}

} // namespace

Series diarySeries(const SeriesRecord& record, int number, const TargetFace& face,
                   const RatingOptions* options, const ShotNotes& notes, const QDateTime& time) {
    Series series{number, record, {}, time};
    const SeriesRules rules = SeriesRules::of(notes.comments, number);
    series.sighter = rules.sighter;
    const PerSlot shotTimes = timesOf(notes.shotTimes, number);
    const PerSlot shootingTimes = timesOf(notes.shootingTimes, number);
    const auto comments = commentsOf(notes.comments, number);
    for (const SlotScore& scored : scoreSeries(record, face, rules, options).shots) {
        const auto s = size_t(scored.slot);
        const group::Shot& p = scored.shot;
        series.shots.append(
            {scored.slot, p.hit, p.call, scored.value, scored.callValue, p.rating,
             scored.rating ? std::optional<qint32>(scored.rating->sekMm) : std::nullopt,
             shotTimes[s], shootingTimes[s], comments[s], scored.innerTen});
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
