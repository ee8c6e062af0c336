#ifndef TESSARO_APP_STARTUP_H
#define TESSARO_APP_STARTUP_H

#include <QString>

#include "app/handoverwatcher.h"

class InstanceLock;
class MainWindow;

// The program's main routine. The lock comes first: a second start hands over and ends without
// an application object. The first copy creates the application, makes Qt's accessibility
// right before any window exists, and runs.
int runProgram(int argc, char *argv[]);

// A second start: when the running copy's windows exist, leaves it the request to come to the
// front, and nothing otherwise. The second start's own arguments are not passed on. Creates no
// window and needs no application object. Returns the exit code.
int handOverToRunningCopy(const QString &folder);

// What the running copy does with each request: parameters reach the main window, which has no
// use for them; coming to the front raises the program; closing runs "&Beenden" as the user
// would, after closing an open dialog as by Escape.
HandOverHandlers handOverHandlers(MainWindow *window);

// The running copy, once the application object exists: creates all windows, shows the main
// window, watches the hand-over store, publishes itself to second starts through the lock, and
// runs until the main window closes; then withdraws and stops the watcher. Without a hand-over
// folder it runs alone, without hand-over. Returns the exit code.
int runFirstCopy(const QString &folder, InstanceLock &lock);

#endif
