#include "app/texteditor.h"

#include "app/editorsearch.h"
#include "app/toplevelwindows.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool openInEditor(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return false;
    for (const TopLevelWindow &window : topLevelWindows()) {
        if (knownTextEditors().contains(window.className, Qt::CaseInsensitive)
            && titleShowsFile(window.title, info.fileName())) {
            activateTopLevelWindow(window.id);
            return true;
        }
    }
    const std::optional<EditorLaunch> launch
        = editorLaunch(info.absoluteFilePath(), qEnvironmentVariable("PATH"));
    if (!launch || !QProcess::startDetached(launch->program, launch->arguments))
        QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
    return true;
}
