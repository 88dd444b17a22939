#include "calltrend.h"

#include "callingtraining.h"
#include "groupreport.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <map>

namespace ankerblick::calls {

namespace {

struct Pooled {
    int in = 0;
    int shots = 0;
};

// The change of the last `k` trainings against those before; 0 when it is
// within chance.
double changeScore(const QList<TrainingCalls>& trainings, qsizetype k, Pooled& last,
                   Pooled& before) {
    last = {};
    before = {};
    for (qsizetype i = 0; i < trainings.size(); ++i) {
        Pooled& p = i >= trainings.size() - k ? last : before;
        p.in += trainings.at(i).figures.inCall;
        p.shots += trainings.at(i).figures.shots;
    }
    if (last.shots < 10 || before.shots < 20)
        return 0.0;
    const double p1 = double(last.in) / last.shots;
    const double p0 = double(before.in) / before.shots;
    const double p = double(last.in + before.in) / (last.shots + before.shots);
    const double error = std::sqrt(p * (1.0 - p) * (1.0 / last.shots + 1.0 / before.shots));
    if (error <= 0.0)
        return 0.0;
    const double z = (p1 - p0) / error;
    return std::abs(z) > 2.0 ? z : 0.0;
}

} // namespace

namespace {

struct Read {
    QString shooter;
    int discipline = -1;
    QString program;
    QList<diary::Shot> called;
    QList<diary::Series> series; // the shots by series, for the finding
};

void take(Read& read, const diary::ShotRow& r) {
    read.shooter = r.shooter;
    read.discipline = r.discipline;
    read.program = r.program;
    if (read.series.isEmpty() || read.series.last().number != r.series)
        read.series.append(diary::Series{r.series, {}, {}, {}, r.sighter});
    read.series.last().shots << r.shot;
    if (!r.sighter && r.shot.call)
        read.called << r.shot;
}

} // namespace

QList<diary::ShotRow> numberedRows(QList<diary::ShotRow> rows,
                                   const QHash<QUuid, qint64>& numbers) {
    QList<diary::ShotRow> numbered;
    for (diary::ShotRow& row : rows)
        if (const auto number = numbers.constFind(row.serverId); number != numbers.cend()) {
            row.training = *number;
            numbered.append(std::move(row));
        }
    return numbered;
}

QList<TrainingCalls> callsByTraining(const QList<diary::ShotRow>& rows, const QLocale& locale) {
    std::map<std::pair<QDateTime, qint64>, Read> byTraining;
    for (const diary::ShotRow& r : rows)
        take(byTraining[{r.trainingStart, r.training}], r);
    QList<TrainingCalls> trainings;
    QList<bool> recent; // in the call, the called shots in order
    for (const auto& [key, read] : byTraining) {
        if (read.called.isEmpty())
            continue;
        TrainingCalls t{key.second,
                        key.first,
                        read.shooter,
                        read.discipline,
                        callFigures(read.called, read.discipline),
                        trainingFinding(read.series, read.discipline, read.program, locale),
                        0.0,
                        0};
        const double w = t.figures.ringWidthMm;
        for (const diary::Shot& s : read.called)
            recent << (std::hypot(s.hit.x - s.call->x, s.hit.y - s.call->y) <= w);
        const qsizetype from = std::max<qsizetype>(0, recent.size() - kRollingShots);
        t.rollingShots = int(recent.size() - from);
        t.rollingInCallShare =
            double(std::count(recent.begin() + from, recent.end(), true)) / t.rollingShots;
        trainings << t;
    }
    return trainings;
}

QString callChangeText(const QList<TrainingCalls>& trainings) {
    double clearest = 0.0;
    qsizetype since = 0;
    Pooled last, before;
    for (qsizetype k = 1; k <= std::min<qsizetype>(5, trainings.size() - 1); ++k) {
        Pooled l, b;
        const double z = changeScore(trainings, k, l, b);
        if (std::abs(z) > std::abs(clearest)) {
            clearest = z;
            since = k;
            last = l;
            before = b;
        }
    }
    if (since == 0)
        return {};
    const auto percent = [](const Pooled& p) {
        return std::lround(100.0 * p.in / p.shots);
    };
    const char* text =
        since == 1
            ? (clearest < 0
                   ? QT_TRANSLATE_NOOP("CallFigures", "Ihre Ansagen lagen im letzten Training "
                                                      "seltener in der Ansage: %2 % statt %3 %.")
                   : QT_TRANSLATE_NOOP("CallFigures", "Ihre Ansagen lagen im letzten Training "
                                                      "häufiger in der Ansage: %2 % statt %3 %."))
            : (clearest < 0
                   ? QT_TRANSLATE_NOOP("CallFigures", "Ihre Ansagen liegen seit %1 Trainings "
                                                      "seltener in der Ansage: %2 % statt %3 %.")
                   : QT_TRANSLATE_NOOP("CallFigures", "Ihre Ansagen liegen seit %1 Trainings "
                                                      "häufiger in der Ansage: %2 % statt %3 %."));
    QString said = QCoreApplication::translate("CallFigures", text);
    if (since > 1)
        said = said.arg(since);
    return said.arg(percent(last)).arg(percent(before));
}

QString figuresLine(const CallFigures& f, const QLocale& locale) {
    const auto n = [&](double v) {
        return locale.toString(v, 'f', 1);
    };
    return QCoreApplication::translate(
               "CallFigures", "%1 Schüsse mit Ansage, %2 % in der Ansage, Genauigkeit %3 mm (%4 "
                              "Ringe), Versatz %5 (%6), verloren %7 im Halten und %8 beim Schuss")
        .arg(f.shots)
        .arg(std::lround(100.0 * f.inCallShare()))
        .arg(n(f.spreadMm), n(f.spreadRings()), group::positionText(f.offset, locale),
             f.steadyOffset ? QCoreApplication::translate("CallFigures", "stetig")
                            : QCoreApplication::translate("CallFigures", "Zufall"),
             n(f.lostInHold), n(f.lostAtBreak));
}

} // namespace ankerblick::calls
