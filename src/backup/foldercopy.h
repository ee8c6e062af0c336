#ifndef TESSARO_BACKUP_FOLDERCOPY_H
#define TESSARO_BACKUP_FOLDERCOPY_H

#include <QByteArray>
#include <QList>
#include <QString>

// Copying files into a folder and comparing them with what the medium holds, in blocks, without
// any widget. No file is ever read whole into memory.

inline constexpr qsizetype kCopyBlockSize = 65536;

// Copies files into one folder so that each file there is at every moment either as it was or
// completely replaced: every file is first copied into a temporary file of its own in that
// folder, and all are put in place together once they are on the medium. The folder is opened
// once, so that a volume unmounted meanwhile is never replaced by the empty folder it leaves.
class FolderCopy
{
public:
    explicit FolderCopy(const QString &destinationFolder);
    // Removes the temporary files of copies not put in place.
    ~FolderCopy();
    FolderCopy(const FolderCopy &) = delete;
    FolderCopy &operator=(const FolderCopy &) = delete;

    // Copies the source file into a new temporary file in the destination folder, to be put in
    // place as name by commit. False when the source cannot be read or the copy not written;
    // nothing of it then stays behind.
    bool copyIn(const QString &source, const QString &name);

    // Flushes all copies to the medium, then renames each over its name in the order copied,
    // and flushes the folder. Returns how many were put in place: all unless something failed;
    // the copies from the first failure on are removed, and the files of their names are left
    // as they were.
    qsizetype commit();

private:
    struct Pending
    {
        QByteArray temporary;
        QByteArray name;
    };
    void removeFrom(qsizetype first);

    int m_folderFd = -1;
    QList<Pending> m_pending;
};

// Whether the copy holds exactly the bytes of the original. The copy's pages are first dropped
// from the page cache, so that its bytes are read back from the medium rather than from the
// memory they were written from. A file that cannot be read counts as different.
bool sameAsOnMedium(const QString &original, const QString &copy);

#endif
