#include "backup/foldercopy.h"

#include "records/error.h"
#include "records/filereading.h"

bool readBlock(RegularFileReader &file, QByteArray &block)
{
    block.resize(0);
    while (block.size() < kCopyBlockSize && file.readChunk(block, kCopyBlockSize - block.size())) {
    }
    return !block.isEmpty();
}

FolderCopy::Commit FolderCopy::commit()
{
    Commit result;
    if (!m_pending.isEmpty() && flushCopies()) {
        while (result.placed < m_pending.size() && putInPlace(m_pending.at(result.placed)))
            ++result.placed;
        // Until the renames are on the medium, none of them is sure to be.
        result.confirmed = confirmRenames();
    }
    removeFrom(result.placed);
    releaseLocks();
    m_pending.clear();
    return result;
}

bool sameAsOnMedium(const QString &original, const QString &copy)
{
    try {
        RegularFileReader source(original);
        RegularFileReader target(copy);
        target.dropCachedPages();
        QByteArray sourceBlock;
        QByteArray targetBlock;
        sourceBlock.reserve(kCopyBlockSize);
        targetBlock.reserve(kCopyBlockSize);
        for (;;) {
            const bool sourceLeft = readBlock(source, sourceBlock);
            const bool targetLeft = readBlock(target, targetBlock);
            if (sourceBlock != targetBlock)
                return false;
            if (!sourceLeft || !targetLeft)
                return sourceLeft == targetLeft;
        }
    } catch (const TessaroError &) {
        return false;
    }
}
