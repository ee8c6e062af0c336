#ifndef TESSARO_RECORDS_TEMPORARYFILES_WINDOWS_H
#define TESSARO_RECORDS_TEMPORARYFILES_WINDOWS_H

#include "records/temporaryfiles.h"

#include <string>
#include <utility>

#include <windows.h>

// The Windows half of records/temporaryfiles.h, with the few pieces every Windows file twin needs.

// Owns a handle and closes it when it goes.
class WindowsHandle
{
public:
    WindowsHandle() = default;
    explicit WindowsHandle(HANDLE handle) : m_handle(handle) { }
    ~WindowsHandle() { close(); }
    WindowsHandle(WindowsHandle &&other) noexcept
        : m_handle(std::exchange(other.m_handle, INVALID_HANDLE_VALUE))
    { }
    WindowsHandle &operator=(WindowsHandle &&other) noexcept
    {
        if (this != &other) {
            close();
            m_handle = std::exchange(other.m_handle, INVALID_HANDLE_VALUE);
        }
        return *this;
    }

    bool isValid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE get() const { return m_handle; }
    // Gives the handle up without closing it.
    HANDLE release() { return std::exchange(m_handle, INVALID_HANDLE_VALUE); }
    // False when closing reported an error (a write that failed late, on a network drive).
    bool close();

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

// A path as Windows' own calls take it: absolute, with backslashes, and with the "\\?\" prefix
// where it is too long for the classic limit.
std::wstring nativePath(const QString &path);

// Windows' own text for an error code, in the user's language.
QString windowsErrorReason(DWORD error);

// Creates a new temporary file for the file fileName (a bare name) in the folder, open for
// writing and deleting. The open handle is the file's lock: it shares nothing but deletion, which a
// rename needs, so nobody can open the file exclusively while it is open; and only an exclusive
// opening removes a leftover. temporaryPath receives the new file's path. An invalid handle with
// the error in GetLastError on failure.
WindowsHandle createTemporaryFile(
    const QString &folder, const QString &fileName, QString *temporaryPath);

// When the open file was last written, in Windows' file time (100 ns since 1601); 0 when unknown.
quint64 lastWriteTime(HANDLE file);

// Removes the leftovers of interrupted writes from the folder: files named as
// newTemporaryFileName names them, plain files (no folder, no link), last written before reference
// (the time of the write in progress' own temporary file, from the same clock) and open nowhere.
// Everything else stays, and so does whatever cannot be checked. Unlike on Linux the owner is not
// asked: a file that nobody holds open has lost its writer, whoever that was.
void removeLeftovers(const QString &folder, quint64 reference);

// Gives the new file of the handle the attributes of the file it replaces (hidden, system,
// archive), so that a hidden file stays hidden.
void keepAttributes(HANDLE file, const QString &replaced);

// Removes a file through a handle opened with deletion rights; the name goes when it closes.
bool deleteThroughHandle(HANDLE file);

// Writes all bytes, repeating short writes; false with the error in GetLastError.
bool writeAllBytes(HANDLE file, const char *data, qsizetype size);

#endif
