#include "app/singleinstance.h"

#include "app/toplevelwindows.h"

#include <windows.h>

using namespace Qt::StringLiterals;

// The named mutex; its name lives in the user's session, so each logged-on user runs one copy.
struct InstanceLock::Held
{
    std::wstring name;
    HANDLE mutex = nullptr;
};

QString handOverFolderForThisUser()
{
    return u"HKEY_CURRENT_USER"_s;
}

InstanceLock::InstanceLock(const QString &, const QString &name)
    : m_held(new Held{name.toStdWString()})
{ }

InstanceLock::~InstanceLock()
{
    if (m_held->mutex) {
        ReleaseMutex(m_held->mutex);
        CloseHandle(m_held->mutex);
    }
}

FileLock::Result InstanceLock::acquire()
{
    if (m_held->mutex)
        return FileLock::Result::Locked;
    const HANDLE mutex = CreateMutexW(nullptr, TRUE, m_held->name.c_str());
    if (!mutex)
        return FileLock::Result::Failed;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return FileLock::Result::HeldElsewhere;
    }
    m_held->mutex = mutex;
    return FileLock::Result::Locked;
}

void InstanceLock::publish(const QString &) { }

void InstanceLock::withdraw() { }

bool findRunningCopy(const QString &, const QString &, const QString &titleEnd)
{
    for (const TopLevelWindow &window : topLevelWindows()) {
        if (titleEndsWith(window.title, titleEnd))
            return true;
    }
    return false;
}
