#include "records/atomicwrite.h"

#include "records/error.h"
#include "records/filereading.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void throwCreateError(const QString &path, int errorNumber)
{
    throw TessaroError(createErrorText(path, systemErrorReason(errorNumber)));
}

// Makes a rename durable: the folder entry itself is flushed.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

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

int createTemporaryFile(int folderFd, const QString &prefix, QByteArray *name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = QFile::encodeName(u"%1.%2.tmp"_s.arg(
            prefix, QString::number(QRandomGenerator::global()->generate(), 36)));
        const int fd
            = ::openat(folderFd, name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QFileInfo target(path);
    if (target.isSymLink() && target.exists())
        target = QFileInfo(target.canonicalFilePath());

    // ".<name>.<random>.tmp" beside the file.
    QByteArray temporaryName;
    const int fd = createTemporaryFile(
        AT_FDCWD, u"%1/.%2"_s.arg(target.absolutePath(), target.fileName()), &temporaryName);
    if (fd < 0)
        throwCreateError(path, errno);

    struct stat oldStatus
    {
    };
    const bool keepMode
        = ::stat(QFile::encodeName(target.absoluteFilePath()).constData(), &oldStatus) == 0;
    const bool written = writeAllBytes(fd, bytes.constData(), bytes.size())
        && (!keepMode || ::fchmod(fd, oldStatus.st_mode & 07777) == 0) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    const int closeError = errno;
    if (!written || !closed) {
        ::unlink(temporaryName.constData());
        throwCreateError(path, !written ? writeError : closeError);
    }
    if (::rename(
            temporaryName.constData(), QFile::encodeName(target.absoluteFilePath()).constData())
        != 0) {
        const int renameError = errno;
        ::unlink(temporaryName.constData());
        throwCreateError(path, renameError);
    }
    syncFolder(target.absolutePath());
}

void copyFileAtomically(const QString &source, const QString &target)
{
    writeFileAtomically(target, readWholeFile(source));
}
