#include "records/replacefile.h"

#include "records/error.h"
#include "records/temporaryfiles_windows.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void throwCreateError(const QString &path, DWORD error)
{
    throw TessaroError(createErrorText(path, windowsErrorReason(error)));
}

bool readAllBytes(HANDLE file, QByteArray *bytes)
{
    char block[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, block, sizeof block, &got, nullptr))
            return false;
        if (got == 0)
            return true;
        bytes->append(block, got);
    }
}

// Writes the bytes over the file's content from its start and cuts it to their length.
bool overwrite(HANDLE file, const QByteArray &bytes)
{
    LARGE_INTEGER start = {};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN)
        && writeAllBytes(file, bytes.constData(), bytes.size()) && SetEndOfFile(file)
        && FlushFileBuffers(file);
}

// Where the folder takes no new file, the file itself is written. A rename cannot be had, so the
// old content is kept in memory: the space for the new one is reserved before a byte changes, and
// after a failed write the old content is put back.
void writeInPlace(const QString &path, const QString &target, const QByteArray &bytes)
{
    WindowsHandle file(CreateFileW(nativePath(target).c_str(), GENERIC_READ | GENERIC_WRITE,
        FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isValid())
        throwCreateError(path, GetLastError());
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        throw TessaroError(createErrorText(path, u"Die Datei ist keine gewöhnliche Datei."_s));
    QByteArray old;
    if (!readAllBytes(file.get(), &old))
        throwCreateError(path, GetLastError());
    FILE_ALLOCATION_INFO allocation = {};
    allocation.AllocationSize.QuadPart = bytes.size();
    if (bytes.size() > old.size()
        && !SetFileInformationByHandle(
            file.get(), FileAllocationInfo, &allocation, sizeof allocation)
        && GetLastError() == ERROR_DISK_FULL)
        throwCreateError(path, ERROR_DISK_FULL);
    if (!overwrite(file.get(), bytes)) {
        const DWORD error = GetLastError();
        overwrite(file.get(), old);
        throwCreateError(path, error);
    }
}

} // namespace

void replaceFile(const QString &path, const QByteArray &bytes, WhereTheFolderRefuses refused)
{
    QFileInfo target(path);
    if (target.isSymbolicLink() && target.exists())
        target = QFileInfo(target.canonicalFilePath());
    const QString folder = target.absolutePath();
    QString temporaryPath;
    WindowsHandle file = createTemporaryFile(folder, target.fileName(), &temporaryPath);
    if (!file.isValid()) {
        const DWORD error = GetLastError();
        if (refused == WhereTheFolderRefuses::WriteInPlace && error == ERROR_ACCESS_DENIED
            && target.isFile())
            return writeInPlace(path, target.absoluteFilePath(), bytes);
        throwCreateError(path, error);
    }
    removeLeftovers(folder, lastWriteTime(file.get()));
    keepAttributes(file.get(), target.absoluteFilePath());
    // The handle stays open through the rename, which it shares: until then it is the file's
    // lock. The rename writes through, so that it is on the medium when it returns.
    if (!writeAllBytes(file.get(), bytes.constData(), bytes.size()) || !FlushFileBuffers(file.get())
        || !MoveFileExW(nativePath(temporaryPath).c_str(),
            nativePath(target.absoluteFilePath()).c_str(),
            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        deleteThroughHandle(file.get());
        throwCreateError(path, error);
    }
}
