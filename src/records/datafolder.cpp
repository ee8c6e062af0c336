#include "records/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

QString withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

QString documentsFolder()
{
    return withTrailingSeparator(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString programFolder()
{
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}

bool isInstalledCopy(const QString &programFolder)
{
    return QFileInfo::exists(programFolder + QLatin1String("Uninstall.exe"));
}

QString dataFolderPath(DataFolderChoice choice, const QString &documents, const QString &program)
{
    const QString &base = choice == DataFolderChoice::Documents ? documents : program;
    return withTrailingSeparator(base) + QLatin1String("Tessaro/");
}

QStringList participantFileNames(const QString &folder)
{
    QStringList names;
    QDirIterator entries(
        folder.isEmpty() ? QStringLiteral(".") : folder, QDir::Files | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        if (entries.fileName().endsWith(QLatin1String(".dat"), Qt::CaseInsensitive))
            names.append(entries.fileName());
    }
    return names;
}

QStringList subfolderNames(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Unsorted);
}
