#include "backup/foldercopy.h"

#include "records/error.h"
#include "records/filereading.h"
#include "records/temporaryfiles_posix.h"

#include <QFile>

#include <utility>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
    : confirmRenames([this] { return ::fsync(int(m_folderHandle)) == 0; })
    , m_folder(destinationFolder)
    , m_folderHandle(::open(
          QFile::encodeName(destinationFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    , m_lockBudget(lockBudget())
{ }

FolderCopy::~FolderCopy()
{
    removeFrom(0);
    if (m_folderHandle >= 0)
        ::close(int(m_folderHandle));
}

bool FolderCopy::copyIn(const QString &source, const QString &name)
{
    const int folderFd = int(m_folderHandle);
    if (folderFd < 0)
        return false;
    QByteArray temporary;
    int fd = -1;
    bool copied = false;
    try {
        RegularFileReader reader(source);
        fd = createTemporaryFile(folderFd, name, &temporary);
        copied = fd >= 0;
        struct stat created
        {
        };
        if (copied && !std::exchange(m_leftoversRemoved, true) && ::fstat(fd, &created) == 0)
            removeLeftovers(folderFd, created.st_mtim);
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
        ::unlinkat(folderFd, temporary.constData(), 0);
        if (lockFd >= 0)
            ::close(lockFd);
        return false;
    }
    m_pending.append({QFile::decodeName(temporary), name, lockFd});
    return true;
}

bool FolderCopy::flushCopies()
{
    // One flush of the whole file system writes every copy with a single journal commit, where
    // a flush per file costs one each; it reports any write that failed since the folder was
    // opened.
    return ::syncfs(int(m_folderHandle)) == 0;
}

bool FolderCopy::putInPlace(const Pending &pending)
{
    const int folderFd = int(m_folderHandle);
    return ::renameat(folderFd, QFile::encodeName(pending.temporary).constData(), folderFd,
               QFile::encodeName(pending.name).constData())
        == 0;
}

void FolderCopy::removeFrom(qsizetype first)
{
    for (qsizetype i = first; i < m_pending.size(); ++i)
        ::unlinkat(
            int(m_folderHandle), QFile::encodeName(m_pending.at(i).temporary).constData(), 0);
    // Removed before unlocked, so that no leftover removal takes the name meanwhile.
    for (qsizetype i = first; i < m_pending.size(); ++i) {
        if (m_pending.at(i).lock >= 0)
            ::close(int(m_pending.at(i).lock));
    }
    m_pending.remove(first, m_pending.size() - first);
}

void FolderCopy::releaseLocks()
{
    for (const Pending &pending : std::as_const(m_pending)) {
        if (pending.lock >= 0)
            ::close(int(pending.lock));
    }
}
