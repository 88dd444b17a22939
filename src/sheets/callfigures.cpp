#include "callfigures.h"

#include "model/targetface.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <map>

namespace ankerblick::calls {

namespace {

struct Called {
    group::PointMm error; // hit - call
    double value = 0.0;
    double callValue = 0.0;
};

QList<Called> calledOf(const QList<diary::Shot>& shots) {
    QList<Called> called;
    for (const diary::Shot& s : shots)
        if (s.call)
            called.append({{s.hit.x - s.call->x, s.hit.y - s.call->y},
                           s.value.value_or(0.0),
                           s.callValue.value_or(0.0)});
    return called;
}

void addPlaces(CallFigures& f, const QList<Called>& called) {
    const double n = double(called.size());
    for (const Called& c : called) {
        f.offset.x += c.error.x / n;
        f.offset.y += c.error.y / n;
        if (std::hypot(c.error.x, c.error.y) <= f.ringWidthMm)
            ++f.inCall;
        if (const int sector = group::sectorOf(c.error); sector >= 0)
            ++f.directions[size_t(sector)];
    }
    double squares = 0.0;
    for (const Called& c : called)
        squares += std::pow(c.error.x - f.offset.x, 2) + std::pow(c.error.y - f.offset.y, 2);
    f.spreadMm = std::sqrt(squares / n);
    f.offsetClock = group::clockOf(f.offset);
    if (called.size() >= 2)
        f.offsetUncertaintyMm = std::sqrt(squares / (n * (n - 1.0)));
    f.steadyOffset =
        called.size() >= 3 && std::hypot(f.offset.x, f.offset.y) > 2.0 * f.offsetUncertaintyMm;
}

// Values in whole tenths, so that 10,9 - 10,4 is 5 tenths and not a hair more.
int tenths(double value) {
    return int(std::lround(value * 10.0));
}

void addValues(CallFigures& f, const QList<Called>& called) {
    double sumXY = 0.0, sumXX = 0.0, sumYY = 0.0;
    const double n = double(called.size());
    double meanCall = 0.0, meanHit = 0.0;
    for (const Called& c : called) {
        meanCall += c.callValue / n;
        meanHit += c.value / n;
    }
    for (const Called& c : called) {
        f.callSum += c.callValue;
        f.hitSum += c.value;
        const double call = std::min(c.callValue, kBestValue);
        f.lostInHold += kBestValue - call;
        f.lostAtBreak += call - c.value;
        if (std::abs(tenths(c.callValue) - tenths(c.value)) <= 5)
            ++f.valuesAgree;
        sumXY += (c.callValue - meanCall) * (c.value - meanHit);
        sumXX += std::pow(c.callValue - meanCall, 2);
        sumYY += std::pow(c.value - meanHit, 2);
    }
    if (called.size() >= 3 && sumXX > 0.0 && sumYY > 0.0)
        f.valueCorrelation = sumXY / std::sqrt(sumXX * sumYY);
}

} // namespace

double ringWidthMm(int discipline) {
    const DisciplineInfo* info = disciplineInfo(discipline);
    if (!info)
        return 0.0;
    // Ring 9's diameter less ring 10's, halved.
    return (info->faceRingsMm[8] - info->faceRingsMm[9]) / 2.0;
}

CallFigures callFigures(const QList<diary::Shot>& shots, int discipline) {
    CallFigures f;
    f.ringWidthMm = ringWidthMm(discipline);
    const QList<Called> called = calledOf(shots);
    f.shots = int(called.size());
    if (called.isEmpty())
        return f;
    addPlaces(f, called);
    addValues(f, called);
    return f;
}

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

QList<TrainingCalls> callsByTraining(const QList<diary::ShotRow>& rows) {
    std::map<std::pair<QDateTime, qint64>, std::pair<int, QList<diary::Shot>>> byTraining;
    for (const diary::ShotRow& r : rows) {
        if (r.sighter || !r.shot.call)
            continue;
        auto& [discipline, shots] = byTraining[{r.trainingStart, r.training}];
        discipline = r.discipline;
        shots << r.shot;
    }
    QList<TrainingCalls> trainings;
    QList<bool> recent; // in the call, the called shots in order
    for (const auto& [key, of] : byTraining) {
        TrainingCalls t{key.second, key.first, callFigures(of.second, of.first), 0.0, 0};
        const double w = t.figures.ringWidthMm;
        for (const diary::Shot& s : of.second)
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

} // namespace ankerblick::calls
