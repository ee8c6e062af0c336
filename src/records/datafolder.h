#ifndef TESSARO_RECORDS_DATAFOLDER_H
#define TESSARO_RECORDS_DATAFOLDER_H

#include <QString>
#include <QStringList>

// Where the participant files lie: "Tessaro/" below the documents folder or below the
// program's folder. Every folder path here ends in "/".
enum class DataFolderChoice { Documents, ProgramFolder };

// The folder with "/" appended unless it already ends in one; empty stays empty.
QString withTrailingSeparator(const QString &folder);

// The user's documents folder, or empty when none is known.
QString documentsFolder();
// The folder of the running executable.
QString programFolder();

// Whether the program runs as an installed copy, whose program folder an update replaces and an
// uninstall removes, so that it must never hold the participant files by default: its uninstaller
// "Uninstall.exe" lies beside the program. A portable copy (unpacked, on a stick) has none.
bool isInstalledCopy(const QString &programFolder);

// base + "Tessaro/", where base is the documents or the program folder; with no documents
// folder known the result is the relative "Tessaro/".
QString dataFolderPath(DataFolderChoice choice, const QString &documents, const QString &program);

// The participant files of a folder (a path ending in "/", or empty for the current folder), as
// names in the order the file system gives them: every entry whose name ends in ".dat" in any
// letter case and that is no folder, hidden ones included. Pipes, devices and broken links are
// taken too, so that one that cannot be read is reported instead of silently missing.
QStringList participantFileNames(const QString &folder);

// The folders directly in a folder (a path ending in "/"), hidden ones included, links to folders
// not; in the order the file system gives them. A data folder keeps the files of past school
// years in such folders.
QStringList subfolderNames(const QString &folder);

#endif
