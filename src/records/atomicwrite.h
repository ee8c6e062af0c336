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

// The pieces of the replacement, shared with the backup copy, which replaces many files at once.

// Writes all bytes to the descriptor, repeating short and interrupted writes; false with errno
// set when a write fails.
bool writeAllBytes(int fd, const char *data, qsizetype size);

// Creates a new file "<prefix>.<random>.tmp" that nobody else uses and opens it for writing.
// The prefix is a path relative to the folder descriptor folderFd (AT_FDCWD: to the current
// folder, or absolute); name receives the whole path in the same form. Returns the descriptor,
// or -1 with errno set.
int createTemporaryFile(int folderFd, const QString &prefix, QByteArray *name);

#endif
