#include "diarytotals.h"

#include <cmath>
#include <limits>

namespace ankerblick::diary {

void Totals::add(const SeriesFigures& f, bool sighter) {
    if (f.shots == 0 || sighter)
        return;
    ++series;
    shots += f.shots;
    sumWhole += f.sumWhole;
    sumTenths += f.sumTenths;
    callsRated += f.callsRated;
    calls10 += f.calls10;
    sekMmSum += f.sekMmSum;
    innerTens += f.innerTens;
    weightedMpiX += f.mpi.x * f.shots;
    weightedMpiY += f.mpi.y * f.shots;
    if (f.shots >= 2) {
        groupSizes += f.groupSize;
        ++grouped;
    }
}

TrainingSummary summaryOf(const Training& training, const Totals& t) {
    TrainingSummary s;
    s.training = training;
    s.series = t.series;
    s.shots = t.shots;
    s.innerTens = t.innerTens;
    if (t.series > 0) {
        s.meanSumWhole = t.sumWhole / t.series;
        s.meanSumTenths = t.sumTenths / t.series;
    }
    if (t.callsRated > 0) {
        s.call10Share = double(t.calls10) / t.callsRated;
        s.meanSekMm = t.sekMmSum / t.callsRated;
    }
    if (t.shots > 0)
        s.mpi = group::PointMm{t.weightedMpiX / t.shots, t.weightedMpiY / t.shots};
    if (t.grouped > 0)
        s.meanGroupSize = t.groupSizes / t.grouped;
    return s;
}

qint64 storedTime(const QDateTime& time) {
    return time.isValid() ? time.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

qint64 filterFrom(const Filter& filter) {
    return filter.from.isValid() ? filter.from.startOfDay().toMSecsSinceEpoch()
                                 : std::numeric_limits<qint64>::min();
}

qint64 filterTo(const Filter& filter) {
    return filter.to.isValid() ? filter.to.addDays(1).startOfDay().toMSecsSinceEpoch() - 1
                               : std::numeric_limits<qint64>::max();
}

bool takes(const Filter& filter, const Training& training) {
    return FilterTest(filter)(training);
}

FilterTest::FilterTest(const Filter& filter)
    : m_filter(filter), m_from(filterFrom(filter)), m_to(filterTo(filter)) {}

bool FilterTest::operator()(const Training& training) const {
    if (!m_filter.shooter.isEmpty() && training.shooter != m_filter.shooter)
        return false;
    if (m_filter.discipline >= 0 && training.discipline != m_filter.discipline)
        return false;
    if (!m_filter.from.isValid() && !m_filter.to.isValid())
        return true;
    // A training without a valid start lies on no day a range names.
    const qint64 start = storedTime(training.start);
    return training.start.isValid() && start >= m_from && start <= m_to;
}

int histogramTenths(double value) {
    // Half away from zero, as the database's ROUND does.
    return int(std::lround(value * 10.0));
}

} // namespace ankerblick::diary
