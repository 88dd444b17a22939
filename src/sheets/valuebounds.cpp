#include "valuebounds.h"

#include "model/numeric.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cmath>

namespace ankerblick::timeanalysis {

namespace {

// Whole tenths, rounded towards minus infinity. The bounds are single
// precision: 7,7 is held as 7,69999981, which must still count as 7,7 tenths,
// or a step that leaves a bound alone would take a tenth off it.
double tenthsDown(double v) {
    return num::floorValue(v * 10 + 1e-4) / 10;
}

// Keeps a window below `highest` with a span of at least one unit; a window
// within those limits stays as it is.
void keepWithin(float& lower, float& upper, float highest) {
    if (upper > highest) {
        upper = highest;
        lower = std::min(lower, highest - 1);
    }
    if (upper - lower < 1)
        upper = lower + 1;
}

} // namespace

ZoomStep arrowStep(Arrow arrow) {
    switch (arrow) {
    case Arrow::Left:
        return {1, 0, 0.9, -0.1};
    case Arrow::Right:
        return {1, 0, 1.1, 0.1};
    case Arrow::Up:
        return {1.1, 0.1, 1, 0};
    case Arrow::Down:
        return {0.9, -0.1, 1, 0};
    }
    return {};
}

ZoomStep zoomOutStep() {
    return {1.1, -0.25, 1.25, -0.25};
}

std::optional<ZoomStep> rectangleStep(QPoint start, QPoint release, QSize picture) {
    if (start.x() == release.x() || start.y() == release.y())
        return std::nullopt;
    const double left = std::min(start.x(), release.x());
    const double right = std::max(start.x(), release.x());
    const double top = std::min(start.y(), release.y());
    const double bottom = std::max(start.y(), release.y());
    const double h = std::max(1, picture.height());
    const double w = std::max(1, picture.width());
    return ZoomStep{1 - top / h, 1 - bottom / h, right / w, left / w};
}

Bounds zoomed(const Bounds& in, Variant variant, const ZoomStep& step) {
    const bool main = variant == Variant::MainWindow;
    // Both spans as the window held them before this step.
    const float timeSpan = in.BisSekunden - in.AbSekunden;
    const float valueSpan = in.MaxSchusswert + 1 - in.MinSchusswert;

    Bounds b = in;
    b.MinSchusswert = float(in.MinSchusswert + tenthsDown(double(valueSpan) * step.valueOffset));
    // The analysis window scales the top edge, which stands for one ring above
    // the upper bound; the bound itself stays one ring below it.
    b.MaxSchusswert = main ? float(tenthsDown(double(in.MaxSchusswert) * step.valueFactor))
                           : float(tenthsDown(double(in.MaxSchusswert + 1) * step.valueFactor) - 1);
    const double later = double(timeSpan) * step.timeFactor;
    const double earlier = double(timeSpan) * step.timeOffset;
    b.BisSekunden = float(in.AbSekunden + (main ? num::floorValue(later) : tenthsDown(later)));
    b.AbSekunden = float(in.AbSekunden + (main ? num::floorValue(earlier) : tenthsDown(earlier)));

    if (b.MinSchusswert < 0)
        b.MinSchusswert = 0;
    if (b.MaxSchusswert > 10)
        b.MaxSchusswert = 10;
    if (b.AbSekunden < 0)
        b.AbSekunden = 0;
    if (b.BisSekunden > 1000)
        b.BisSekunden = 1000;

    if (b.BisSekunden - b.AbSekunden < 1)
        b.BisSekunden += 1;
    if (b.MaxSchusswert - b.MinSchusswert < 1)
        b.MaxSchusswert = b.MinSchusswert + 1;

    // Near the limits the two rules above can push a window past them (a
    // start beyond 999 s, a lower value bound beyond 9 rings, a rectangle
    // dragged outside the picture): such a window is kept inside.
    keepWithin(b.AbSekunden, b.BisSekunden, 1000);
    keepWithin(b.MinSchusswert, b.MaxSchusswert, 10);
    return b;
}

QString shotTimeKind() {
    return QCoreApplication::translate("ValueBounds", "Schusszeit");
}

QString shootingTimeKind() {
    return QCoreApplication::translate("ValueBounds", "Schiesszeit");
}

QString queryTitle() {
    return QCoreApplication::translate("ValueBounds", "Zeitanalyse");
}

QString questionPrompt(Question question) {
    switch (question) {
    case Question::SmallestValue:
        return QCoreApplication::translate("ValueBounds", "Kleinster anzuzeigender Schusswert");
    case Question::LargestValue:
        return QCoreApplication::translate("ValueBounds", "Grösster anzuzeigender Schusswert");
    case Question::FromSeconds:
        return QCoreApplication::translate("ValueBounds", "Ab ... Sekunden (max. 999)");
    case Question::ToSeconds:
        return QCoreApplication::translate("ValueBounds", "Bis ... Sekunden (max. 1000)");
    }
    return {};
}

QString invalidAnswerMessage(Question question) {
    if (question == Question::SmallestValue || question == Question::LargestValue)
        return QCoreApplication::translate(
            "ValueBounds", "Bitte eine gültige Ringzahl angeben wie z.B. 6,4 , 9 oder 10,9");
    return QCoreApplication::translate(
        "ValueBounds",
        "Bitte eine gültige Sekundenzahl angeben wie z.B. 6,4 , 9, 10,9 oder 53,123");
}

std::optional<float> acceptAnswer(Question question, const QString& answer, const Bounds& before,
                                  const QLocale& locale) {
    const QString text = answer.trimmed().isEmpty() ? QStringLiteral("0") : answer;
    const std::optional<double> number = num::parseNumber(text, locale);
    if (!number || std::fabs(*number) > 1e9)
        return std::nullopt;
    // Checked as stored: 6,4 typed twice is the same single-precision value.
    const float v = float(*number);
    bool valid = false;
    switch (question) {
    case Question::SmallestValue:
        valid = v >= 0 && v < 11;
        break;
    case Question::LargestValue:
        valid = v >= before.MinSchusswert && v < 11;
        break;
    case Question::FromSeconds:
        valid = v >= 0 && v < 1000;
        break;
    case Question::ToSeconds:
        valid = v >= before.AbSekunden && v <= 1000;
        break;
    }
    if (!valid)
        return std::nullopt;
    return v;
}

namespace {
constexpr std::array<Question, 4> kQuestions{Question::SmallestValue, Question::LargestValue,
                                             Question::FromSeconds, Question::ToSeconds};
} // namespace

FormRequest boundsQuery(const QLocale& locale) {
    FormRequest r;
    r.name = QStringLiteral("Zeitanalyse");
    r.title = queryTitle();
    r.optionsCaption = QCoreApplication::translate("ValueBounds", "Zeiten:");
    r.options = {
        QCoreApplication::translate("ValueBounds", "Schusszeit (selbst mitgestoppt)"),
        QCoreApplication::translate("ValueBounds", "Schiesszeit (von Schuss zu Schuss gestoppt)")};
    const std::array<double, 4> proposed{0.0, 10.9, 0.0, 1000.0};
    for (size_t i = 0; i < kQuestions.size(); ++i)
        r.fields.append(
            {questionPrompt(kQuestions[i]), num::formatNumber(proposed[i], locale), {}});
    r.problem = [locale](const FormAnswer& answer) {
        const auto read = readBounds(answer, locale);
        return std::holds_alternative<QString>(read) ? std::get<QString>(read) : QString();
    };
    return r;
}

std::variant<Bounds, QString> readBounds(const FormAnswer& answer, const QLocale& locale) {
    Bounds b;
    const std::array<float*, 4> fields{&b.MinSchusswert, &b.MaxSchusswert, &b.AbSekunden,
                                       &b.BisSekunden};
    for (size_t i = 0; i < kQuestions.size(); ++i) {
        const std::optional<float> v =
            acceptAnswer(kQuestions[i], answer.texts.value(qsizetype(i)), b, locale);
        if (!v)
            return invalidAnswerMessage(kQuestions[i]);
        *fields[i] = *v;
    }
    return b;
}

} // namespace ankerblick::timeanalysis
