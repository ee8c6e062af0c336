#ifndef TESSARO_RECORDS_TEMPORARYFILES_H
#define TESSARO_RECORDS_TEMPORARYFILES_H

#include <QByteArray>
#include <QString>

// The temporary files that every replacing write goes through, and the removal of those that an
// interrupted write (a crash, a kill, a power loss) left behind.
//
// A temporary file stands beside the file it replaces and is named ".<name>.<random>.tessaro.tmp"
// after it. Its writer holds a lock on it until it is renamed into place or removed: an exclusive
// flock on Linux, on Windows the open handle itself, which keeps everybody else from opening the
// file exclusively. The system drops either when its process ends, however it ends: a temporary
// file that nobody holds has lost its writer. The platform's half lives in
// temporaryfiles_posix.h and temporaryfiles_windows.h.

// A new name for a temporary file of the file fileName (a bare name), with a random part.
QString newTemporaryFileName(const QString &fileName);

// Whether a file name (without folder) is a name newTemporaryFileName gives.
bool isTemporaryFileName(const QByteArray &fileName);

#endif
