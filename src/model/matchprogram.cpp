#include "matchprogram.h"

#include "targetface.h"

#include <QCoreApplication>

namespace ankerblick {

namespace {

QList<TimedSeries> repeated(std::initializer_list<int> seconds, int times) {
    QList<TimedSeries> series;
    for (int s : seconds)
        for (int i = 0; i < times; ++i)
            series.append({s, false});
    return series;
}

// Every program but the timed ones has a 15-minute preparation and
// sighting time.
constexpr int kSightingMinutes = 15;

MatchProgram untimed(const char* name, Discipline discipline, int shots, int minutes,
                     const QStringList& positions = {}) {
    return {QString::fromUtf8(name), int(discipline), shots, minutes,
            kSightingMinutes,        positions,       {}};
}

MatchProgram timed(const char* name, Discipline discipline, int shots,
                   const QList<TimedSeries>& series) {
    return {QString::fromUtf8(name), int(discipline), shots, 0, 0, {}, series};
}

QList<MatchProgram> makePrograms() {
    const QStringList threePositions{QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Kniend")),
                                     QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Liegend")),
                                     QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Stehend"))};
    using enum Discipline;
    QList<TimedSeries> rapidFire = repeated({8, 6, 4}, 2);
    rapidFire += rapidFire;
    QList<TimedSeries> duel;
    for (int i = 0; i < 6; ++i)
        duel.append({0, true});
    // Match times of the ISSF rifle and pistol event tables; the supported
    // (Auflage) programs as the German clubs shoot them.
    return {
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "LG 40"), LG10m, 40, 50),
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "LG 60"), LG10m, 60, 75),
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "LP 40"), LP, 40, 50),
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "LP 60"), LP, 60, 75),
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "KK liegend 60"), Gewehr50m, 60, 50),
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "KK 3×20"), Gewehr50m, 60, 90, threePositions),
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "KK 3×40"), Gewehr50m, 120, 165, threePositions),
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "Gewehr 300m liegend 60"), Gewehr300m, 60, 75),
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "Auflage LG 30"), LG10m, 30, 45),
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "Auflage LP 30"), LP, 30, 45),
        untimed(QT_TRANSLATE_NOOP("MatchProgram", "Freie Pistole 60"), FpSp100m, 60, 90),
        timed(QT_TRANSLATE_NOOP("MatchProgram", "Schnellfeuerpistole 60 (8, 6, 4 s)"), OspSp, 60,
              rapidFire),
        timed(QT_TRANSLATE_NOOP("MatchProgram", "Standardpistole 60 (150, 20, 10 s)"), FpSp100m, 60,
              repeated({150, 20, 10}, 4)),
        timed(QT_TRANSLATE_NOOP("MatchProgram", "Sportpistole Duell 30"), OspSp, 30, duel),
    };
}

} // namespace

QString shownName(const QString& name) {
    return QCoreApplication::translate("MatchProgram", name.toUtf8().constData());
}

QString MatchProgram::position(int shot) const {
    if (positions.isEmpty() || matchShots <= 0 || shot < 0)
        return {};
    const int share = matchShots / int(positions.size());
    return positions.at(qMin(shot / share, int(positions.size()) - 1));
}

const QList<MatchProgram>& matchPrograms() {
    static const QList<MatchProgram> programs = makePrograms();
    return programs;
}

QList<RangeCommand> rangeCommands(const TimedSeries& series) {
    QList<RangeCommand> commands{{0, RangeSignal::Attention}};
    if (!series.duel) {
        commands.append({kAttentionToStartMs, RangeSignal::Start});
        commands.append({kAttentionToStartMs + series.seconds * 1000, RangeSignal::Stop});
        return commands;
    }
    for (int shot = 0; shot < 5; ++shot) {
        const int on = kDuelOffMs + shot * (kDuelOffMs + kDuelOnMs);
        commands.append({on, RangeSignal::Start});
        commands.append({on + kDuelOnMs, RangeSignal::Stop});
    }
    return commands;
}

int seriesTimeMs(const TimedSeries& series) {
    const QList<RangeCommand> commands = rangeCommands(series);
    return commands.last().atMs - commands.at(1).atMs;
}

} // namespace ankerblick
