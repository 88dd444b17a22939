#include "windows1252.h"

#include <array>

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

// Writes the characters of the bytes to `out`: every byte as its Latin-1
// character in a loop the compiler turns into vector instructions, then the
// few bytes 0x80-0x9F, if there are any, as Windows-1252 reads them.
void decodeInto(QChar* out, QByteArrayView bytes) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    char16_t* const to = reinterpret_cast<char16_t*>(out);
    const qsizetype size = bytes.size();
    bool special = false;
    for (qsizetype i = 0; i < size; ++i) {
        to[i] = in[i];
        special |= (in[i] & 0xE0) == 0x80;
    }
    if (!special)
        return;
    for (qsizetype i = 0; i < size; ++i)
        if ((in[i] & 0xE0) == 0x80)
            to[i] = kHighControls[in[i] - 0x80];
}

char encodeUnit(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c)
            return char(0x80 + i);
    return kUnmappable;
}

} // namespace

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

void appendDecodedLine(QString& text, QByteArrayView line) {
    const qsizetype start = text.size();
    text.resize(start + line.size() + 2);
    QChar* const out = text.data() + start;
    decodeInto(out, line);
    out[line.size()] = u'\r';
    out[line.size() + 1] = u'\n';
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
    char* out = first;
    const char16_t* const in = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        // Text is mostly ASCII: a block without any other character is copied
        // as it is, in a loop the compiler turns into vector instructions.
        constexpr qsizetype kBlock = 16;
        if (size - i >= kBlock) {
            char16_t any = 0;
            for (qsizetype k = 0; k < kBlock; ++k)
                any |= in[i + k];
            if (any < 0x80) {
                for (qsizetype k = 0; k < kBlock; ++k)
                    out[k] = char(in[i + k]);
                out += kBlock;
                i += kBlock;
                continue;
            }
        }
        const char16_t c = in[i];
        if (c < 0x80) {
            *out++ = char(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(in[i + 1])) {
            *out++ = kUnmappable;
            ++i;
        } else {
            *out++ = QChar::isSurrogate(c) ? kUnmappable : encodeUnit(c);
        }
        ++i;
    }
    bytes.truncate(start + (out - first));
}

} // namespace ankerblick::cp1252
