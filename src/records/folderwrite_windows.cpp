#include "records/folderwrite.h"

#include "records/error.h"
#include "records/filereading.h"
#include "records/temporaryfiles_windows.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

// Handles are plentiful on Windows; the budget only keeps a run of many thousand files modest.
constexpr qsizetype kLockBudget = 4096;

HANDLE handleOf(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

FolderWrite::FolderWrite(const QString &folder)
    // Every rename writes through, and reports a failure itself.
    : confirmRenames([] { return true; })
    , m_folder(folder)
    // Held open for the whole run, so that the medium cannot be put away unnoticed meanwhile.
    , m_folderHandle(reinterpret_cast<qintptr>(CreateFileW(nativePath(folder).c_str(),
          FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)))
    , m_lockBudget(kLockBudget)
{ }

FolderWrite::~FolderWrite()
{
    for (Pending &pending : m_pending) {
        remove(pending);
        releaseLock(pending);
    }
    if (handleOf(m_folderHandle) != INVALID_HANDLE_VALUE)
        CloseHandle(handleOf(m_folderHandle));
}

bool FolderWrite::stage(const QString &name, Placing placing, const QByteArray &expected,
    const std::function<Block(QByteArray &block)> &nextBlock, QString *reason)
{
    if (handleOf(m_folderHandle) == INVALID_HANDLE_VALUE) {
        if (reason)
            *reason = windowsErrorReason(ERROR_PATH_NOT_FOUND);
        return false;
    }
    QString temporary;
    WindowsHandle file = createTemporaryFile(m_folder, name, &temporary);
    if (!file.isValid()) {
        if (reason)
            *reason = windowsErrorReason(GetLastError());
        return false;
    }
    if (!std::exchange(m_leftoversRemoved, true))
        removeLeftovers(m_folder, lastWriteTime(file.get()));
    if (placing == Placing::ReplaceUnchanged)
        keepAttributes(file.get(), QDir(m_folder).filePath(name));
    bool written = true;
    DWORD error = 0;
    QByteArray block;
    block.reserve(kReadBlockSize);
    for (Block got = Block::Read; written && (got = nextBlock(block)) != Block::End;) {
        written = got == Block::Read && writeAllBytes(file.get(), block.constData(), block.size());
        error = got == Block::Read ? GetLastError() : ERROR_READ_FAULT;
    }
    // Beyond the budget a file is flushed and closed at once: a write that failed shows now.
    const bool keepsLock = m_pending.size() < m_lockBudget;
    if (written && !keepsLock && !FlushFileBuffers(file.get())) {
        written = false;
        error = GetLastError();
    }
    if (!written) {
        deleteThroughHandle(file.get());
        if (reason)
            *reason = windowsErrorReason(error);
        return false;
    }
    const qintptr lock = keepsLock ? reinterpret_cast<qintptr>(file.release()) : -1;
    m_pending.append({QFileInfo(temporary).fileName(), name, placing, expected, lock});
    return true;
}

bool FolderWrite::flushCopies()
{
    // The files beyond the lock budget were flushed when they were closed.
    return std::all_of(m_pending.cbegin(), m_pending.cend(), [](const Pending &pending) {
        return pending.lock == -1 || FlushFileBuffers(handleOf(pending.lock));
    });
}

bool FolderWrite::renameOver(const Pending &pending)
{
    // The open handle shares the rename; the rename is on the medium when it returns.
    return MoveFileExW(nativePath(QDir(m_folder).filePath(pending.temporary)).c_str(),
        nativePath(QDir(m_folder).filePath(pending.name)).c_str(),
        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void FolderWrite::remove(const Pending &pending)
{
    if (pending.lock != -1)
        deleteThroughHandle(handleOf(pending.lock));
    else
        DeleteFileW(nativePath(QDir(m_folder).filePath(pending.temporary)).c_str());
}

void FolderWrite::releaseLock(Pending &pending)
{
    if (pending.lock != -1)
        CloseHandle(handleOf(std::exchange(pending.lock, -1)));
}
