#ifndef TESSARO_RECORDS_TEMPORARYFILES_POSIX_H
#define TESSARO_RECORDS_TEMPORARYFILES_POSIX_H

#include "records/temporaryfiles.h"

#include <ctime>

#include <sys/stat.h>

// The POSIX half of records/temporaryfiles.h: files reached through a folder's descriptor, locked
// with flock.

// Creates a new temporary file for the file fileName (a bare name) in the folder folderFd, opens it
// for writing and locks it. The lock holds while any descriptor of this opening (dup included)
// stays open. temporaryName receives the new file's name. Returns the descriptor, or -1 with errno
// set. Where the file system has no locks the file is created all the same, unlocked.
int createTemporaryFile(int folderFd, const QString &fileName, QByteArray *temporaryName);

// Removes the leftovers of interrupted writes from the folder: files named as
// newTemporaryFileName names them, regular files of this user, last changed before reference (the
// time stamp of the write in progress' own temporary file, so that both come from the same clock,
// also on a network drive) and locked by nobody. Everything else stays, and so does whatever
// cannot be checked.
void removeLeftovers(int folderFd, const timespec &reference);

// Gives the new file of the descriptor the old one's permissions, and its owner and group where
// the user may; false when the permissions cannot be set.
bool keepOwnerAndPermissions(int fd, const struct stat &old);

// Writes all bytes to the descriptor, repeating short and interrupted writes; false with errno
// set when a write fails.
bool writeAllBytes(int fd, const char *data, qsizetype size);

#endif
