// What the open-hardware target sends, as any bytes in any pieces: the
// splitter hands out only whole objects, never longer than a record may be,
// the same ones whether the bytes come at once or in pieces, and every
// shot read from them lies on the target with a number from 1.

#include "files/opentarget.h"
#include "fuzzcheck.h"

#include <cmath>
#include <cstdint>
#include <variant>

using namespace ankerblick;

namespace {

void checkObject(const QByteArray& object) {
    FUZZ_CHECK(object.startsWith('{') && object.endsWith('}'));
    FUZZ_CHECK(object.size() <= JsonObjectSplitter::kLongestObject);
    const OpenTargetObject read = readOpenTargetObject(object);
    if (const auto* shot = std::get_if<OpenTargetShot>(&read)) {
        FUZZ_CHECK(shot->number >= 1);
        FUZZ_CHECK(std::isfinite(shot->xMm) && std::abs(shot->xMm) <= 1000.0);
        FUZZ_CHECK(std::isfinite(shot->yMm) && std::abs(shot->yMm) <= 1000.0);
        FUZZ_CHECK(!shot->timeMs || *shot->timeMs >= 0);
    } else if (const auto* problem = std::get_if<OpenTargetProblem>(&read)) {
        FUZZ_CHECK(!problem->text.isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte cuts the rest into pieces of that many bytes.
    const size_t piece = data[0] % 7 + 1;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    JsonObjectSplitter whole;
    const QList<QByteArray> atOnce = whole.feed(bytes);
    JsonObjectSplitter pieces;
    QList<QByteArray> inPieces;
    for (qsizetype at = 0; at < bytes.size(); at += qsizetype(piece))
        inPieces += pieces.feed(bytes.mid(at, qsizetype(piece)));
    FUZZ_CHECK(atOnce == inPieces);
    FUZZ_CHECK(whole.midObject() == pieces.midObject());
    for (const QByteArray& object : atOnce)
        checkObject(object);
    return 0;
}
