#ifndef TESSARO_RECORDS_HEADERLINE_H
#define TESSARO_RECORDS_HEADERLINE_H

#include <QString>

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

#endif
