#ifndef TESSARO_RECORDS_ATOMICFILE_H
#define TESSARO_RECORDS_ATOMICFILE_H

#include <QByteArray>
#include <QString>

// File access for everything that holds user data. Failures raise TessaroError with the texts
// the user sees: "Datei %s kann nicht geöffnet werden. %s" for reading and
// "Datei \"%s\" kann nicht erstellt werden. %s" for writing, with the path and the reason.

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

private:
    QString m_path;
    int m_fd = -1;
    qint64 m_size = 0;
};

// Reads the whole file through a RegularFileReader.
QByteArray readWholeFile(const QString &path);

// Replaces the file's content without ever leaving it truncated: the bytes go to a temporary
// file in the same folder, which is flushed to disk and then renamed over the file. When
// anything fails the temporary file is removed and the old file is left exactly as it was.
// A link is followed, so the file it points to receives the content.
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// Copies source to target through writeFileAtomically.
void copyFileAtomically(const QString &source, const QString &target);

// Gives a file a new name without ever replacing another file: false when a file of the new
// name exists (unless it is the same file, named in another letter case on a file system that
// ignores case) or the system refuses. A change of letter case alone is a valid rename.
bool moveFileNoReplace(const QString &from, const QString &to);

// "Clear all attributes": makes an existing file readable and writable by its owner.
void makeWritableByOwner(const QString &path);

QString openErrorText(const QString &path, const QString &reason);
QString createErrorText(const QString &path, const QString &reason);

#endif
