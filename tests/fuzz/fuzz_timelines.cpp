// The time texts of a series file as the value/time graph reads them, and
// the graph laid out from them through any number of zoom steps: every line
// read names its series and shot, written again it reads the same, every shot
// ends up as a disc or counted as not shown, and the windows stay within
// their limits.

#include "files/shotnotes.h"
#include "files/timelines.h"
#include "files/windows1252.h"
#include "fuzzcheck.h"
#include "model/numeric.h"
#include "sheets/graphlayout.h"
#include "sheets/shottimes.h"
#include "sheets/valuebounds.h"

#include <cmath>
#include <cstdint>

using namespace ankerblick;
using namespace ankerblick::timeanalysis;

namespace {

// The bounds are single precision: "lower + 1" may come out a few units in
// the last place short of a whole span (3,7 + 1 = 4,6999998).
void checkWindows(const Bounds& b) {
    constexpr float kSlack = 1e-4f;
    FUZZ_CHECK(b.AbSekunden >= 0 && b.BisSekunden <= 1000);
    FUZZ_CHECK(b.BisSekunden - b.AbSekunden >= 1 - kSlack);
    FUZZ_CHECK(b.MinSchusswert >= 0 && b.MaxSchusswert <= 10);
    FUZZ_CHECK(b.MaxSchusswert - b.MinSchusswert >= 1 - kSlack);
}

// A bound typed by the user: a tenth-step number within the range asked.
float answered(Question q, unsigned value, const Bounds& before, const QLocale& locale) {
    const double limit = q == Question::SmallestValue || q == Question::LargestValue ? 110 : 10000;
    const double lowest = q == Question::LargestValue ? double(before.MinSchusswert)
                          : q == Question::ToSeconds  ? double(before.AbSekunden)
                                                      : 0.0;
    const double v = std::fmin(lowest + double(value % unsigned(limit)) / 10.0,
                               q == Question::ToSeconds ? 1000.0 : (limit - 1) / 10.0);
    const std::optional<float> a = acceptAnswer(q, num::formatNumber(v, locale), before, locale);
    FUZZ_CHECK(a.has_value());
    return *a;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kHead = 10;
    if (size < kHead)
        return 0;
    const QLocale locale = fuzz::localeFor(data[0] % 2);
    const Variant variant = data[0] & 2 ? Variant::AnalysisWindow : Variant::MainWindow;
    const QSize picture(1 + data[1] * 8, 1 + data[2] * 4);
    const QString text = cp1252::decode(QByteArrayView(data + kHead, qsizetype(size - kHead)));

    const QList<TimeEntry> entries = parseTimeLines(text, locale);
    FUZZ_CHECK(entries.size() <= text.count(u'\n') + 1);
    for (const TimeEntry& e : entries) {
        FUZZ_CHECK(e.series >= 0 && e.series <= 999999999);
        FUZZ_CHECK(e.shot >= 0 && e.shot <= 999999999);
        FUZZ_CHECK(!e.seconds || std::isfinite(*e.seconds));
    }

    // Written as the stopwatch writes its lines, they read back the same.
    QString written;
    QList<TimeEntry> timed;
    for (const TimeEntry& e : entries)
        if (e.seconds) {
            written += ShotTimes::line(e.series, e.shot, *e.seconds, locale);
            timed.append(e);
        }
    const QList<TimeEntry> back = parseTimeLines(written, locale);
    FUZZ_CHECK(back.size() == timed.size());
    for (qsizetype i = 0; i < back.size(); ++i) {
        FUZZ_CHECK(back[i].series == timed[i].series && back[i].shot == timed[i].shot);
        FUZZ_CHECK(back[i].seconds.has_value());
        FUZZ_CHECK(num::formatNumber(*back[i].seconds, locale) ==
                   num::formatNumber(*timed[i].seconds, locale));
    }

    // A file's comments and times taken as notes are written back byte for
    // byte, and the times noted are those the time analysis reads.
    FUZZ_CHECK(commentsText(commentsFromText(text)) == text);
    const QList<ShotNote> notes = timesFromText(text, locale);
    FUZZ_CHECK(timesText(notes, locale) == text);
    QList<TimeEntry> noted;
    for (const ShotNote& n : notes)
        if (n.series > 0 || n.shot > 0 || n.seconds)
            noted.append({n.series, n.shot, n.seconds});
    QList<TimeEntry> named;
    for (const TimeEntry& e : entries)
        if (e.series > 0 || e.shot > 0 || e.seconds)
            named.append(e);
    FUZZ_CHECK(noted == named);

    // The bounds as the user answers them, then zoom steps by keys and mouse.
    Bounds bounds;
    bounds.MinSchusswert = answered(Question::SmallestValue, data[3], bounds, locale);
    bounds.MaxSchusswert = answered(Question::LargestValue, data[4], bounds, locale);
    bounds.AbSekunden = answered(Question::FromSeconds, data[5] * 40u, bounds, locale);
    bounds.BisSekunden = answered(Question::ToSeconds, data[6] * 40u, bounds, locale);
    for (size_t i = 7; i < kHead; ++i) {
        const unsigned op = data[i];
        std::optional<ZoomStep> step;
        if (op < 128)
            step = arrowStep(Arrow(op % 4));
        else if (op < 160)
            step = zoomOutStep();
        else
            step = rectangleStep(QPoint(op * 7 % picture.width(), op * 3 % picture.height()),
                                 QPoint(op * 13 % (picture.width() + 20) - 10,
                                        op * 11 % (picture.height() + 20) - 10),
                                 picture);
        if (step) {
            bounds = zoomed(bounds, variant, *step);
            checkWindows(bounds);
        }
    }

    // Three series of ten shots; every third shot has no value.
    const ValueLookup value = [](int series, int entry) -> std::optional<double> {
        if (series < 1 || series > 3 || entry < 0 || entry > 9 || (series + entry) % 3 == 0)
            return std::nullopt;
        return 5.0 + (series * 10 + entry) % 60 / 10.0;
    };
    const GraphLayout graph = layoutGraph(picture, bounds, entries, value, locale);
    FUZZ_CHECK(graph.discs.size() + graph.notShown == entries.size());
    FUZZ_CHECK(!graph.caption.isEmpty());
    FUZZ_CHECK(graph.timeLabels.size() <= graph.timeLines.size());
    for (const QPointF& p : graph.discs)
        FUZZ_CHECK(std::isfinite(p.x()) && std::isfinite(p.y()));
    return 0;
}
