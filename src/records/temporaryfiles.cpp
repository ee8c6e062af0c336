#include "records/temporaryfiles.h"

#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace {

constexpr char kTemporarySuffix[] = ".tessaro.tmp";
// The random part: a 32-bit number in base 36, at most seven digits.
constexpr qsizetype kMaxRandomDigits = 7;

} // namespace

QString newTemporaryFileName(const QString &fileName)
{
    const QString random = QString::number(QRandomGenerator::global()->generate(), 36);
    return u".%1.%2"_s.arg(fileName, random) + QLatin1StringView(kTemporarySuffix);
}

bool isTemporaryFileName(const QByteArray &fileName)
{
    if (!fileName.startsWith('.') || !fileName.endsWith(kTemporarySuffix))
        return false;
    const QByteArray rest = fileName.chopped(qsizetype(sizeof kTemporarySuffix) - 1);
    const qsizetype dot = rest.lastIndexOf('.');
    const QByteArray random = rest.mid(dot + 1);
    if (dot < 2 || random.isEmpty() || random.size() > kMaxRandomDigits)
        return false;
    for (const char c : random) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    }
    bool ok = false;
    return random.toULongLong(&ok, 36) <= 0xFFFFFFFFu && ok;
}
