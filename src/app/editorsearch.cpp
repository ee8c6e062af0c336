#include "app/editorsearch.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

const QStringList &knownTextEditors()
{
    static const QStringList editors = {u"gnome-text-editor"_s, u"gedit"_s, u"pluma"_s, u"xed"_s,
        u"mousepad"_s, u"kwrite"_s, u"kate"_s, u"featherpad"_s};
    return editors;
}

QString findOnPath(const QString &name, const QString &pathList)
{
    for (const QString &folder : pathList.split(u':', Qt::SkipEmptyParts)) {
        if (!folder.startsWith(u'/'))
            continue;
        const QFileInfo candidate(folder + u'/' + name);
        if (candidate.isFile() && candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    return QString();
}

std::optional<EditorLaunch> editorLaunch(const QString &file, const QString &pathList)
{
    for (const QString &editor : knownTextEditors()) {
        const QString program = findOnPath(editor, pathList);
        if (!program.isEmpty())
            return EditorLaunch{program, {file}};
    }
    return std::nullopt;
}

bool titleShowsFile(const QString &title, const QString &fileName)
{
    const QStringView shown
        = QStringView(title).startsWith(u'*') ? QStringView(title).mid(1) : QStringView(title);
    return !fileName.isEmpty() && shown.startsWith(fileName)
        && (shown.size() == fileName.size() || shown[fileName.size()].isSpace());
}
