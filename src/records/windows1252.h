#ifndef TESSARO_RECORDS_WINDOWS1252_H
#define TESSARO_RECORDS_WINDOWS1252_H

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The Windows-1252 ("ANSI") code page, the encoding of participant files without a byte-order
// mark. Every byte value decodes; the five bytes the code page leaves unassigned map to the C1
// control characters of the same value, as Windows does, so that they survive a round trip.
namespace Windows1252 {

QString decode(QByteArrayView bytes);

// Characters outside the code page become the base letter where one exists ("ő" -> "o",
// "Ł" -> "L"), otherwise "?"; a character outside the Basic Multilingual Plane becomes one "?".
QByteArray encode(QStringView text);

} // namespace Windows1252

#endif
