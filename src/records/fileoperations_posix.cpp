#include "records/fileoperations.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool moveFileNoReplace(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    struct stat sourceStatus
    {
    };
    struct stat targetStatus
    {
    };
    if (::lstat(source.constData(), &sourceStatus) != 0)
        return false;
    if (::lstat(target.constData(), &targetStatus) == 0) {
        const bool sameFile = sourceStatus.st_dev == targetStatus.st_dev
            && sourceStatus.st_ino == targetStatus.st_ino;
        return sameFile && ::rename(source.constData(), target.constData()) == 0;
    }
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE)
        == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without that flag: a new link fails when the name is taken.
    if (::link(source.constData(), target.constData()) == 0)
        return ::unlink(source.constData()) == 0;
    if (errno == EEXIST)
        return false;
    // Nor links (FAT): the test above stands guard.
    return ::rename(source.constData(), target.constData()) == 0;
}

bool folderTakesNewFiles(const QString &folder)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS)
        == 0;
}

bool claimOwnFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd
            = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return true;
        }
        if (errno != EEXIST)
            return false;
        struct stat status
        {
        };
        if (::lstat(name.constData(), &status) != 0)
            continue;
        if (status.st_uid != ::getuid())
            return false;
        if (S_ISREG(status.st_mode))
            return true;
        if (!S_ISLNK(status.st_mode) || ::unlink(name.constData()) != 0)
            return false;
    }
    return false;
}
