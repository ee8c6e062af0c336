#ifndef TESSARO_BACKUP_FOLDERCOPY_H
#define TESSARO_BACKUP_FOLDERCOPY_H

#include <QString>

// The backup's copies go into their folder through records/folderwrite.h; this is their
// comparison with what the medium holds, in blocks, without any widget.

// Whether the copy holds exactly the bytes of the original. The copy is read from the medium
// rather than from the memory it was written from (RegularFileReader::dropCachedPages). A file
// that cannot be read counts as different.
bool sameAsOnMedium(const QString &original, const QString &copy);

#endif
