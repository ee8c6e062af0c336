#include "records/filereading.h"

#include "records/error.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

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
        throw TessaroError(openErrorText(path, systemErrorReason(errno)));
    struct stat status
    {
    };
    if (::fstat(m_fd, &status) != 0) {
        const QString reason = systemErrorReason(errno);
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
        const QString reason = systemErrorReason(errno);
        bytes.resize(before);
        throw TessaroError(openErrorText(m_path, reason));
    }
    bytes.resize(before + got);
    return got > 0;
}

void RegularFileReader::dropCachedPages()
{
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_DONTNEED);
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
