#ifndef TESSARO_RECORDS_HEADERLINE_H
#define TESSARO_RECORDS_HEADERLINE_H

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The header line of a participant file without reading the rest: the participant list, the
// creation dialog's existence test and the comment overview need nothing else, and a file may
// hold thousands of days.

// The file's first line, decoded by the byte-order-mark rules of the file layer. Reading stops
// at the first line break (CR or LF; for UTF-16 the 16-bit units). Empty for a file without
// any line: no bytes, or a byte-order mark alone. A file that cannot be read, or that is no
// regular file (a pipe would block), raises TessaroError with the file layer's open error text.
std::optional<QString> readHeaderLine(const QString &path);

// The class a header line names: its first field by the field split rule, trimmed.
QString headerClass(const QString &headerLine);

// The class of the header line in a file's whole content, as headerClass(readHeaderLine) gives
// it for the file.
QString headerClassOf(QByteArrayView fileBytes);

// The file's content with another class in its header line. Only the class itself is replaced:
// the byte-order mark, the blanks around the class, the separator, the comment and every
// further line stay byte for byte. The class is encoded in the file's encoding (Windows-1252
// without a byte-order mark).
QByteArray withHeaderClass(QByteArrayView fileBytes, QStringView schoolClass);

#endif
