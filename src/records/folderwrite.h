#ifndef TESSARO_RECORDS_FOLDERWRITE_H
#define TESSARO_RECORDS_FOLDERWRITE_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// Writes many files into one folder so that each file there is at every moment either as it was
// or completely replaced, and so that all of them cost about one flush of the medium, not one
// each: every file is first written into a temporary file of its own in that folder, and all are
// put in place together once they are on the medium. The folder is opened once, so that a volume
// unmounted meanwhile is never replaced by the empty folder it leaves. The first file removes the
// leftovers of interrupted runs from the folder. For the backup's copies, an import's new files
// and a year change's rewritten ones. Used from one thread.
class FolderWrite
{
public:
    // How a file is put in place.
    enum class Placing {
        // Over whatever file of its name is there: a backup's copy.
        Replace,
        // Only while the file of its name still holds the bytes given as expected: a file that
        // another copy of the program changed meanwhile is left as it is. The new file keeps the
        // old one's permissions (on Windows its attributes).
        ReplaceUnchanged,
        // Only where no file of its name exists: an existing file is never replaced.
        Create,
    };

    explicit FolderWrite(const QString &folder);
    // Removes the temporary files of files not put in place.
    ~FolderWrite();
    FolderWrite(const FolderWrite &) = delete;
    FolderWrite &operator=(const FolderWrite &) = delete;

    // Copies the source file, block by block, into a new temporary file, to be put in place as
    // name (Placing::Replace) by commit. False when the source cannot be read or the copy not
    // written; nothing of it then stays behind.
    bool copyIn(const QString &source, const QString &name);
    // Writes the bytes into a new temporary file, to be put in place as name by commit. Raises
    // TessaroError ("Datei ... kann nicht erstellt werden.") when it cannot be written; nothing
    // of it then stays behind.
    void writeIn(const QString &name, const QByteArray &bytes, Placing placing,
        const QByteArray &expected = QByteArray());

    enum class AfterAFailure { StopPlacing, PlaceTheOthers };
    struct Commit
    {
        // For every file given, in that order, whether it was put in place.
        QList<bool> placed;
        // Whether the medium confirmed the renames.
        bool confirmed = false;

        // How many were put in place before the first that was not.
        qsizetype placedInOrder() const;
    };
    // Flushes all files to the medium, then renames each over its name in the order given, and
    // makes sure the renames are on the medium. A file whose placing does not allow it, or whose
    // rename fails, is not put in place; then either the files after it are not put in place
    // either (a backup stops at its first failure) or the others go on. The files not put in place
    // are removed, and the files of their names are left as they were. Nothing is put in place
    // when the medium does not take the files.
    Commit commit(AfterAFailure after = AfterAFailure::StopPlacing);

    // Confirms that the renames are on the medium: on Linux it flushes the folder; on Windows
    // every rename wrote through already. A test may put a failure in its place.
    std::function<bool()> confirmRenames;

private:
    struct Pending
    {
        QString temporary;
        QString name;
        Placing placing = Placing::Replace;
        // ReplaceUnchanged: the bytes the file must still hold.
        QByteArray expected;
        // Holds the temporary file's lock until it is renamed into place (a descriptor on Linux,
        // a handle on Windows); -1 when none is held.
        qintptr lock = -1;
    };
    enum class Block { Read, End, Failed };
    bool putInPlace(const Pending &pending);
    bool mayPutInPlace(const Pending &pending) const;
    // The platform's steps. stage writes the blocks that nextBlock gives into a new temporary
    // file and records it as pending; false (with the system's reason, where asked) when that
    // fails, leaving nothing behind.
    bool stage(const QString &name, Placing placing, const QByteArray &expected,
        const std::function<Block(QByteArray &block)> &nextBlock, QString *reason);
    // Every file flushed to the medium: one flush of the whole file system on Linux, each file
    // on Windows.
    bool flushCopies();
    // Renames the file over its name.
    bool renameOver(const Pending &pending);
    void remove(const Pending &pending);
    void releaseLock(Pending &pending);

    QString m_folder;
    // The folder, opened once: a descriptor on Linux, a handle on Windows.
    qintptr m_folderHandle = -1;
    bool m_leftoversRemoved = false;
    qsizetype m_lockBudget = 0;
    QList<Pending> m_pending;
};

#endif
