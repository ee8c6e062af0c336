#ifndef TESSARO_RECORDS_ATOMICWRITE_H
#define TESSARO_RECORDS_ATOMICWRITE_H

#include <QByteArray>
#include <QString>

// Every write that replaces user data. Failures raise TessaroError with the text
// "Datei \"%s\" kann nicht erstellt werden. %s", the path and the reason.

// Replaces the file's content without ever leaving it truncated: the bytes go to a temporary
// file in the same folder, which is flushed to disk and then renamed over the file. When
// anything fails the temporary file is removed and the old file is left exactly as it was.
// A link is followed, so the file it points to receives the content.
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// Copies source to target through writeFileAtomically.
void copyFileAtomically(const QString &source, const QString &target);

#endif
