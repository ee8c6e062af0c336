#include "app/bringtofront.h"

#include "app/toplevelwindows.h"

#include <QApplication>
#include <QWidget>

namespace {

void bringOwnedWindowsToFront(QWidget *owner)
{
    for (QObject *child : owner->children()) {
        auto *window = qobject_cast<QWidget *>(child);
        if (window && window->isWindow() && window->isVisible()) {
            bringWindowToFront(window);
            bringOwnedWindowsToFront(window);
        }
    }
}

} // namespace

void bringWindowToFront(QWidget *window)
{
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
    activateTopLevelWindow(window->winId());
}

void bringProgramToFront(QWidget *mainWindow)
{
    if (!mainWindow->isVisible())
        return;
    bringWindowToFront(mainWindow);
    bringOwnedWindowsToFront(mainWindow);
    if (QWidget *modal = QApplication::activeModalWidget())
        bringWindowToFront(modal);
}
