#include "records/folderwrite.h"

#include "records/error.h"
#include "records/fileoperations.h"
#include "records/filereading.h"

#include <QDir>

qsizetype FolderWrite::Commit::placedInOrder() const
{
    const qsizetype first = placed.indexOf(false);
    return first < 0 ? placed.size() : first;
}

bool FolderWrite::copyIn(const QString &source, const QString &name)
{
    try {
        RegularFileReader reader(source);
        return stage(
            name, Placing::Replace, QByteArray(),
            [&reader](QByteArray &block) {
                try {
                    return readBlock(reader, block) ? Block::Read : Block::End;
                } catch (const TessaroError &) {
                    return Block::Failed;
                }
            },
            nullptr);
    } catch (const TessaroError &) {
        return false;
    }
}

void FolderWrite::writeIn(
    const QString &name, const QByteArray &bytes, Placing placing, const QByteArray &expected)
{
    bool given = false;
    QString reason;
    const auto once = [&](QByteArray &block) {
        block = bytes;
        return std::exchange(given, true) ? Block::End : Block::Read;
    };
    if (!stage(name, placing, expected, once, &reason))
        throw TessaroError(createErrorText(QDir(m_folder).filePath(name), reason));
}

FolderWrite::Commit FolderWrite::commit(AfterAFailure after)
{
    Commit result;
    result.placed.fill(false, m_pending.size());
    if (!m_pending.isEmpty() && flushCopies()) {
        for (qsizetype i = 0; i < m_pending.size(); ++i) {
            result.placed[i] = mayPutInPlace(m_pending.at(i)) && putInPlace(m_pending.at(i));
            if (!result.placed[i] && after == AfterAFailure::StopPlacing)
                break;
        }
        // Until the renames are on the medium, none of them is sure to be.
        result.confirmed = confirmRenames();
    }
    // Removed before unlocked, so that no leftover removal takes the name meanwhile.
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (!result.placed[i])
            remove(m_pending.at(i));
    }
    for (Pending &pending : m_pending)
        releaseLock(pending);
    m_pending.clear();
    return result;
}

bool FolderWrite::putInPlace(const Pending &pending)
{
    if (pending.placing == Placing::Create) {
        return moveFileNoReplace(
            QDir(m_folder).filePath(pending.temporary), QDir(m_folder).filePath(pending.name));
    }
    return renameOver(pending);
}

bool FolderWrite::mayPutInPlace(const Pending &pending) const
{
    if (pending.placing != Placing::ReplaceUnchanged)
        return true;
    try {
        return readWholeFile(QDir(m_folder).filePath(pending.name)) == pending.expected;
    } catch (const TessaroError &) {
        return false;
    }
}
