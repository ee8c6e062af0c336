#include "records/filereading.h"

#include "records/error.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

struct RegularFileReader::UncachedReads
{
};

RegularFileReader::RegularFileReader(const QString &path)
    : m_path(path)
    , m_file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
{
    if (m_file < 0)
        throw TessaroError(openErrorText(path, systemErrorReason(errno)));
    struct stat status
    {
    };
    if (::fstat(m_file, &status) != 0) {
        const QString reason = systemErrorReason(errno);
        ::close(m_file);
        throw TessaroError(openErrorText(path, reason));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(m_file);
        throw TessaroError(openErrorText(path, u"Die Datei ist keine gewöhnliche Datei."_s));
    }
    m_size = status.st_size;
}

RegularFileReader::~RegularFileReader()
{
    ::close(m_file);
}

bool RegularFileReader::readChunk(QByteArray &bytes, qsizetype maxBytes)
{
    const qsizetype before = bytes.size();
    bytes.resize(before + maxBytes);
    ssize_t got;
    do
        got = ::read(m_file, bytes.data() + before, size_t(maxBytes));
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
    ::posix_fadvise(m_file, 0, 0, POSIX_FADV_DONTNEED);
}
