#ifndef TESSARO_RECORDS_ATOMICWRITE_H
#define TESSARO_RECORDS_ATOMICWRITE_H

#include <QByteArray>
#include <QString>

// Every write that replaces user data. Failures raise TessaroError with the text
// "Datei \"%s\" kann nicht erstellt werden. %s", the path and the reason.

// Replaces the file's content without ever leaving it truncated: the bytes go to a temporary
// file in the same folder (records/temporaryfiles.h), which is flushed to disk and then renamed
// over the file. When anything fails the temporary file is removed and the old file is left
// exactly as it was. A link is followed, so the file it points to receives the content. The new
// file keeps the old one's permissions, and its owner and group as far as the user may set them;
// other hard links of the old file keep the old content. Leftovers of earlier interrupted writes
// in the folder are removed on the way.
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// A file the user saves: replaced as by writeFileAtomically where its folder takes a new file.
// Where the folder takes none (no write permission) but the file itself may be written, the file
// is written in place instead, keeping its links, owner and permissions: the space it needs is
// reserved first, so that a full medium refuses before a byte changes, and when a write fails
// half-way the old content is written back.
void saveFile(const QString &path, const QByteArray &bytes);

#endif
