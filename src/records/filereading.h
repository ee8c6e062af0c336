#ifndef TESSARO_RECORDS_FILEREADING_H
#define TESSARO_RECORDS_FILEREADING_H

#include <QByteArray>
#include <QString>

#include <memory>

// Reading the files that hold user data. Failures raise TessaroError with the text
// "Datei %s kann nicht geöffnet werden. %s", the path and the reason.

// The existence test of participant files: true for an existing file (links followed), false
// for a missing path or a folder.
bool fileExists(const QString &path);

// A file opened for reading. Only regular files are opened, and without blocking, so that a
// pipe or device named like a participant file is refused instead of waiting for a writer.
class RegularFileReader
{
public:
    explicit RegularFileReader(const QString &path);
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader &) = delete;
    RegularFileReader &operator=(const RegularFileReader &) = delete;

    qint64 size() const { return m_size; }
    // Appends up to maxBytes to bytes; false at the end of the file.
    bool readChunk(QByteArray &bytes, qsizetype maxBytes);
    // Called before the first read: makes the reads come from the medium rather than from the
    // system's cache. On Linux the file's pages are dropped from the page cache (only pages
    // already written out can be); on Windows the file is read past the cache.
    void dropCachedPages();

private:
    // The platform's reads past the cache (Windows); none on Linux.
    struct UncachedReads;

    QString m_path;
    // A descriptor on Linux, a handle on Windows.
    qintptr m_file = -1;
    qint64 m_size = 0;
    std::unique_ptr<UncachedReads> m_uncached;
};

// The block in which files are copied and compared, so that none is ever read whole into memory.
inline constexpr qsizetype kReadBlockSize = 65536;

// Reads a whole block of kReadBlockSize unless the end of the file comes first; false when nothing
// was left.
bool readBlock(RegularFileReader &file, QByteArray &block);

// Reads the whole file through a RegularFileReader.
QByteArray readWholeFile(const QString &path);

#endif
