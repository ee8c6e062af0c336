#ifndef TESSARO_APP_X11WINDOWS_H
#define TESSARO_APP_X11WINDOWS_H

#include <QList>
#include <QString>

// The top-level windows of an X11 desktop, as its window manager lists them. Elsewhere (Wayland,
// the offscreen platform) the list is empty and activation does nothing.
struct TopLevelWindow
{
    quint32 id = 0;
    QString title;
    // The first part of WM_CLASS, the program's own name for its windows.
    QString instanceName;
};

QList<TopLevelWindow> topLevelWindows();

// Asks the window manager to activate the window as a task bar does. Window managers follow such
// a request even when the program asking is in the background, where they refuse a program's
// own request to take the focus.
void activateX11Window(quint32 id);

#endif
