#pragma once

// The sums over the series of one training from which a row of the diary
// window is made. Both diaries add up the same sums, so that the rows mean
// the same, whichever of them stores the series.

#include "model/diaryrecords.h"

namespace ankerblick::diary {

struct Totals {
    int series = 0; // series with at least one shot
    int shots = 0;
    double sumWhole = 0.0;
    double sumTenths = 0.0;
    int callsRated = 0;
    int calls10 = 0;
    double sekMmSum = 0.0;
    // The MPIs weighted by their shots: divided by the shots, the MPI of all shots.
    double weightedMpiX = 0.0;
    double weightedMpiY = 0.0;
    double groupSizes = 0.0; // over the series with two shots or more
    int grouped = 0;
    int innerTens = 0;

    // Adds a series with shots; a sighting series counts for nothing.
    void add(const SeriesFigures& f, bool sighter = false);
};

TrainingSummary summaryOf(const Training& training, const Totals& totals);

// The time of a training's start, a series' time or a filter's day as the
// diary keeps it: milliseconds since the epoch. A time that is not valid
// comes first.
qint64 storedTime(const QDateTime& time);
// The first and the last millisecond the filter takes, of local time.
qint64 filterFrom(const Filter& filter);
qint64 filterTo(const Filter& filter);
// Whether the filter takes the training.
bool takes(const Filter& filter, const Training& training);
// The same for many trainings: the first and the last millisecond of the
// filter's days are worked out once (each asks the system's time zone).
class FilterTest {
public:
    explicit FilterTest(const Filter& filter);
    bool operator()(const Training& training) const;

private:
    Filter m_filter;
    qint64 m_from;
    qint64 m_to;
};

// The value of a shot as the histogram counts it, in tenths of a ring.
int histogramTenths(double value);

} // namespace ankerblick::diary
