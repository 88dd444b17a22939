#include "match.h"

#include "groupreport.h"
#include "model/numeric.h"
#include "model/scoring.h"
#include "seriesscore.h"

#include <QCoreApplication>

namespace ankerblick {

namespace {
constexpr qint64 kFiveMinutesMs = 5 * 60 * 1000;

quint32 after(quint32 now, int minutes) {
    return now + quint32(minutes) * 60000u;
}

// Milliseconds from `now` to `end` on the wrapping 32-bit clock; negative once passed.
qint64 until(quint32 now, quint32 end) {
    return qint64(qint32(end - now));
}
} // namespace

void Match::start(TargetSheet& sheet, const MatchProgram& program, quint32 now,
                  std::optional<double> calibre) {
    m_program = program;
    m_final.reset();
    m_fiveMinutesTold = false;
    m_timeUpTold = false;
    m_timedIndex = 0;
    m_seriesRunning = false;
    m_firstMatchSeries = 0;
    sheet.newSession();
    sheet.setDiscipline(program.discipline, calibre);
    sheet.addProgramMark(program.name);
    sheet.setSeriesLength(program.seriesLength());
    sheet.setSighting(true);
    m_phase = MatchPhase::Sighting;
    m_phaseEnd.reset();
    if (program.sightingMinutes > 0)
        m_phaseEnd = after(now, program.sightingMinutes);
}

void Match::beginMatchShots(TargetSheet& sheet, quint32 now) {
    sheet.selectNewestSeries();
    if (!sheet.listedSlots().isEmpty())
        sheet.nextSeries();
    sheet.setSighting(false);
    m_firstMatchSeries = sheet.seriesCount();
    m_phase = MatchPhase::Match;
    m_phaseEnd.reset();
    sheet.setDeadline(std::nullopt);
    if (m_program.minutes > 0) {
        m_phaseEnd = after(now, m_program.minutes);
        sheet.setDeadline(m_phaseEnd);
    }
}

void Match::endSighting(TargetSheet& sheet, quint32 now) {
    if (m_phase == MatchPhase::Sighting)
        beginMatchShots(sheet, now);
}

void Match::end(TargetSheet& sheet) {
    if (!running())
        return;
    if (m_phase == MatchPhase::Sighting)
        sheet.setSighting(false);
    m_final = figures(sheet);
    m_phase = MatchPhase::Ended;
    m_phaseEnd.reset();
    m_seriesRunning = false;
    sheet.setDeadline(std::nullopt);
    sheet.setStartSignal(std::nullopt);
}

MatchNotice Match::tick(TargetSheet& sheet, quint32 now) {
    if (m_phase == MatchPhase::Sighting) {
        if (m_phaseEnd && until(now, *m_phaseEnd) <= 0) {
            beginMatchShots(sheet, now);
            return MatchNotice::SightingOver;
        }
        return MatchNotice::None;
    }
    if (m_phase != MatchPhase::Match)
        return MatchNotice::None;
    if (figures(sheet).shots >= m_program.matchShots) {
        end(sheet);
        return MatchNotice::None;
    }
    if (!m_phaseEnd)
        return MatchNotice::None;
    const qint64 left = until(now, *m_phaseEnd);
    if (left <= 0 && !m_timeUpTold) {
        m_timeUpTold = true;
        m_fiveMinutesTold = true;
        return MatchNotice::TimeUp;
    }
    if (left <= kFiveMinutesMs && !m_fiveMinutesTold) {
        m_fiveMinutesTold = true;
        return MatchNotice::FiveMinutes;
    }
    return MatchNotice::None;
}

QList<RangeCommand> Match::startTimedSeries(TargetSheet& sheet) {
    if (!m_program.timed() || m_seriesRunning || !running())
        return {};
    sheet.selectNewestSeries();
    if (!sheet.listedSlots().isEmpty())
        sheet.nextSeries();
    m_seriesRunning = true;
    m_seriesEnd.reset();
    const int index = m_phase == MatchPhase::Match ? m_timedIndex : 0;
    return rangeCommands(m_program.timedSeries.value(index));
}

void Match::startSignal(TargetSheet& sheet, quint32 at) {
    if (!m_seriesRunning)
        return;
    const int index = m_phase == MatchPhase::Match ? m_timedIndex : 0;
    const int ms = seriesTimeMs(m_program.timedSeries.value(index));
    m_seriesEnd = at + quint32(ms);
    sheet.setDeadline(m_seriesEnd, true);
    sheet.setStartSignal(at);
}

void Match::seriesOver() {
    if (!m_seriesRunning)
        return;
    m_seriesRunning = false;
    if (m_phase == MatchPhase::Match)
        m_timedIndex = qMin(m_timedIndex + 1, int(m_program.timedSeries.size()) - 1);
}

std::optional<qint64> Match::remaining(quint32 now) const {
    if (!running() || !m_phaseEnd)
        return std::nullopt;
    return qMax<qint64>(0, until(now, *m_phaseEnd));
}

QString Match::clockText(qint64 ms) {
    const qint64 seconds = (qMax<qint64>(0, ms) + 999) / 1000;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString Match::statusText(quint32 now) const {
    switch (m_phase) {
    case MatchPhase::None:
        return {};
    case MatchPhase::Ended:
        return QCoreApplication::translate("ankerblick::Match", "Wettkampf beendet");
    case MatchPhase::Sighting:
    case MatchPhase::Match:
        break;
    }
    const bool sighting = m_phase == MatchPhase::Sighting;
    const std::optional<qint64> left = remaining(now);
    QString text;
    if (!left)
        text = sighting ? QCoreApplication::translate("ankerblick::Match", "Probe")
                        : QCoreApplication::translate("ankerblick::Match", "Wertung");
    else
        text = (sighting ? QCoreApplication::translate("ankerblick::Match", "Probe %1")
                         : QCoreApplication::translate("ankerblick::Match", "Wertung %1"))
                   .arg(clockText(*left));
    if (m_program.timed() && m_phase == MatchPhase::Match)
        text = QCoreApplication::translate("ankerblick::Match", "%1 – Serie %2 von %3")
                   .arg(text, QString::number(m_timedIndex + 1),
                        QString::number(m_program.timedSeries.size()));
    if (m_seriesRunning)
        text = m_seriesEnd
                   ? QCoreApplication::translate("ankerblick::Match", "%1 %2",
                                                 "the match's state, the series' time left")
                         .arg(text, clockText(qMax<qint64>(0, until(now, *m_seriesEnd))))
                   : QCoreApplication::translate("ankerblick::Match", "%1 – Achtung").arg(text);
    return text;
}

MatchFigures Match::figures(const TargetSheet& sheet) const {
    if (m_final)
        return *m_final;
    MatchFigures f;
    if (m_firstMatchSeries < 1)
        return f;
    const TargetFace& face = sheet.face();
    for (int n = m_firstMatchSeries; n <= sheet.seriesCount(); ++n) {
        // The newest series keeps its figures to itself while its hits are hidden.
        if (sheet.isSighterSeries(n) || !sheet.store().contains(n) ||
            (n == sheet.seriesCount() && n == sheet.selectedSeries() &&
             sheet.concealsSelectedSeries()))
            continue;
        const SeriesScore score = scoreSeries(sheet.store()[n], face, sheet.rulesOf(n), nullptr);
        SeriesSums sums;
        bool any = false;
        for (const SlotScore& shot : score.shots) {
            if (!shot.counts || f.shots >= m_program.matchShots)
                continue;
            sums.add(*shot.value);
            f.innerTens += shot.innerTen ? 1 : 0;
            ++f.shots;
            any = true;
        }
        if (!any)
            continue;
        f.seriesNumbers.append(n);
        f.seriesTenths.append(sums.tenths.value());
        f.seriesWhole.append(sums.whole.value());
        f.tenths = RunningSum::shown(f.tenths + sums.tenths.value());
        f.whole = RunningSum::shown(f.whole + sums.whole.value());
    }
    if (f.shots > 0)
        f.projected = num::roundHalfEven(f.tenths / f.shots * m_program.matchShots * 10.0) / 10.0;
    return f;
}

QString Match::figuresText(const TargetSheet& sheet, const QLocale& locale) const {
    if (m_phase == MatchPhase::None || m_phase == MatchPhase::Sighting)
        return {};
    const MatchFigures f = figures(sheet);
    return QCoreApplication::translate("ankerblick::Match",
                                       "%1 Schuss: %2 (%3), Innenzehner %4, Hochrechnung %5")
        .arg(f.shots)
        .arg(num::formatNumber(f.tenths, locale), num::formatNumber(f.whole, locale))
        .arg(f.innerTens)
        .arg(num::formatNumber(f.projected, locale));
}

MatchResult Match::result(const TargetSheet& sheet, const QString& shooter, const QDate& day,
                          const RatingOptions* options, double clickMm,
                          const QLocale& locale) const {
    const MatchFigures f = figures(sheet);
    MatchResult r;
    r.title = QCoreApplication::translate("ankerblick::Match", "Wettkampf %1")
                  .arg(shownName(m_program.name));
    if (!shooter.isEmpty())
        r.title += QStringLiteral(" – ") + shooter;
    r.title += QStringLiteral(", ") + day.toString(QStringLiteral("dd.MM.yyyy"));
    for (qsizetype i = 0; i < f.seriesNumbers.size(); ++i)
        r.series.append({int(i) + 1, num::formatNumber(f.seriesWhole.at(i), locale),
                         num::formatNumber(f.seriesTenths.at(i), locale)});
    r.totalWhole = num::formatNumber(f.whole, locale);
    r.totalTenths = num::formatNumber(f.tenths, locale);
    r.counts << QCoreApplication::translate("ankerblick::Match", "Innenzehner: %1").arg(f.innerTens)
             << QCoreApplication::translate("ankerblick::Match", "Wertungsschüsse: %1 von %2")
                    .arg(f.shots)
                    .arg(m_program.matchShots);
    int sighters = 0;
    int late = 0;
    QList<group::Shot> shots;
    for (int n = 1; n <= sheet.seriesCount(); ++n) {
        if (!sheet.store().contains(n))
            continue;
        const SeriesRecord& record = sheet.store()[n];
        for (int slot = 0; slot < kShotsPerSeries; ++slot) {
            if (!record.hasShot(slot))
                continue;
            if (sheet.isSighterSeries(n))
                ++sighters;
            else if (sheet.isLate(n, slot))
                ++late;
        }
        if (f.seriesNumbers.contains(n))
            shots += group::shotsOf(record, sheet.face(), options);
    }
    r.counts << QCoreApplication::translate("ankerblick::Match", "Probeschüsse: %1").arg(sighters);
    if (late > 0)
        r.counts << QCoreApplication::translate("ankerblick::Match",
                                                "Nach Zeit (mit 0 gewertet): %1")
                        .arg(late);
    r.figures = group::reportLines(group::analyse(shots), clickMm, locale);
    return r;
}

QString Match::nextPosition(const TargetSheet& sheet) const {
    if (m_phase != MatchPhase::Match)
        return m_program.position(0);
    return m_program.position(figures(sheet).shots);
}

} // namespace ankerblick
