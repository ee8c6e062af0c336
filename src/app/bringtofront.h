#ifndef TESSARO_APP_BRINGTOFRONT_H
#define TESSARO_APP_BRINGTOFRONT_H

class QWidget;

// Brings a window to the front: restored when minimised, raised and activated, and also
// activated as a task bar does (activateTopLevelWindow), since a program in the background is
// otherwise often refused the focus.
void bringWindowToFront(QWidget *window);

// Brings the running program to the front: the main window first, then every visible window it
// owns, in the order of their creation and each followed by the windows it owns, and last the
// modal window the user is working in, which gets the keyboard. Nothing while the main window is
// hidden (closing).
void bringProgramToFront(QWidget *mainWindow);

#endif
