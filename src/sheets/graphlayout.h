#pragma once

// What the value/time graph consists of, in pixels of its picture: a black
// line per ring of the value window with a red label, a black line per second
// of the time window with a red label every five seconds, and a red disc at
// (time, value) for every shot whose time lies in the time window.
//
// The picture's measures were laid out in twips; they convert at 15 twips per
// pixel.

#include "files/timelines.h"
#include "valuebounds.h"

#include <QLineF>
#include <QList>
#include <QLocale>
#include <QPointF>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

namespace ankerblick::timeanalysis {

constexpr double kTwipsPerPixel = 15;
constexpr double kDiscRadius = 30 / kTwipsPerPixel;
constexpr double kValueLabelRise = 160 / kTwipsPerPixel; // label top above its line
constexpr double kTimeLabelLeft = 130 / kTwipsPerPixel;  // label left of its line
constexpr double kTimeLabelRise = 300 / kTwipsPerPixel;  // label top above the bottom edge

// The picture on a graph window of the given outer size: 450 twips less high
// and 140 twips less wide, at least one pixel each way.
QSize pictureSize(QSize window);

// The value of entry `entry` (from 0) of the shot-value list that series
// `series` (from 1) shows; empty when there is no such series or entry.
using ValueLookup = std::function<std::optional<double>(int series, int entry)>;

struct GraphLabel {
    QPointF topLeft;
    QString text;
};

struct GraphLayout {
    QSize size;
    QList<QLineF> valueLines;      // black, one per ring
    QList<GraphLabel> valueLabels; // red, one per value line
    QList<QLineF> timeLines;       // black, one per second
    QList<GraphLabel> timeLabels;  // red, every fifth time line
    QList<QPointF> discs;          // centres of the red discs
    int notShown = 0;              // shots outside the time window or without a value
    QString caption;               // of the graph window
};

// Lays out the graph of the time lines on a picture of the given size. The
// picture spans whole rings, from the whole ring at or below the lower value
// bound to the top of the upper bound's ring, and whole seconds, from the
// whole second at or before the start to the one at or after the end (at
// least one second): every value and time within the bounds lies inside it.
GraphLayout layoutGraph(QSize picture, const Bounds& bounds, const QList<TimeEntry>& times,
                        const ValueLookup& value, const QLocale& locale);

// "Schusswert-/Zeitanalyse" when every shot is shown, otherwise the time
// window and the number of shots not shown.
QString graphCaption(const Bounds& bounds, int notShown, const QLocale& locale);

} // namespace ankerblick::timeanalysis
