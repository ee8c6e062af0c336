#include "records/atomicfile.h"

#include "records/error.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString reasonFor(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

[[noreturn]] void throwCreateError(const QString &path, int errorNumber)
{
    throw TessaroError(createErrorText(path, reasonFor(errorNumber)));
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
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

// Opens a new file beside target with a name nobody else uses: ".<name>.<random>.tmp".
int createTemporaryBeside(const QFileInfo &target, QByteArray *temporaryName)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = u"%1/.%2.%3.tmp"_s.arg(target.absolutePath(), target.fileName(),
            QString::number(QRandomGenerator::global()->generate(), 36));
        *temporaryName = QFile::encodeName(name);
        const int fd
            = ::open(temporaryName->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

QString openErrorText(const QString &path, const QString &reason)
{
    return u"Datei %1 kann nicht geöffnet werden. %2"_s.arg(path, reason);
}

QString createErrorText(const QString &path, const QString &reason)
{
    return u"Datei \"%1\" kann nicht erstellt werden. %2"_s.arg(path, reason);
}

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

RegularFileReader::RegularFileReader(const QString &path)
    : m_path(path)
    , m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
{
    if (m_fd < 0)
        throw TessaroError(openErrorText(path, reasonFor(errno)));
    struct stat status
    {
    };
    if (::fstat(m_fd, &status) != 0) {
        const QString reason = reasonFor(errno);
        ::close(m_fd);
        throw TessaroError(openErrorText(path, reason));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(m_fd);
        throw TessaroError(openErrorText(path, u"Die Datei ist keine gewöhnliche Datei."_s));
    }
    m_size = status.st_size;
}

RegularFileReader::~RegularFileReader()
{
    ::close(m_fd);
}

bool RegularFileReader::readChunk(QByteArray &bytes, qsizetype maxBytes)
{
    const qsizetype before = bytes.size();
    bytes.resize(before + maxBytes);
    ssize_t got;
    do
        got = ::read(m_fd, bytes.data() + before, size_t(maxBytes));
    while (got < 0 && errno == EINTR);
    if (got < 0) {
        const QString reason = reasonFor(errno);
        bytes.resize(before);
        throw TessaroError(openErrorText(m_path, reason));
    }
    bytes.resize(before + got);
    return got > 0;
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

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QFileInfo target(path);
    if (target.isSymLink() && target.exists())
        target = QFileInfo(target.canonicalFilePath());

    QByteArray temporaryName;
    const int fd = createTemporaryBeside(target, &temporaryName);
    if (fd < 0)
        throwCreateError(path, errno);

    struct stat oldStatus
    {
    };
    const bool keepMode
        = ::stat(QFile::encodeName(target.absoluteFilePath()).constData(), &oldStatus) == 0;
    const bool written = writeAll(fd, bytes)
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

void makeWritableByOwner(const QString &path)
{
    QFile file(path);
    if (file.exists())
        file.setPermissions(file.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
