#include "records/fileoperations.h"

#include "records/temporaryfiles_windows.h"

using namespace Qt::StringLiterals;

bool moveFileNoReplace(const QString &from, const QString &to)
{
    // Without MOVEFILE_REPLACE_EXISTING a name that is taken is refused, unless it names the
    // same file: a change of letter case.
    return MoveFileExW(nativePath(from).c_str(), nativePath(to).c_str(), 0);
}

bool folderTakesNewFiles(const QString &folder)
{
    QString path;
    WindowsHandle probe = createTemporaryFile(folder, u"Schreibprobe"_s, &path);
    return probe.isValid() && deleteThroughHandle(probe.get());
}

bool claimOwnFile(const QString &path)
{
    // The temporary folder is the user's own on Windows; only a link or folder in the way is
    // refused.
    const std::wstring name = nativePath(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    WindowsHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.isValid() && GetFileType(file.get()) == FILE_TYPE_DISK;
}
