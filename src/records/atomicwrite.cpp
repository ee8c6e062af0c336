#include "records/atomicwrite.h"

#include "records/replacefile.h"

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    replaceFile(path, bytes, WhereTheFolderRefuses::Fail);
}

void saveFile(const QString &path, const QByteArray &bytes)
{
    replaceFile(path, bytes, WhereTheFolderRefuses::WriteInPlace);
}
