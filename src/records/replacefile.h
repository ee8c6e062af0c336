#ifndef TESSARO_RECORDS_REPLACEFILE_H
#define TESSARO_RECORDS_REPLACEFILE_H

#include <QByteArray>
#include <QString>

// The platform's half of records/atomicwrite.h (atomicwrite_posix.cpp, atomicwrite_windows.cpp).

enum class WhereTheFolderRefuses { Fail, WriteInPlace };

// Replaces the file's content through a temporary file beside it, as writeFileAtomically
// describes; where the folder takes no new file, either fails or writes the file in place, as
// saveFile describes.
void replaceFile(const QString &path, const QByteArray &bytes, WhereTheFolderRefuses refused);

#endif
