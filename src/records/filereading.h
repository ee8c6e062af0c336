#ifndef TESSARO_RECORDS_FILEREADING_H
#define TESSARO_RECORDS_FILEREADING_H

#include <QByteArray>
#include <QString>

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
    // Drops the file's pages from the page cache, so that the following reads come from the
    // medium. Only pages that are already written out can be dropped.
    void dropCachedPages();

private:
    QString m_path;
    int m_fd = -1;
    qint64 m_size = 0;
};

// Reads the whole file through a RegularFileReader.
QByteArray readWholeFile(const QString &path);

#endif
