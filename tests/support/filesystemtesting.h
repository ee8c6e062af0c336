#ifndef TESSARO_TESTS_SUPPORT_FILESYSTEMTESTING_H
#define TESSARO_TESTS_SUPPORT_FILESYSTEMTESTING_H

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

// What the file tests plant and provoke, on each platform as far as it can. Where it cannot, the
// helper says so and the test skips that case.

// While it exists, the calling thread obeys file permissions even when it runs as root, as
// every other user does: the capabilities that override them are switched off. On Windows Qt
// sets no permission bits on a folder, so a test that protects one cannot run: never active.
class PermissionsObeyed
{
public:
#ifdef Q_OS_WIN
    bool isActive() const
    {
        return false;
    }
#else
    PermissionsObeyed()
    {
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_active = ::syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~PermissionsObeyed()
    {
        if (m_active)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    PermissionsObeyed(const PermissionsObeyed &) = delete;
    PermissionsObeyed &operator=(const PermissionsObeyed &) = delete;

    bool isActive() const
    {
        return m_active;
    }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_active = false;
#endif
};

// Lowers the process's file size limit while it exists, so that writes fail half-way as on a full
// medium. Windows has no such limit: never active.
class FileSizeLimit
{
public:
#ifdef Q_OS_WIN
    explicit FileSizeLimit(qint64) { }
    bool isActive() const
    {
        return false;
    }
#else
    explicit FileSizeLimit(qint64 bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_old;
        limited.rlim_cur = rlim_t(bytes);
        m_active = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool isActive() const
    {
        return m_active;
    }

private:
    rlimit m_old{};
    bool m_active = false;
#endif
};

// Holds a file as a writer of the program does while it exists: an flock on Linux, an open
// handle on Windows.
class WriterHold
{
public:
    explicit WriterHold(const QString &path) : m_file(path) { m_file.open(QIODevice::ReadWrite); }
#ifndef Q_OS_WIN
    bool isHeld()
    {
        return m_file.isOpen() && ::flock(m_file.handle(), LOCK_EX | LOCK_NB) == 0;
    }
#else
    bool isHeld() const
    {
        return m_file.isOpen();
    }
#endif

private:
    QFile m_file;
};

// The system's own reason for a file that does not exist.
inline QString missingFileReason()
{
#ifdef Q_OS_WIN
    wchar_t text[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        ERROR_FILE_NOT_FOUND, 0, text, 256, nullptr);
    return QString::fromWCharArray(text).trimmed();
#else
    return QString::fromLocal8Bit(std::strerror(ENOENT));
#endif
}

// A pipe in a folder, which a plain read would wait on for ever; false where there are none
// (Windows).
inline bool makePipe(const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false;
#else
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#endif
}

// A symbolic link; false where a user may not make one (Windows without developer mode).
inline bool makeSymbolicLink(const QString &target, const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(target);
    Q_UNUSED(path);
    return false;
#else
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData())
        == 0;
#endif
}

// A second name of the same file.
inline bool makeHardLink(const QString &target, const QString &path)
{
#ifdef Q_OS_WIN
    return CreateHardLinkW(
        reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
        reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(target).utf16()), nullptr);
#else
    return ::link(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0;
#endif
}

// Gives the file to another user; false where that cannot be had (not root, Windows).
inline bool giveToAnotherUser(const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false;
#else
    return ::chown(QFile::encodeName(path).constData(), 4711, 4711) == 0;
#endif
}

// Sets when the file, folder or link itself was last changed.
inline bool setModificationTime(const QString &path, const QDateTime &time)
{
#ifdef Q_OS_WIN
    const HANDLE file
        = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
            FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // 100 ns steps since 1601.
    const quint64 ticks = quint64(time.toMSecsSinceEpoch() + 11644473600000LL) * 10000;
    const FILETIME changed{DWORD(ticks), DWORD(ticks >> 32)};
    const bool set = SetFileTime(file, nullptr, nullptr, &changed);
    CloseHandle(file);
    return set;
#else
    const timespec changed{time.toSecsSinceEpoch(), 0};
    const timespec times[2] = {changed, changed};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW)
        == 0;
#endif
}

#endif
