#include "records/filereading.h"

#include <QFileInfo>

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool readBlock(RegularFileReader &file, QByteArray &block)
{
    block.resize(0);
    while (block.size() < kReadBlockSize && file.readChunk(block, kReadBlockSize - block.size())) {
    }
    return !block.isEmpty();
}

QByteArray readWholeFile(const QString &path)
{
    RegularFileReader file(path);
    // One read takes the whole file; the next one finds its end.
    const qsizetype chunk = qsizetype(qMax<qint64>(64 * 1024, file.size() + 1));
    QByteArray bytes;
    while (file.readChunk(bytes, chunk)) { }
    return bytes;
}
