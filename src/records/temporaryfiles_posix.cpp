#include "records/temporaryfiles_posix.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool changedBefore(const struct stat &status, const timespec &reference)
{
    return status.st_mtim.tv_sec < reference.tv_sec
        || (status.st_mtim.tv_sec == reference.tv_sec
            && status.st_mtim.tv_nsec < reference.tv_nsec);
}

bool mayBeLeftover(const struct stat &status, const timespec &reference)
{
    return S_ISREG(status.st_mode) && status.st_uid == ::geteuid()
        && changedBefore(status, reference);
}

// Takes the lock of a file just created. False when the name no longer names it: a leftover
// removal that took the file for a leftover between its creation and the lock removes it.
bool lockAsItsWriter(int folderFd, const QByteArray &name, int fd)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return errno != EWOULDBLOCK;
    struct stat opened
    {
    };
    struct stat named
    {
    };
    return ::fstat(fd, &opened) == 0
        && ::fstatat(folderFd, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
        && sameFile(opened, named);
}

void removeIfLeftover(int folderFd, const char *name, const timespec &reference)
{
    struct stat named
    {
    };
    if (::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) != 0
        || !mayBeLeftover(named, reference))
        return;
    // Opened for writing where it can be: a network file system grants an exclusive lock only
    // then. Never a link, and never waiting on a pipe put in its place meanwhile.
    constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::openat(folderFd, name, O_RDWR | flags);
    if (fd < 0)
        fd = ::openat(folderFd, name, O_RDONLY | flags);
    if (fd < 0)
        return;
    // Checked again under the lock: the name must still name the file that was found.
    struct stat opened
    {
    };
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0
        && ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(opened, named)
        && mayBeLeftover(opened, reference))
        ::unlinkat(folderFd, name, 0);
    ::close(fd);
}

} // namespace

int createTemporaryFile(int folderFd, const QString &fileName, QByteArray *temporaryName)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporaryName = QFile::encodeName(newTemporaryFileName(fileName));
        const int fd = ::openat(
            folderFd, temporaryName->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return -1;
        if (fd < 0)
            continue;
        if (lockAsItsWriter(folderFd, *temporaryName, fd))
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

void removeLeftovers(int folderFd, const timespec &reference)
{
    const int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return;
    DIR *folder = ::fdopendir(listFd);
    if (!folder) {
        ::close(listFd);
        return;
    }
    while (const dirent *entry = ::readdir(folder)) {
        if (isTemporaryFileName(QByteArray(entry->d_name)))
            removeIfLeftover(folderFd, entry->d_name, reference);
    }
    ::closedir(folder);
}

// Gives the new file the old one's permissions, and its owner and group where the user may:
// another user's file keeps at least its group when the user belongs to it.
bool keepOwnerAndPermissions(int fd, const struct stat &old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
        // Neither: the new file is the user's own, in the user's group.
    }
    // After the owner: a change of owner clears the set-user-id bits.
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

bool writeAllBytes(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}
