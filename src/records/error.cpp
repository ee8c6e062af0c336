#include "records/error.h"

#include <cstring>

using namespace Qt::StringLiterals;

QString openErrorText(const QString &path, const QString &reason)
{
    return u"Datei %1 kann nicht geöffnet werden. %2"_s.arg(path, reason);
}

QString createErrorText(const QString &path, const QString &reason)
{
    return u"Datei \"%1\" kann nicht erstellt werden. %2"_s.arg(path, reason);
}

QString systemErrorReason(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}
