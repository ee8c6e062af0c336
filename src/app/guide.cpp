#include "app/guide.h"

#include "records/filereading.h"

#include <QDir>

using namespace Qt::StringLiterals;

QString guidePath(const QString &programFolder)
{
    const QString name = u"Bedienungsanleitung.txt"_s;
    if (fileExists(programFolder + name))
        return programFolder + name;
    return QDir::cleanPath(
        programFolder + QStringLiteral(TESSARO_INSTALLED_GUIDE_FOLDER) + u'/' + name);
}

QString readGuide(const QString &path)
{
    return QString::fromUtf8(readWholeFile(path));
}
