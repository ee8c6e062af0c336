#include "backup/mediumcheck.h"

#include "backup/foldercopy.h"
#include "records/error.h"
#include "records/filereading.h"

bool holdsOnMedium(const QString &path, const QByteArray &bytes)
{
    try {
        RegularFileReader file(path);
        file.dropCachedPages();
        QByteArray held;
        held.reserve(bytes.size());
        // One block more than expected is enough to tell a longer file.
        while (held.size() <= bytes.size() && file.readChunk(held, kReadBlockSize)) { }
        return held == bytes;
    } catch (const TessaroError &) {
        return false;
    }
}
