#include "records/fileoperations.h"

#include <QFile>
#include <QFileInfo>

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

bool isWriteProtected(const QString &path)
{
    const QFileInfo file(path);
    return file.exists() && (!file.isWritable() || !file.permission(QFileDevice::WriteOwner));
}

void makeWritableByOwner(const QString &path)
{
    QFile file(path);
    if (file.exists())
        file.setPermissions(file.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
