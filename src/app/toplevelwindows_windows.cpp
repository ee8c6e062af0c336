#include "app/toplevelwindows.h"

#include <windows.h>

namespace {

// Titles are read up to this length, as the window walk has always read them.
constexpr int kTitleLength = 260;

BOOL CALLBACK collectWindow(HWND window, LPARAM list)
{
    wchar_t title[kTitleLength + 1] = {};
    wchar_t className[257] = {};
    GetWindowTextW(window, title, kTitleLength + 1);
    GetClassNameW(window, className, 257);
    reinterpret_cast<QList<TopLevelWindow> *>(list)->append({reinterpret_cast<WId>(window),
        QString::fromWCharArray(title), QString::fromWCharArray(className)});
    return TRUE;
}

bool isForeground(HWND window)
{
    return GetForegroundWindow() == window;
}

// Borrows the input of the foreground window's thread, whose program may hand the foreground on.
bool activateThroughForegroundThread(HWND window)
{
    const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    if (foregroundThread == windowThread
        || !AttachThreadInput(windowThread, foregroundThread, TRUE))
        return false;
    BringWindowToTop(window);
    SetForegroundWindow(window);
    AttachThreadInput(windowThread, foregroundThread, FALSE);
    return isForeground(window);
}

// Sets the time during which Windows keeps another program from taking the foreground to zero
// for the moment.
void activateWithoutForegroundLock(HWND window)
{
    DWORD timeout = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
    BringWindowToTop(window);
    SetForegroundWindow(window);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
        reinterpret_cast<void *>(static_cast<quintptr>(timeout)), SPIF_SENDCHANGE);
}

} // namespace

QList<TopLevelWindow> topLevelWindows()
{
    QList<TopLevelWindow> windows;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool activateTopLevelWindow(WId id)
{
    const HWND window = reinterpret_cast<HWND>(id);
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    if (isForeground(window))
        return true;
    if (!activateThroughForegroundThread(window))
        activateWithoutForegroundLock(window);
    return isForeground(window);
}
