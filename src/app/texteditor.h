#ifndef TESSARO_APP_TEXTEDITOR_H
#define TESSARO_APP_TEXTEDITOR_H

#include <QString>

// Shows a text file in a plain-text editor. An editor window that already shows it is brought to
// the front instead, where the window system lets the program see other programs' windows.
// Linux (X11): a window of knownTextEditors() whose title shows the file; otherwise the first
// editor of knownTextEditors() found on PATH opens it, or else the program the desktop associates
// with text files. Windows: a window titled "<name> - WordPad", "<name> - Editor" or
// "*<name> - Editor"; otherwise WordPad opens it, or Notepad, or else the program associated with
// the file. False only when the file does not exist.
bool openInEditor(const QString &file);

#endif
