#include "backup/foldercopy.h"

#include "records/atomicwrite.h"
#include "records/error.h"
#include "records/filereading.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Reads a whole block unless the end of the file comes first; false when nothing was left.
bool readBlock(RegularFileReader &file, QByteArray &block)
{
    block.resize(0);
    while (block.size() < kCopyBlockSize && file.readChunk(block, kCopyBlockSize - block.size())) {
    }
    return !block.isEmpty();
}

} // namespace

FolderCopy::FolderCopy(const QString &destinationFolder)
    : m_folderFd(::open(
        QFile::encodeName(destinationFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{ }

FolderCopy::~FolderCopy()
{
    removeFrom(0);
    if (m_folderFd >= 0)
        ::close(m_folderFd);
}

bool FolderCopy::copyIn(const QString &source, const QString &name)
{
    if (m_folderFd < 0)
        return false;
    QByteArray temporary;
    int fd = -1;
    bool copied = false;
    try {
        RegularFileReader reader(source);
        fd = createTemporaryFile(m_folderFd, QLatin1Char('.') + name, &temporary);
        copied = fd >= 0;
        QByteArray block;
        block.reserve(kCopyBlockSize);
        while (copied && readBlock(reader, block))
            copied = writeAllBytes(fd, block.constData(), block.size());
    } catch (const TessaroError &) {
        copied = false;
    }
    if (fd < 0)
        return false;
    // Writing to the medium starts now, so that the flush in commit has little left to do.
    if (copied)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    if (::close(fd) != 0 || !copied) {
        ::unlinkat(m_folderFd, temporary.constData(), 0);
        return false;
    }
    m_pending.append({temporary, QFile::encodeName(name)});
    return true;
}

qsizetype FolderCopy::commit()
{
    if (m_pending.isEmpty())
        return 0;
    // One flush of the whole file system writes every copy with a single journal commit, where
    // a flush per file costs one each; it reports any write that failed since the folder was
    // opened.
    qsizetype placed = 0;
    if (::syncfs(m_folderFd) == 0) {
        while (placed < m_pending.size()
            && ::renameat(m_folderFd, m_pending.at(placed).temporary.constData(), m_folderFd,
                   m_pending.at(placed).name.constData())
                == 0)
            ++placed;
        // Until the folder is on the medium, no rename is sure to be.
        if (::fsync(m_folderFd) != 0)
            placed = 0;
    }
    removeFrom(placed);
    m_pending.clear();
    return placed;
}

void FolderCopy::removeFrom(qsizetype first)
{
    for (qsizetype i = first; i < m_pending.size(); ++i)
        ::unlinkat(m_folderFd, m_pending.at(i).temporary.constData(), 0);
    m_pending.remove(first, m_pending.size() - first);
}

bool sameAsOnMedium(const QString &original, const QString &copy)
{
    try {
        RegularFileReader source(original);
        RegularFileReader target(copy);
        target.dropCachedPages();
        QByteArray sourceBlock;
        QByteArray targetBlock;
        sourceBlock.reserve(kCopyBlockSize);
        targetBlock.reserve(kCopyBlockSize);
        for (;;) {
            const bool sourceLeft = readBlock(source, sourceBlock);
            const bool targetLeft = readBlock(target, targetBlock);
            if (sourceBlock != targetBlock)
                return false;
            if (!sourceLeft || !targetLeft)
                return sourceLeft == targetLeft;
        }
    } catch (const TessaroError &) {
        return false;
    }
}
