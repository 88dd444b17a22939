#pragma once

// The value window and time window of the value/time graph: how the user's
// four answers are checked, and how the graph window's keys and mouse
// gestures move and zoom them.

#include "services/userdialogs.h"

#include <QLocale>
#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

namespace ankerblick::timeanalysis {

// The two calling windows zoom with slightly different arithmetic: the main
// window keeps whole seconds and scales the upper value bound itself, the
// analysis window keeps tenths of seconds and scales the top edge (upper
// bound + 1).
enum class Variant { MainWindow, AnalysisWindow };

// Single precision, as the windows keep them.
struct Bounds {
    float MinSchusswert = 0; // lower bound of the value window, rings
    float MaxSchusswert = 0; // upper bound of the value window, rings
    float AbSekunden = 0;    // start of the time window, seconds
    float BisSekunden = 0;   // end of the time window, seconds

    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// The arguments of one zoom step: value factor, value offset, time factor,
// time offset.
struct ZoomStep {
    double valueFactor = 1;
    double valueOffset = 0;
    double timeFactor = 1;
    double timeOffset = 0;
};

enum class Arrow { Left, Right, Up, Down };

// Left/right move the time window by a tenth of its span, up/down the value window.
ZoomStep arrowStep(Arrow arrow);
// Any button but the left: the time window grows by a quarter on each side.
ZoomStep zoomOutStep();
// A rectangle dragged from `start` to `release` on a picture of the given
// size becomes the new graph area; nothing when the two points share an x or
// a y. Either drag direction selects the same rectangle.
std::optional<ZoomStep> rectangleStep(QPoint start, QPoint release, QSize picture);

// Applies one zoom step. Afterwards the time window lies within 0 to 1000
// seconds and spans at least one second, the value window lies within 0 to 10
// rings and spans at least one ring.
Bounds zoomed(const Bounds& bounds, Variant variant, const ZoomStep& step);

// The query: one form with the kind of times and the four bounds. An empty
// field counts as "0".
enum class Question { SmallestValue, LargestValue, FromSeconds, ToSeconds };

QString shotTimeKind();     // "Schusszeit": stopped by hand
QString shootingTimeKind(); // "Schiesszeit": from shot to shot
QString queryTitle();       // "Zeitanalyse"
QString questionPrompt(Question question);
QString invalidAnswerMessage(Question question);

// The answer as stored, or empty when it is not valid given the bounds
// answered before it.
std::optional<float> acceptAnswer(Question question, const QString& answer, const Bounds& before,
                                  const QLocale& locale);

// The form: "Schusszeit" (option 0) or "Schiesszeit", and the four bounds in
// the order of Question, proposed as 0 to 10,9 rings and 0 to 1000 seconds.
FormRequest boundsQuery(const QLocale& locale);
// The bounds the form's answers give, each checked against those before it;
// or the message of the first answer that does not hold.
std::variant<Bounds, QString> readBounds(const FormAnswer& answer, const QLocale& locale);

} // namespace ankerblick::timeanalysis
