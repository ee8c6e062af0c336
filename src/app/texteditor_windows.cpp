#include "app/texteditor.h"

#include "app/toplevelwindows.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <windows.h>

#include <shellapi.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString withBackslash(const QString &folder)
{
    return folder.isEmpty() || folder.endsWith(u'\\') ? folder : folder + u'\\';
}

// The first folder of the list that holds the file; empty when none does.
QString searchFolders(const QString &name, const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QString candidate = withBackslash(folder) + name;
        if (!folder.isEmpty() && QFileInfo(candidate).isFile())
            return candidate;
    }
    return QString();
}

QStringList pathFolders()
{
    return qEnvironmentVariable("path").split(u';', Qt::SkipEmptyParts);
}

// The programs folder as the system records it, from the 64-bit view of the registry.
QString programFilesFolder()
{
    const QSettings key(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"_s,
        QSettings::Registry64Format);
    return withBackslash(key.value(u"ProgramFilesDir"_s).toString());
}

QString notepad()
{
    const QString standard
        = withBackslash(qEnvironmentVariable("SystemRoot")) + u"System32\\notepad.exe"_s;
    return QFileInfo(standard).isFile() ? standard : searchFolders(u"notepad.exe"_s, pathFolders());
}

QString wordPad()
{
    const QString standard = withBackslash(qEnvironmentVariable("ProgramFiles"))
        + u"Windows NT\\Accessories\\wordpad.exe"_s;
    if (QFileInfo(standard).isFile())
        return standard;
    const QString programFiles = programFilesFolder();
    QStringList folders{u"c:\\Program Files (x86)\\Windows Nt\\Accessories\\"_s};
    folders += pathFolders();
    if (!programFiles.isEmpty()) {
        folders += {programFiles + u"Windows Nt\\Zubehör\\"_s,
            programFiles + u"Windows Nt\\Accessories\\"_s, programFiles + u"Zubehör\\"_s};
    }
    return searchFolders(u"WordPad.exe"_s, folders);
}

QString quotedWhereBlank(const QString &text)
{
    return text.contains(u' ') ? u'"' + text + u'"' : text;
}

// A window of WordPad or Notepad that shows the file, also with unsaved changes.
std::optional<WId> editorWindowShowing(const QString &fileName)
{
    const QList<TopLevelWindow> windows = topLevelWindows();
    for (const QString &title : {fileName + u" - WordPad"_s, fileName + u" - Editor"_s,
             u"*"_s + fileName + u" - Editor"_s}) {
        for (const TopLevelWindow &window : windows) {
            if (window.title == title)
                return window.id;
        }
    }
    return std::nullopt;
}

void shellOpen(const QString &file, const QString &parameters)
{
    const std::wstring fileText = quotedWhereBlank(file).toStdWString();
    const std::wstring parameterText = quotedWhereBlank(parameters).toStdWString();
    ShellExecuteW(nullptr, L"open", fileText.c_str(),
        parameters.isEmpty() ? nullptr : parameterText.c_str(), nullptr, SW_SHOWNORMAL);
}

} // namespace

bool openInEditor(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return false;
    if (const std::optional<WId> window = editorWindowShowing(info.fileName())) {
        activateTopLevelWindow(*window);
        return true;
    }
    const QString path = QDir::toNativeSeparators(info.absoluteFilePath());
    QString editor = wordPad();
    if (editor.isEmpty())
        editor = notepad();
    if (editor.isEmpty())
        shellOpen(path, QString());
    else
        shellOpen(editor, path);
    return true;
}
