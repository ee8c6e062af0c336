#include "records/replacefile.h"

#include "records/error.h"
#include "records/temporaryfiles_posix.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

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

// The whole content of an open file, from its start; false with errno set on a read error.
bool readAllBytes(int fd, QByteArray *bytes)
{
    char block[65536];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        bytes->append(block, got);
    }
}

// Writes the bytes over the file's content from its start and cuts it to their length.
bool overwrite(int fd, const QByteArray &bytes)
{
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAllBytes(fd, bytes.constData(), bytes.size())
        && ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0;
}

// Where the folder takes no new file, the file itself is written. A rename cannot be had, so the
// old content is kept in memory: the space for the new one is reserved before a byte changes
// (where the file system can reserve), and after a failed write the old content is put back.
void writeInPlace(const QString &path, const QByteArray &target, const QByteArray &bytes)
{
    const int fd = ::open(target.constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throwCreateError(path, errno);
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0)
        throwCreateError(path, errno);
    if (!S_ISREG(status.st_mode))
        throw TessaroError(createErrorText(path, u"Die Datei ist keine gewöhnliche Datei."_s));
    QByteArray old;
    if (!readAllBytes(fd, &old))
        throwCreateError(path, errno);
    if (bytes.size() > old.size()
        && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, old.size(), bytes.size() - old.size()) != 0
        && errno != EOPNOTSUPP && errno != ENOSYS)
        throwCreateError(path, errno);
    if (!overwrite(fd, bytes)) {
        const int error = errno;
        overwrite(fd, old);
        throwCreateError(path, error);
    }
}

} // namespace

void replaceFile(const QString &path, const QByteArray &bytes, WhereTheFolderRefuses refused)
{
    QFileInfo target(path);
    if (target.isSymLink() && target.exists())
        target = QFileInfo(target.canonicalFilePath());
    const QByteArray name = QFile::encodeName(target.fileName());
    const int folderFd = ::open(
        QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        throwCreateError(path, errno);
    const auto closeFolder = qScopeGuard([folderFd] { ::close(folderFd); });

    QByteArray temporaryName;
    const int fd = createTemporaryFile(folderFd, target.fileName(), &temporaryName);
    if (fd < 0) {
        const int error = errno;
        struct stat old
        {
        };
        if (refused == WhereTheFolderRefuses::WriteInPlace && (error == EACCES || error == EPERM)
            && ::fstatat(folderFd, name.constData(), &old, 0) == 0)
            return writeInPlace(path, QFile::encodeName(target.absoluteFilePath()), bytes);
        throwCreateError(path, error);
    }
    // Closed only after the rename: until then the lock tells other writers that it is in use.
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat created
    {
    };
    if (::fstat(fd, &created) == 0)
        removeLeftovers(folderFd, created.st_mtim);

    struct stat old
    {
    };
    const bool replacing = ::fstatat(folderFd, name.constData(), &old, 0) == 0;
    if (!writeAllBytes(fd, bytes.constData(), bytes.size())
        || (replacing && !keepOwnerAndPermissions(fd, old)) || ::fsync(fd) != 0
        || ::renameat(folderFd, temporaryName.constData(), folderFd, name.constData()) != 0) {
        const int error = errno;
        ::unlinkat(folderFd, temporaryName.constData(), 0);
        throwCreateError(path, error);
    }
    // Makes the rename durable: the folder entry itself is flushed.
    ::fsync(folderFd);
}
