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

QList<MatchProgram> makePrograms() {
    const QStringList threePositions{QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Kniend")),
                                     QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Liegend")),
                                     QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Stehend"))};
    const int lg = int(Discipline::LG10m);
    const int lp = int(Discipline::LP);
    const int kk = int(Discipline::Gewehr50m);
    const int precision = int(Discipline::FpSp100m);
    const int rapid = int(Discipline::OspSp);
    QList<TimedSeries> rapidFire = repeated({8, 6, 4}, 2);
    rapidFire += rapidFire;
    QList<TimedSeries> duel;
    for (int i = 0; i < 6; ++i)
        duel.append({0, true});
    // Match times of the ISSF rifle and pistol event tables; the supported
    // (Auflage) programs as the German clubs shoot them. Every program but
    // the timed ones has a 15-minute preparation and sighting time.
    return {
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "LG 40")), lg, 40, 50, 15, {}, {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "LG 60")), lg, 60, 75, 15, {}, {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "LP 40")), lp, 40, 50, 15, {}, {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "LP 60")), lp, 60, 75, 15, {}, {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "KK liegend 60")),
         kk,
         60,
         50,
         15,
         {},
         {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "KK 3×20")),
         kk,
         60,
         90,
         15,
         threePositions,
         {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "KK 3×40")),
         kk,
         120,
         165,
         15,
         threePositions,
         {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Gewehr 300m liegend 60")),
         int(Discipline::Gewehr300m),
         60,
         75,
         15,
         {},
         {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Auflage LG 30")),
         lg,
         30,
         45,
         15,
         {},
         {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Auflage LP 30")),
         lp,
         30,
         45,
         15,
         {},
         {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Freie Pistole 60")),
         precision,
         60,
         90,
         15,
         {},
         {}},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Schnellfeuerpistole 60 (8, 6, 4 s)")),
         rapid,
         60,
         0,
         0,
         {},
         rapidFire},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Standardpistole 60 (150, 20, 10 s)")),
         precision,
         60,
         0,
         0,
         {},
         repeated({150, 20, 10}, 4)},
        {QStringLiteral(QT_TRANSLATE_NOOP("MatchProgram", "Sportpistole Duell 30")),
         rapid,
         30,
         0,
         0,
         {},
         duel},
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
