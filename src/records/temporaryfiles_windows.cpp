#include "records/temporaryfiles_windows.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The attributes a replaced file passes on to its successor; read-only is not among them, since
// a read-only file is never replaced.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM
    | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The classic path limit, less room for a file name appended by Windows itself.
constexpr qsizetype kClassicPathLimit = MAX_PATH - 12;

quint64 fileTime(const FILETIME &time)
{
    return (quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool isPlainFile(DWORD attributes)
{
    return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

void removeIfLeftover(const QString &path, quint64 reference)
{
    // Exclusive: fails while the writer, or anybody else, has the file open.
    WindowsHandle file(CreateFileW(nativePath(path).c_str(), DELETE | FILE_READ_ATTRIBUTES, 0,
        nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION status;
    // Checked again on the opened file: the name must still name a leftover.
    if (file.isValid() && GetFileInformationByHandle(file.get(), &status)
        && isPlainFile(status.dwFileAttributes) && fileTime(status.ftLastWriteTime) < reference)
        deleteThroughHandle(file.get());
}

} // namespace

bool WindowsHandle::close()
{
    if (!isValid())
        return true;
    return CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE));
}

std::wstring nativePath(const QString &path)
{
    QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (native.size() >= kClassicPathLimit && !native.startsWith(u"\\\\?\\"_s)) {
        native = native.startsWith(u"\\\\"_s) ? u"\\\\?\\UNC\\"_s + native.mid(2)
                                              : u"\\\\?\\"_s + native;
    }
    return native.toStdWString();
}

QString windowsErrorReason(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    const QString reason = length > 0 ? QString::fromWCharArray(text, int(length)).trimmed()
                                      : u"Fehler %1"_s.arg(error);
    LocalFree(text);
    return reason;
}

WindowsHandle createTemporaryFile(
    const QString &folder, const QString &fileName, QString *temporaryPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporaryPath = folder + u'/' + newTemporaryFileName(fileName);
        WindowsHandle file(CreateFileW(nativePath(*temporaryPath).c_str(), GENERIC_WRITE | DELETE,
            FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.isValid() || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return WindowsHandle();
}

quint64 lastWriteTime(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION status;
    return GetFileInformationByHandle(file, &status) ? fileTime(status.ftLastWriteTime) : 0;
}

void removeLeftovers(const QString &folder, quint64 reference)
{
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileExW(nativePath(folder + u"/.*"_s).c_str(), FindExInfoBasic,
        &entry, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const QString name = QString::fromWCharArray(entry.cFileName);
        if (isTemporaryFileName(name.toUtf8()) && isPlainFile(entry.dwFileAttributes)
            && fileTime(entry.ftLastWriteTime) < reference)
            removeIfLeftover(folder + u'/' + name, reference);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

// Gives the new file the attributes of the one it replaces, so that a hidden file stays hidden.
void keepAttributes(HANDLE file, const QString &replaced)
{
    const DWORD old = GetFileAttributesW(nativePath(replaced).c_str());
    if (old == INVALID_FILE_ATTRIBUTES || !(old & kKeptAttributes))
        return;
    FILE_BASIC_INFO basic = {};
    basic.FileAttributes = old & kKeptAttributes;
    SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic);
}

bool deleteThroughHandle(HANDLE file)
{
    FILE_DISPOSITION_INFO disposition = {TRUE};
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

bool writeAllBytes(HANDLE file, const char *data, qsizetype size)
{
    while (size > 0) {
        const DWORD chunk = DWORD(qMin<qsizetype>(size, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr))
            return false;
        data += written;
        size -= written;
    }
    return true;
}
