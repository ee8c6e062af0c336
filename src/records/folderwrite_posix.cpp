#include "records/folderwrite.h"

#include "records/error.h"
#include "records/filereading.h"
#include "records/temporaryfiles_posix.h"

#include <QFile>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How many files may hold their lock open until the renames: half the descriptors the process
// may open, so that a run of many files never runs short of descriptors for the files
// themselves. The files beyond stay unlocked.
qsizetype lockBudget()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 512;
    return qsizetype(limit.rlim_cur / 2);
}

} // namespace

FolderWrite::FolderWrite(const QString &folder)
    : confirmRenames([this] { return ::fsync(int(m_folderHandle)) == 0; })
    , m_folder(folder)
    , m_folderHandle(
          ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    , m_lockBudget(lockBudget())
{ }

FolderWrite::~FolderWrite()
{
    for (Pending &pending : m_pending) {
        remove(pending);
        releaseLock(pending);
    }
    if (m_folderHandle >= 0)
        ::close(int(m_folderHandle));
}

bool FolderWrite::stage(const QString &name, Placing placing, const QByteArray &expected,
    const std::function<Block(QByteArray &block)> &nextBlock, QString *reason)
{
    const int folderFd = int(m_folderHandle);
    QByteArray temporary;
    const int fd = folderFd < 0 ? -1 : createTemporaryFile(folderFd, name, &temporary);
    if (fd < 0) {
        if (reason)
            *reason = systemErrorReason(folderFd < 0 ? ENOENT : errno);
        return false;
    }
    struct stat status
    {
    };
    if (!std::exchange(m_leftoversRemoved, true) && ::fstat(fd, &status) == 0)
        removeLeftovers(folderFd, status.st_mtim);
    bool written = placing != Placing::ReplaceUnchanged
        || ::fstatat(folderFd, QFile::encodeName(name).constData(), &status, 0) != 0
        || keepOwnerAndPermissions(fd, status);
    int error = written ? 0 : errno;
    QByteArray block;
    block.reserve(kReadBlockSize);
    for (Block got = Block::Read; written && (got = nextBlock(block)) != Block::End;) {
        written = got == Block::Read && writeAllBytes(fd, block.constData(), block.size());
        error = got == Block::Read ? errno : EIO;
    }
    // Writing to the medium starts now, so that the flush in commit has little left to do.
    if (written)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    // A second descriptor keeps the lock until the rename; closing the first one reports a failed
    // write on a network drive.
    const int lockFd
        = written && m_pending.size() < m_lockBudget ? ::fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1;
    if (::close(fd) != 0 || !written) {
        if (written)
            error = errno;
        ::unlinkat(folderFd, temporary.constData(), 0);
        if (lockFd >= 0)
            ::close(lockFd);
        if (reason)
            *reason = systemErrorReason(error);
        return false;
    }
    m_pending.append({QFile::decodeName(temporary), name, placing, expected, lockFd});
    return true;
}

bool FolderWrite::flushCopies()
{
    // One flush of the whole file system writes every file with a single journal commit, where
    // a flush per file costs one each; it reports any write that failed since the folder was
    // opened.
    return ::syncfs(int(m_folderHandle)) == 0;
}

bool FolderWrite::renameOver(const Pending &pending)
{
    const int folderFd = int(m_folderHandle);
    return ::renameat(folderFd, QFile::encodeName(pending.temporary).constData(), folderFd,
               QFile::encodeName(pending.name).constData())
        == 0;
}

void FolderWrite::remove(const Pending &pending)
{
    ::unlinkat(int(m_folderHandle), QFile::encodeName(pending.temporary).constData(), 0);
}

void FolderWrite::releaseLock(Pending &pending)
{
    if (pending.lock >= 0)
        ::close(int(std::exchange(pending.lock, -1)));
}
