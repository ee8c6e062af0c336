#ifndef TESSARO_RECORDS_TEXTENCODING_H
#define TESSARO_RECORDS_TEXTENCODING_H

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The encodings a participant file may have. Files without a byte-order mark are Windows-1252.
enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct DecodedText
{
    QString text;
    TextEncoding encoding = TextEncoding::Ansi;
};

// Picks the encoding by the byte-order mark (tested in the order UTF-8, UTF-16LE, UTF-16BE;
// the mark is not part of the text) and decodes the rest. Invalid UTF-8 and a dangling odd
// byte of UTF-16 decode to U+FFFD.
DecodedText decodeText(QByteArrayView bytes);

// The encoding the byte-order mark names, and the size of that mark in bytes.
TextEncoding encodingOf(QByteArrayView bytes);
qsizetype markSize(TextEncoding encoding);
// Decodes bytes that follow the mark, or any part of them that begins at a line start.
QString decodeWithoutMark(QByteArrayView bytes, TextEncoding encoding);

// Encodes the text, with the byte-order mark first for the UTF encodings.
QByteArray encodeText(QStringView text, TextEncoding encoding);

#endif
