#ifndef TESSARO_UI_WINDOWACTIVATION_H
#define TESSARO_UI_WINDOWACTIVATION_H

class QWidget;

// Makes sure a window of the program is active after every modal dialog or message box
// closes. Window managers do not always give the keyboard focus back: with openbox, a message
// box and a dialog closing one after the other left no window active in about half of the
// tries, and then keys reached nothing and the screen reader said nothing. Once the closing is
// handled, the modal window still open, or else the main window, is raised and activated; it
// gives the focus back to the field that holds it in that window. Lives as long as mainWindow.
void keepAWindowActive(QWidget *mainWindow);

#endif
