#pragma once

// The one scoring of a stored series, for every part of the program that
// shows, prints, plots, records or sums it: the windows' lists and sums, the
// printout, the value/time graph, the diary, the match and the club's
// figures all take their values from here.

#include "callrating.h"
#include "files/shotnotes.h"
#include "groupreport.h"
#include "model/scoring.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"

#include <QHash>
#include <QList>

#include <array>
#include <optional>

namespace ankerblick {

// What a match says of a series: whether it is a sighting series (listed,
// never summed, no inner tens) and which of its shots came after the time
// (each counts 0 and is no inner ten). Only the first `length` slots belong
// to the series.
struct SeriesRules {
    int length = kShotsPerSeries;
    bool sighter = false;
    std::array<bool, kShotsPerSeries> late{};

    // The rules the notes of a window give series `number`.
    static SeriesRules of(const QList<ShotNote>& comments, int number,
                          int length = kShotsPerSeries);
    friend bool operator==(const SeriesRules&, const SeriesRules&) = default;
};

// The rules of every series, read from the notes in one pass, for those who
// score many series of one window.
class SeriesRulesBook {
public:
    SeriesRulesBook() = default;
    explicit SeriesRulesBook(const QList<ShotNote>& comments, int length = kShotsPerSeries);
    SeriesRules of(int number) const;

private:
    QHash<int, SeriesRules> m_marked; // the series the notes mark
    SeriesRules m_plain;
};

// One placed shot of the series.
struct SlotScore {
    int slot = 0;
    group::Shot shot;            // hit and call in millimetres, the call's score
    std::optional<double> value; // as listed; 0 after the time; none: not valued
    std::optional<double> callValue;
    std::optional<CallRating> rating;
    bool late = false;
    bool innerTen = false; // the hit is an inner ten and not after the time
    bool counts = false;   // summed with the series
};

struct SeriesScore {
    // Every placed shot of the series in slot order. A hit too far off the
    // target to be valued ends the scoring: it and every shot after it
    // carry no value and count nowhere.
    QList<SlotScore> shots;
    std::optional<int> unscorable; // the slot of that hit
    SeriesSums sums;               // of the shots that count
    int innerTens = 0;             // among the shots that count
    int counted = 0;               // shots that count

    // The values of the series' value list: each valued shot, in order.
    QList<double> values() const;
};

// With rating options each shot with an entered call carries its call's
// value and rating; without, the shots are hits only.
SeriesScore scoreSeries(const SeriesRecord& record, const TargetFace& face,
                        const SeriesRules& rules, const RatingOptions* options = nullptr);

// Entry `entry` (from 0) of the value list of series `series` (from 1) among
// the first `listed` series of the store, scored by its rules; empty when
// there is no such series or entry.
std::optional<double> listedShotValue(const SeriesStore& store, int listed, const TargetFace& face,
                                      const SeriesRules& rules, int series, int entry);

} // namespace ankerblick
