#ifndef TESSARO_RECORDS_FILEOPERATIONS_H
#define TESSARO_RECORDS_FILEOPERATIONS_H

#include <QString>

// Gives a file a new name without ever replacing another file: false when a file of the new
// name exists (unless it is the same file, named in another letter case on a file system that
// ignores case) or the system refuses. A change of letter case alone is a valid rename.
bool moveFileNoReplace(const QString &from, const QString &to);

// An existing file that its owner may not write, or this user may not. Replacing such a file by a
// rename would pass over its write protection, also for root, who may write anyway.
bool isWriteProtected(const QString &path);

// "Clear all attributes": makes an existing file readable and writable by its owner.
void makeWritableByOwner(const QString &path);

// Whether this user may create files in the existing folder. A folder on a write-protected
// medium exists but takes none.
bool folderTakesNewFiles(const QString &folder);

// Makes the path name a plain file of this user's own, created empty when missing, so that
// writing it can reach no other file through a link put there by someone else, even in a shared
// folder such as the temporary folder. False when that cannot be had.
bool claimOwnFile(const QString &path);

#endif
