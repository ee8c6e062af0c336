#ifndef TESSARO_APP_EDITORSEARCH_H
#define TESSARO_APP_EDITORSEARCH_H

#include <QString>
#include <QStringList>

#include <optional>

// The plain-text editors the change history is shown in, the first one found first: the editors
// of GNOME, MATE, Cinnamon, Xfce and KDE, all of which Orca reads.
const QStringList &knownTextEditors();

// The first executable file of that name in a folder of the list (entries separated by ":").
// Only absolute folders count: an empty or relative entry would run whatever program of that
// name lies in the current folder. Empty when none is found.
QString findOnPath(const QString &name, const QString &pathList);

// How a text file is shown: the first known editor found on the path, with the file as its only
// argument (a path with blanks stays one argument). Nothing when no editor is found; the file is
// then opened with the program the desktop associates with it.
struct EditorLaunch
{
    QString program;
    QStringList arguments;

    bool operator==(const EditorLaunch &) const = default;
};
std::optional<EditorLaunch> editorLaunch(const QString &file, const QString &pathList);

// Whether an editor window's title shows the file: editors put the file's name first, followed
// by a blank or nothing, and a "*" before it while it holds unsaved changes.
bool titleShowsFile(const QString &title, const QString &fileName);

#endif
