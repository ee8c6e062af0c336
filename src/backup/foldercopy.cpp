#include "backup/foldercopy.h"

#include "records/error.h"
#include "records/filereading.h"

bool sameAsOnMedium(const QString &original, const QString &copy)
{
    try {
        RegularFileReader source(original);
        RegularFileReader target(copy);
        target.dropCachedPages();
        QByteArray sourceBlock;
        QByteArray targetBlock;
        sourceBlock.reserve(kReadBlockSize);
        targetBlock.reserve(kReadBlockSize);
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
