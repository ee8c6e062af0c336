#ifndef TESSARO_APP_UPDATEFILE_H
#define TESSARO_APP_UPDATEFILE_H

#include <QByteArray>
#include <QString>

// What the separate updater is told about the running program.
struct UpdateInfo
{
    QString windowTitle; // the main window's current title
    QString programPath; // the full path of the running program file
    int fontPoints = 0; // the font chosen for all windows
    QString fontName;
};

// The update hand-over file "Tessaro.cfg": the program title, the window title, the program
// path, the hand-over key "Tessaro" and "<points> <font name>", in Windows-1252, every line
// ended by CR LF. A line break within a value becomes a blank, so that the file always has
// five lines.
QByteArray updateFileBytes(const UpdateInfo &info);

// "Tessaro.cfg" in the user's temporary folder.
QString updateFilePath();

// Writes the file in place of what is there, also a read-only copy. The temporary folder may be
// shared with other users: a link put in the file's place is removed, never followed, and a file
// of another user is left alone. False when the file cannot be written.
bool writeUpdateFile(const QString &path, const QByteArray &bytes);

#endif
