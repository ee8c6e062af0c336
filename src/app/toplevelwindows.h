#ifndef TESSARO_APP_TOPLEVELWINDOWS_H
#define TESSARO_APP_TOPLEVELWINDOWS_H

#include <QList>
#include <QString>
#include <QWindow>

// The top-level windows of the desktop, of every program. Linux: as an X11 window manager lists
// them; elsewhere on Linux (Wayland, the offscreen platform) the list is empty and activation does
// nothing. Windows: in the order of their stacking, the topmost first.
struct TopLevelWindow
{
    WId id = 0;
    QString title;
    // X11: the first part of WM_CLASS, the program's own name for its windows. Windows: the
    // window's class name.
    QString className;
};

QList<TopLevelWindow> topLevelWindows();

// Brings a window of any program to the front, as a task bar does. X11: a request to the window
// manager, which follows it even when the program asking is in the background, where it refuses a
// program's own request to take the focus. Windows: the window is restored when minimised and
// made the foreground window; where Windows refuses that to a program in the background, the
// input of the current foreground window's thread is borrowed for it, and failing that the
// foreground lock time-out is set to zero for the moment. True when it is in front afterwards
// (X11: when the request went out).
bool activateTopLevelWindow(WId id);

#endif
