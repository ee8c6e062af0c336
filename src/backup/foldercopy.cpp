#include "backup/foldercopy.h"

#include "records/atomicwrite.h"
#include "records/error.h"
#include "records/filereading.h"
#include "records/temporaryfiles.h"

#include <QFile>

#include <utility>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

// How many copies may hold their lock open until the renames: half the descriptors the process
// may open, so that a run of many files never runs short of descriptors for the copies
// themselves. The copies beyond stay unlocked.
qsizetype lockBudget()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 512;
    return qsizetype(limit.rlim_cur / 2);
}

} // namespace

FolderCopy::FolderCopy(const QString &destinationFolder)
    : flushFolder(::fsync)
    , m_folderFd(::open(
          QFile::encodeName(destinationFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    , m_lockBudget(lockBudget())
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
        fd = createTemporaryFile(m_folderFd, name, &temporary);
        copied = fd >= 0;
        struct stat created
        {
        };
        if (copied && !std::exchange(m_leftoversRemoved, true) && ::fstat(fd, &created) == 0)
            removeLeftovers(m_folderFd, created.st_mtim);
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
    // A second descriptor keeps the lock until the rename; closing the first one reports a failed
    // write on a network drive.
    const int lockFd
        = copied && m_pending.size() < m_lockBudget ? ::fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1;
    if (::close(fd) != 0 || !copied) {
        ::unlinkat(m_folderFd, temporary.constData(), 0);
        if (lockFd >= 0)
            ::close(lockFd);
        return false;
    }
    m_pending.append({temporary, QFile::encodeName(name), lockFd});
    return true;
}

FolderCopy::Commit FolderCopy::commit()
{
    Commit result;
    // One flush of the whole file system writes every copy with a single journal commit, where
    // a flush per file costs one each; it reports any write that failed since the folder was
    // opened.
    if (!m_pending.isEmpty() && ::syncfs(m_folderFd) == 0) {
        while (result.placed < m_pending.size()
            && ::renameat(m_folderFd, m_pending.at(result.placed).temporary.constData(), m_folderFd,
                   m_pending.at(result.placed).name.constData())
                == 0)
            ++result.placed;
        // Until the folder is on the medium, no rename is sure to be.
        result.confirmed = flushFolder(m_folderFd) == 0;
    }
    removeFrom(result.placed);
    releaseLocks();
    m_pending.clear();
    return result;
}

void FolderCopy::removeFrom(qsizetype first)
{
    for (qsizetype i = first; i < m_pending.size(); ++i)
        ::unlinkat(m_folderFd, m_pending.at(i).temporary.constData(), 0);
    // Removed before unlocked, so that no leftover removal takes the name meanwhile.
    for (qsizetype i = first; i < m_pending.size(); ++i) {
        if (m_pending.at(i).lockFd >= 0)
            ::close(m_pending.at(i).lockFd);
    }
    m_pending.remove(first, m_pending.size() - first);
}

void FolderCopy::releaseLocks()
{
    for (const Pending &pending : std::as_const(m_pending)) {
        if (pending.lockFd >= 0)
            ::close(pending.lockFd);
    }
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
