#include "app/singleinstance.h"

#include "records/atomicwrite.h"
#include "records/error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kMaxNoteBytes = 4096;

// Makes the folder when missing; true when it is a folder of this user's own.
bool isOwnFolder(const QString &path, bool create)
{
    const QByteArray name = QFile::encodeName(path);
    if (create)
        ::mkdir(name.constData(), 0700);
    struct stat status
    {
    };
    return ::lstat(name.constData(), &status) == 0 && S_ISDIR(status.st_mode)
        && status.st_uid == ::getuid();
}

QByteArray readNote(const QString &path)
{
    const int fd = ::open(
        QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray bytes(kMaxNoteBytes, Qt::Uninitialized);
    struct stat status
    {
    };
    ssize_t count = -1;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode))
        count = ::read(fd, bytes.data(), size_t(bytes.size()));
    ::close(fd);
    bytes.resize(count > 0 ? count : 0);
    return bytes;
}

bool processLives(qint64 pid)
{
    // Never 0 or negative: those would address process groups.
    return pid > 0 && pid <= std::numeric_limits<pid_t>::max()
        && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

QString handOverFolderForThisUser()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.startsWith(u'/') && isOwnFolder(runtime, false)
        && isOwnFolder(runtime + u"/Tessaro"_s, true))
        return runtime + u"/Tessaro"_s;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!config.isEmpty() && QDir().mkpath(config) && isOwnFolder(config, false))
        return config;
    return QString();
}

// The lock file "<name>.lock" and the note "<name>.running" in the hand-over folder.
struct InstanceLock::Held
{
    QString notePath;
    FileLock lock;
    bool hasFolder;
    bool published = false;
};

InstanceLock::InstanceLock(const QString &folder, const QString &name)
    : m_held(new Held{folder + u'/' + name + u".running"_s,
        FileLock(folder + u'/' + name + u".lock"_s), !folder.isEmpty()})
{ }

InstanceLock::~InstanceLock()
{
    withdraw();
}

FileLock::Result InstanceLock::acquire()
{
    if (!m_held->hasFolder)
        return FileLock::Result::Failed;
    const FileLock::Result result = m_held->lock.tryLock();
    if (result == FileLock::Result::Locked)
        QFile::remove(m_held->notePath);
    return result;
}

void InstanceLock::publish(const QString &title)
{
    if (!m_held->lock.isLocked())
        return;
    try {
        writeFileAtomically(m_held->notePath,
            QByteArray::number(QCoreApplication::applicationPid()) + '\n' + title.toUtf8() + '\n');
        m_held->published = true;
    } catch (const TessaroError &) {
        // Unpublished, the copy runs on; a second start then ends without a request.
    }
}

void InstanceLock::withdraw()
{
    if (m_held->published)
        QFile::remove(m_held->notePath);
    m_held->published = false;
}

bool findRunningCopy(const QString &folder, const QString &name, const QString &titleEnd)
{
    const QList<QByteArray> lines = readNote(folder + u'/' + name + u".running"_s).split('\n');
    if (lines.size() < 2)
        return false;
    bool isNumber = false;
    const qint64 pid = lines[0].toLongLong(&isNumber);
    // A note left by a copy that crashed names a process that is gone.
    return isNumber && processLives(pid) && titleEndsWith(QString::fromUtf8(lines[1]), titleEnd);
}
