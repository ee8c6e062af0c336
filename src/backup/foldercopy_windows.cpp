#include "backup/foldercopy.h"

#include "records/error.h"
#include "records/filereading.h"
#include "records/temporaryfiles_windows.h"

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

FolderCopy::FolderCopy(const QString &destinationFolder)
    // Every rename writes through, and reports a failure itself.
    : confirmRenames([] { return true; })
    , m_folder(destinationFolder)
    // Held open for the whole run, so that the medium cannot be put away unnoticed meanwhile.
    , m_folderHandle(reinterpret_cast<qintptr>(CreateFileW(nativePath(destinationFolder).c_str(),
          FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)))
    , m_lockBudget(kLockBudget)
{ }

FolderCopy::~FolderCopy()
{
    removeFrom(0);
    if (handleOf(m_folderHandle) != INVALID_HANDLE_VALUE)
        CloseHandle(handleOf(m_folderHandle));
}

bool FolderCopy::copyIn(const QString &source, const QString &name)
{
    if (handleOf(m_folderHandle) == INVALID_HANDLE_VALUE)
        return false;
    QString temporary;
    WindowsHandle file;
    bool copied = false;
    try {
        RegularFileReader reader(source);
        file = createTemporaryFile(m_folder, name, &temporary);
        copied = file.isValid();
        if (copied && !std::exchange(m_leftoversRemoved, true))
            removeLeftovers(m_folder, lastWriteTime(file.get()));
        QByteArray block;
        block.reserve(kCopyBlockSize);
        while (copied && readBlock(reader, block))
            copied = writeAllBytes(file.get(), block.constData(), block.size());
    } catch (const TessaroError &) {
        copied = false;
    }
    if (!file.isValid())
        return false;
    // Beyond the budget a copy is flushed and closed at once: a write that failed shows now.
    const bool keepsLock = m_pending.size() < m_lockBudget;
    if (!copied || (!keepsLock && !FlushFileBuffers(file.get()))) {
        deleteThroughHandle(file.get());
        return false;
    }
    const qintptr lock = keepsLock ? reinterpret_cast<qintptr>(file.release()) : -1;
    m_pending.append({QFileInfo(temporary).fileName(), name, lock});
    return true;
}

bool FolderCopy::flushCopies()
{
    // The copies beyond the lock budget were flushed when they were closed.
    return std::all_of(m_pending.cbegin(), m_pending.cend(), [](const Pending &pending) {
        return pending.lock == -1 || FlushFileBuffers(handleOf(pending.lock));
    });
}

bool FolderCopy::putInPlace(const Pending &pending)
{
    // The open handle shares the rename; the rename is on the medium when it returns.
    return MoveFileExW(nativePath(m_folder + u'/' + pending.temporary).c_str(),
        nativePath(m_folder + u'/' + pending.name).c_str(),
        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void FolderCopy::removeFrom(qsizetype first)
{
    for (qsizetype i = first; i < m_pending.size(); ++i) {
        const Pending &pending = m_pending.at(i);
        if (pending.lock != -1) {
            deleteThroughHandle(handleOf(pending.lock));
            CloseHandle(handleOf(pending.lock));
        } else {
            DeleteFileW(nativePath(m_folder + u'/' + pending.temporary).c_str());
        }
    }
    m_pending.remove(first, m_pending.size() - first);
}

void FolderCopy::releaseLocks()
{
    for (const Pending &pending : std::as_const(m_pending)) {
        if (pending.lock != -1)
            CloseHandle(handleOf(pending.lock));
    }
}
