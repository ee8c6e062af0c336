#include "app/updatefile.h"

#include "app/singleinstance.h"
#include "records/atomicwrite.h"
#include "records/error.h"
#include "records/fileoperations.h"
#include "records/windows1252.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Makes the path name a plain file of this user's own. Once it does, no other user can remove or
// replace it, even in a shared folder with the sticky bit, so writing it is safe.
bool claimOwnFile(const QByteArray &path)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd
            = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return true;
        }
        if (errno != EEXIST)
            return false;
        struct stat status
        {
        };
        if (::lstat(path.constData(), &status) != 0)
            continue;
        if (status.st_uid != ::getuid())
            return false;
        if (S_ISREG(status.st_mode))
            return true;
        if (!S_ISLNK(status.st_mode) || ::unlink(path.constData()) != 0)
            return false;
    }
    return false;
}

} // namespace

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
    if (!claimOwnFile(QFile::encodeName(path)))
        return false;
    makeWritableByOwner(path);
    try {
        writeFileAtomically(path, bytes);
        return true;
    } catch (const TessaroError &) {
        return false;
    }
}
