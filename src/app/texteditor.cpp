#include "app/texteditor.h"

#include "app/editorsearch.h"
#include "app/x11windows.h"

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
        if (knownTextEditors().contains(window.instanceName, Qt::CaseInsensitive)
            && titleShowsFile(window.title, info.fileName())) {
            activateX11Window(window.id);
            return true;
        }
    }
    const std::optional<EditorLaunch> launch
        = editorLaunch(info.absoluteFilePath(), qEnvironmentVariable("PATH"));
    if (!launch || !QProcess::startDetached(launch->program, launch->arguments))
        QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
    return true;
}
