#include "app/updatefile.h"

#include "app/singleinstance.h"
#include "records/atomicwrite.h"
#include "records/error.h"
#include "records/fileoperations.h"
#include "records/windows1252.h"

#include <QDir>

using namespace Qt::StringLiterals;

QByteArray updateFileBytes(const UpdateInfo &info)
{
    const QString lines[] = {kProgramTitle, info.windowTitle, info.programPath, kHandOverKey,
        u"%1 %2"_s.arg(info.fontPoints).arg(info.fontName)};
    QByteArray bytes;
    for (QString line : lines) {
        // A line break in a value (a file name may hold one) would move every later line.
        line.replace(u'\r', u' ').replace(u'\n', u' ');
        bytes += Windows1252::encode(line) + "\r\n";
    }
    return bytes;
}

QString updateFilePath()
{
    return QDir::tempPath() + u"/Tessaro.cfg"_s;
}

bool writeUpdateFile(const QString &path, const QByteArray &bytes)
{
    if (!claimOwnFile(path))
        return false;
    makeWritableByOwner(path);
    try {
        writeFileAtomically(path, bytes);
        return true;
    } catch (const TessaroError &) {
        return false;
    }
}
