#ifndef TESSARO_RECORDS_TEMPORARYFILES_H
#define TESSARO_RECORDS_TEMPORARYFILES_H

#include <QByteArray>
#include <QString>

#include <ctime>

// The temporary files that every replacing write goes through, and the removal of those that an
// interrupted write (a crash, a kill, a power loss) left behind.
//
// A temporary file stands beside the file it replaces and is named ".<name>.<random>.tessaro.tmp"
// after it. Its writer holds an exclusive lock (flock) on it until it is renamed into place or
// removed. The system drops a lock when its process ends, however it ends: a temporary file that
// nobody locks has lost its writer.

// Creates a new temporary file for the file fileName (a bare name) in the folder folderFd, opens it
// for writing and locks it. The lock holds while any descriptor of this opening (dup included)
// stays open. temporaryName receives the new file's name. Returns the descriptor, or -1 with errno
// set. Where the file system has no locks the file is created all the same, unlocked.
int createTemporaryFile(int folderFd, const QString &fileName, QByteArray *temporaryName);

// Whether a file name (without folder) is a name createTemporaryFile gives.
bool isTemporaryFileName(const QByteArray &fileName);

// Removes the leftovers of interrupted writes from the folder: files named as createTemporaryFile
// names them, regular files of this user, last changed before reference (the time stamp of the
// write in progress' own temporary file, so that both come from the same clock, also on a network
// drive) and locked by nobody. Everything else stays, and so does whatever cannot be checked.
void removeLeftovers(int folderFd, const timespec &reference);

#endif
