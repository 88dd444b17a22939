// The series file reader on any bytes: it never fails, reading in pieces
// gives what reading at once gives, the series limit cuts at a series, and
// what it read is written and read back unchanged (but for the line end the
// writer adds to every section).

#include "files/seriesfile.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <cstdint>

using namespace ankerblick;

namespace {

bool sameResult(const SeriesFileReadResult& a, const SeriesFileReadResult& b) {
    return a.content == b.content && a.error == b.error && a.errorLine == b.errorLine &&
           a.seriesLimitReached == b.seriesLimitReached;
}

SeriesFileReadResult readInPieces(QByteArrayView bytes, const QLocale& locale, int maxSeries,
                                  qsizetype piece) {
    SeriesFileParser parser(locale, maxSeries);
    for (qsizetype pos = 0; pos < bytes.size(); pos += piece)
        if (!parser.feed(bytes.sliced(pos, std::min(piece, bytes.size() - pos))))
            break;
    return parser.finish(QString());
}

// The content as reading the written file gives it back.
SeriesFileContent expectedAfterWriting(SeriesFileContent c, SeriesFileStyle style) {
    const QString before = style == SeriesFileStyle::ShotEntry ? QStringLiteral("\r\n") : QString();
    for (QString* text : {&c.comments, &c.shotTimes, &c.shootingTimes})
        *text = before + *text + QStringLiteral("\r\n");
    if (style == SeriesFileStyle::ShotEntry)
        for (SeriesRecord& r : c.series)
            r.callLeft = r.callTop = r.lineX1 = r.lineY1 = r.lineX2 = r.lineY2 = {};
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const QLocale locale = fuzz::localeFor(data[0] & 1 ? 1 : 0);
    const qsizetype piece = 1 + (data[0] >> 1);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    const SeriesFileReadResult whole = parseSeriesFile(bytes, locale);
    const SeriesFileContent& c = whole.content;

    // A message whenever reading stopped or found nothing; a line named
    // only where reading stopped.
    FUZZ_CHECK(whole.error.has_value() == (whole.errorLine > 0 || c.series.isEmpty()));
    FUZZ_CHECK(whole.errorLine <= bytes.count('\n') + 2);
    FUZZ_CHECK(c.series.size() <= kMaxSeries);
    if (c.series.isEmpty())
        FUZZ_CHECK(c == SeriesFileContent{});
    for (const QString* text : {&c.comments, &c.shotTimes, &c.shootingTimes})
        FUZZ_CHECK(text->isEmpty() || text->endsWith(QStringLiteral("\r\n")));

    // In pieces, the same.
    FUZZ_CHECK(sameResult(readInPieces(bytes, locale, kMaxSeries, piece), whole));

    // A window that can list only two more series gets the first two.
    const SeriesFileReadResult limited = readInPieces(bytes, locale, 2, piece);
    if (limited.seriesLimitReached) {
        FUZZ_CHECK(c.series.size() > 2);
        FUZZ_CHECK(limited.content.series == c.series.mid(0, 2));
        FUZZ_CHECK(limited.error.has_value() && limited.errorLine > 0);
        FUZZ_CHECK(whole.errorLine == 0 || whole.errorLine >= limited.errorLine);
    } else {
        FUZZ_CHECK(sameResult(limited, whole));
    }

    // Written and read again.
    if (!c.series.isEmpty()) {
        for (const SeriesFileStyle style :
             {SeriesFileStyle::MainWindow, SeriesFileStyle::ShotEntry}) {
            const SeriesFileReadResult again = parseSeriesFile(encodeSeriesFile(c, style), locale);
            FUZZ_CHECK(!again.error.has_value());
            FUZZ_CHECK(again.content == expectedAfterWriting(c, style));
        }
    }
    return 0;
}
