#pragma once

// The 8-bit text encoding of the series files, Windows-1252, so that files
// move unchanged between Linux and Windows machines. Bytes 0x00-0x7F and
// 0xA0-0xFF are the Latin-1 characters; 0x80-0x9F carry the euro sign, the
// typographic quotes and dashes and a few letters.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace ankerblick::cp1252 {

// Every byte has a character: the five bytes that Windows-1252 leaves free
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// number, as Windows reads them, so that decoding and encoding again gives
// back the same bytes.
QString decode(QByteArrayView bytes);

// Writes the characters of the bytes to `out`, which has room for them.
void decodeInto(QChar* out, QByteArrayView bytes);

// Decodes the bytes onto the end of the text.
void appendDecoded(QString& text, QByteArrayView bytes);

// One byte per character; a character that Windows-1252 cannot hold
// (including one made of a surrogate pair) becomes a single '?'.
QByteArray encode(QStringView text);

// Encodes the text onto the end of the bytes.
void appendEncoded(QByteArray& bytes, QStringView text);

// Encodes the text into `out`, which has room for a byte per character;
// returns the end of the bytes written.
char* encodeInto(char* out, QStringView text);

} // namespace ankerblick::cp1252
