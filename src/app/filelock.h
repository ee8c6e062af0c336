#ifndef TESSARO_APP_FILELOCK_H
#define TESSARO_APP_FILELOCK_H

#include <QString>

#include <chrono>

// An exclusive lock on a lock file (flock). The system drops it when the process ends, however it
// ends, so a copy that crashed leaves the file behind but never the lock. The descriptor is closed
// in every program Tessaro starts; an editor left running would otherwise hold the lock on.
class FileLock
{
public:
    enum class Result {
        Locked,
        // Another process, or another FileLock of this one, holds the lock.
        HeldElsewhere,
        // The lock file cannot be opened or locked at all.
        Failed,
    };

    explicit FileLock(QString path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    Result tryLock();
    // Tries again and again until patience has run out; a lock held that long by someone else
    // gives HeldElsewhere instead of a hang.
    Result lock(std::chrono::milliseconds patience);
    void unlock();
    bool isLocked() const { return m_fd >= 0; }

private:
    QString m_path;
    int m_fd = -1;
};

#endif
