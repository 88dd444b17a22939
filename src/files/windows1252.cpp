#include "windows1252.h"

#include <array>

// Every x86-64 processor has SSE2.
#if defined(__SSE2__) || defined(_M_X64)
#define ANKERBLICK_SSE2
#include <emmintrin.h>
#endif

namespace ankerblick::cp1252 {

namespace {

// Characters of the bytes 0x80-0x9F; the free bytes map to themselves.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

constexpr char kUnmappable = '?';

char encodeUnit(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c)
            return char(0x80 + i);
    return kUnmappable;
}

// Text is mostly ASCII. Blocks of characters that are all ASCII are copied
// as bytes at the start of the text; the number of characters copied.
constexpr qsizetype kBlock = 16;

qsizetype copyAscii(char* out, const char16_t* in, qsizetype size) {
    qsizetype i = 0;
#ifdef ANKERBLICK_SSE2
    const __m128i nonAscii = _mm_set1_epi16(short(0xFF80));
    for (; size - i >= kBlock; i += kBlock) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 8));
        const __m128i other = _mm_and_si128(_mm_or_si128(low, high), nonAscii);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(other, _mm_setzero_si128())) != 0xFFFF)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
#else
    for (; size - i >= kBlock; i += kBlock) {
        char16_t any = 0;
        for (qsizetype k = 0; k < kBlock; ++k)
            any |= in[i + k];
        if (any >= 0x80)
            break;
        for (qsizetype k = 0; k < kBlock; ++k)
            out[i + k] = char(in[i + k]);
    }
#endif
    return i;
}

// Writes every byte of the whole blocks at the start of the bytes as its
// Latin-1 character and returns the number of bytes done; `special` tells
// whether one of them is a byte 0x80-0x9F.
qsizetype widenBlocks(char16_t* out, const unsigned char* in, qsizetype size, bool& special) {
    qsizetype i = 0;
#ifdef ANKERBLICK_SSE2
    const __m128i zero = _mm_setzero_si128();
    // As signed bytes, 0x80-0x9F are the ones below -0x60.
    const __m128i firstLatin1 = _mm_set1_epi8(char(-0x60));
    __m128i high = zero;
    for (; size - i >= kBlock; i += kBlock) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        high = _mm_or_si128(high, _mm_cmplt_epi8(bytes, firstLatin1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(bytes, zero));
    }
    // Lines are short: eight of the last bytes at once, too.
    if (size - i >= kBlock / 2) {
        const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + i));
        high = _mm_or_si128(high, _mm_unpacklo_epi64(_mm_cmplt_epi8(bytes, firstLatin1), zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(bytes, zero));
        i += kBlock / 2;
    }
    special = _mm_movemask_epi8(high) != 0;
#else
    Q_UNUSED(out);
    Q_UNUSED(in);
    Q_UNUSED(size);
    special = false;
#endif
    return i;
}

} // namespace

void decodeInto(QChar* out, QByteArrayView bytes) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    char16_t* const to = reinterpret_cast<char16_t*>(out);
    const qsizetype size = bytes.size();
    // Every byte as its Latin-1 character, noting whether any of the bytes
    // 0x80-0x9F is among them; those are then read as Windows-1252 reads them.
    bool special = false;
    for (qsizetype i = widenBlocks(to, in, size, special); i < size; ++i) {
        to[i] = in[i];
        special |= (in[i] & 0xE0) == 0x80;
    }
    if (!special)
        return;
    for (qsizetype i = 0; i < size; ++i)
        if ((in[i] & 0xE0) == 0x80)
            to[i] = kHighControls[in[i] - 0x80];
}

QString decode(QByteArrayView bytes) {
    QString text;
    appendDecoded(text, bytes);
    return text;
}

void appendDecoded(QString& text, QByteArrayView bytes) {
    const qsizetype start = text.size();
    text.resize(start + bytes.size());
    decodeInto(text.data() + start, bytes);
}

QByteArray encode(QStringView text) {
    QByteArray bytes;
    appendEncoded(bytes, text);
    return bytes;
}

void appendEncoded(QByteArray& bytes, QStringView text) {
    // At most one byte per character: written in place, then cut to length.
    const qsizetype start = bytes.size();
    bytes.resize(start + text.size());
    char* const first = bytes.data() + start;
    bytes.truncate(start + (encodeInto(first, text) - first));
}

char* encodeInto(char* out, QStringView text) {
    const char16_t* const in = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        const qsizetype ascii = copyAscii(out, in + i, size - i);
        out += ascii;
        i += ascii;
        // A block with another character, or the end of the text, one by one.
        const qsizetype blockEnd = qMin(size, i + kBlock);
        while (i < blockEnd) {
            const char16_t c = in[i];
            if (c < 0x80) {
                *out++ = char(c);
            } else if (QChar::isHighSurrogate(c) && i + 1 < size &&
                       QChar::isLowSurrogate(in[i + 1])) {
                *out++ = kUnmappable;
                ++i;
            } else {
                *out++ = QChar::isSurrogate(c) ? kUnmappable : encodeUnit(c);
            }
            ++i;
        }
    }
    return out;
}

} // namespace ankerblick::cp1252
