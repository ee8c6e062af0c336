#ifndef TESSARO_BACKUP_FOLDERCOPY_H
#define TESSARO_BACKUP_FOLDERCOPY_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class RegularFileReader;

// Copying files into a folder and comparing them with what the medium holds, in blocks, without
// any widget. No file is ever read whole into memory.

inline constexpr qsizetype kCopyBlockSize = 65536;

// Copies files into one folder so that each file there is at every moment either as it was or
// completely replaced: every file is first copied into a temporary file of its own in that
// folder, and all are put in place together once they are on the medium. The folder is opened
// once, so that a volume unmounted meanwhile is never replaced by the empty folder it leaves. The
// first copy removes the leftovers of interrupted runs from the folder.
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

    struct Commit
    {
        // How many copies were put in place, in the order copied: all unless something failed.
        qsizetype placed = 0;
        // Whether the medium confirmed the renames.
        bool confirmed = false;
    };
    // Flushes all copies to the medium, then renames each over its name in the order copied,
    // and makes sure the renames are on the medium. The copies from the first failure on are
    // removed, and the files of their names are left as they were.
    Commit commit();

    // Confirms that the renames are on the medium: on Linux it flushes the folder; on Windows
    // every rename wrote through already. A test may put a failure in its place.
    std::function<bool()> confirmRenames;

private:
    struct Pending
    {
        QString temporary;
        QString name;
        // Holds the temporary file's lock until it is renamed into place (a descriptor on Linux,
        // a handle on Windows); -1 when none is held.
        qintptr lock = -1;
    };
    // The platform's steps of commit: every copy flushed to the medium (one flush of the whole
    // file system on Linux, each copy on Windows); one copy renamed over its name.
    bool flushCopies();
    bool putInPlace(const Pending &pending);
    void removeFrom(qsizetype first);
    void releaseLocks();

    QString m_folder;
    // The folder, opened once: a descriptor on Linux, a handle on Windows.
    qintptr m_folderHandle = -1;
    bool m_leftoversRemoved = false;
    qsizetype m_lockBudget = 0;
    QList<Pending> m_pending;
};

// Reads a whole block of kCopyBlockSize unless the end of the file comes first; false when nothing
// was left.
bool readBlock(RegularFileReader &file, QByteArray &block);

// Whether the copy holds exactly the bytes of the original. The copy's pages are first dropped
// from the page cache, so that its bytes are read back from the medium rather than from the
// memory they were written from. A file that cannot be read counts as different.
bool sameAsOnMedium(const QString &original, const QString &copy);

#endif
