#include "app/filelock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::FileLock(QString path) : m_path(std::move(path)) { }

FileLock::~FileLock()
{
    unlock();
}

FileLock::Result FileLock::tryLock()
{
    if (m_fd >= 0)
        return Result::Locked;
    // A link in place of the lock file is refused rather than followed.
    const int fd = ::open(
        QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Failed;
    int result;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        const bool contended = errno == EWOULDBLOCK;
        ::close(fd);
        return contended ? Result::HeldElsewhere : Result::Failed;
    }
    m_fd = fd;
    return Result::Locked;
}

FileLock::Result FileLock::lock(std::chrono::milliseconds patience)
{
    const QDeadlineTimer deadline(patience);
    for (;;) {
        const Result result = tryLock();
        if (result != Result::HeldElsewhere || deadline.hasExpired())
            return result;
        QThread::msleep(5);
    }
}

void FileLock::unlock()
{
    if (m_fd < 0)
        return;
    // Closing the only descriptor releases the lock.
    ::close(m_fd);
    m_fd = -1;
}
