// What the electronic target sends, as any bytes in any pieces: a reply read
// as a shot holds the numbers of its two fields, its hit lies where the
// arithmetic allows, and joining the pieces of the polls never loses a
// record that arrives without a pause.

#include "fuzzcheck.h"
#include "model/numeric.h"
#include "sheets/targetrecord.h"

#include <cmath>
#include <cstdint>

using namespace ankerblick;

namespace {

// The scales of the four disciplines (drawing units per millimetre) and the
// drawn target centre.
constexpr double kScales[] = {392.0 / 59.5, 392.0 / 60.0, 392.0 / 100.0, 392.0 / 112.4, 10.0};
constexpr PointF kCentre{244.0f, 228.0f};

void checkReply(const TargetReply& r, const QString& received, const QLocale& locale) {
    switch (r.kind) {
    case TargetReply::Kind::Nothing:
        FUZZ_CHECK(received.size() < kRecordMinLength);
        break;
    case TargetReply::Kind::Fault:
        FUZZ_CHECK(received.size() >= kRecordMinLength);
        FUZZ_CHECK(!r.fault.description.isEmpty());
        FUZZ_CHECK(r.fault.number == recorderror::Incomplete ||
                   r.fault.number == recorderror::NotANumber ||
                   r.fault.number == recorderror::OutOfRange ||
                   r.fault.number == recorderror::TooLong);
        FUZZ_CHECK((r.fault.number == recorderror::Incomplete) ==
                   (received.size() < kRecordFullLength));
        FUZZ_CHECK((r.fault.number == recorderror::TooLong) ==
                   (received.size() > kRecordMaxLength));
        break;
    case TargetReply::Kind::Shot: {
        FUZZ_CHECK(received.size() >= kRecordFullLength && received.size() <= kRecordMaxLength);
        FUZZ_CHECK(num::parseNumber(received.mid(43, 6), locale) == double(r.shot.x));
        FUZZ_CHECK(num::parseNumber(received.mid(50, 6), locale) == double(r.shot.y));
        for (const double scale : kScales) {
            const PointF hit = targetHitPosition(r.shot, kCentre, scale);
            FUZZ_CHECK(std::isfinite(hit.x) && std::isfinite(hit.y));
            const double reach = 32768.0 / 100.0 * scale + 1.0;
            FUZZ_CHECK(std::fabs(hit.x - kCentre.x) <= reach);
            FUZZ_CHECK(std::fabs(hit.y - kCentre.y) <= reach);
            // Rounded down on both axes: right of and above the exact point.
            const double exactX = kCentre.x + r.shot.x / 100.0 * scale;
            const double exactY = kCentre.y - r.shot.y / 100.0 * scale;
            FUZZ_CHECK(hit.x <= exactX + 1e-3 && hit.x > exactX - 1.0 - 1e-3);
            FUZZ_CHECK(hit.y >= exactY - 1e-3 && hit.y < exactY + 1.0 + 1e-3);
        }
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const QLocale locale = fuzz::localeFor(data[0] % 3);
    const qsizetype piece = 1 + (data[0] >> 2); // 1 ... 64 characters a poll
    const bool pauses = data[0] & 2;
    // One character per byte, as the port delivers them.
    const QString received =
        QString::fromLatin1(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    checkReply(readTargetReply(received, locale), received, locale);

    // The same characters over several polls, with or without quiet polls
    // between the pieces, then a quiet line.
    TargetReplyAssembler assembler(locale);
    int shots = 0;
    TargetReply first;
    for (qsizetype pos = 0; pos < received.size(); pos += piece) {
        const TargetReply r = assembler.take(received.mid(pos, piece));
        FUZZ_CHECK(assembler.pendingLength() < kRecordFullLength);
        if (r.kind == TargetReply::Kind::Shot)
            ++shots;
        if (first.kind == TargetReply::Kind::Nothing)
            first = r;
        if (pauses)
            FUZZ_CHECK(assembler.take(QString()).kind != TargetReply::Kind::Shot);
    }
    const TargetReply last = assembler.take(QString());
    FUZZ_CHECK(last.kind != TargetReply::Kind::Shot);
    FUZZ_CHECK(assembler.pendingLength() == 0);
    FUZZ_CHECK(assembler.take(QString()).kind == TargetReply::Kind::Nothing);
    FUZZ_CHECK(qsizetype(shots) * kRecordFullLength <= received.size());

    // One record arriving in pieces without a pause reads as it does at once.
    if (!pauses && received.size() >= kRecordFullLength && received.size() <= kRecordMaxLength &&
        received.front() != u'\r' && received.front() != u'\n') {
        const TargetReply once = readTargetReply(received, locale);
        if (first.kind == TargetReply::Kind::Nothing)
            first = last;
        FUZZ_CHECK(first.kind == once.kind);
        FUZZ_CHECK(first.shot == once.shot);
        FUZZ_CHECK(first.fault == once.fault);
    }
    return 0;
}
