#include "participants/participantname.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

bool isControlCharacter(QChar c)
{
    return c.unicode() < 32 || c.unicode() == 127;
}

// The device a name stands for on Windows, or empty. Windows keeps these names for devices
// whatever follows the first dot, and ignores blanks before it: "con.txt" and "Con .dat" name
// the console.
QString deviceName(const QString &name)
{
    QString base = name.left(name.indexOf(u'.')).toUpper();
    while (base.endsWith(u' '))
        base.chop(1);
    static const QStringList fixed{u"CON"_s, u"PRN"_s, u"AUX"_s, u"NUL"_s};
    const bool numbered = base.size() == 4
        && (base.startsWith("COM"_L1) || base.startsWith("LPT"_L1)) && base[3] >= u'1'
        && base[3] <= u'9';
    return numbered || fixed.contains(base) ? base : QString();
}

} // namespace

std::optional<QString> participantNameError(const QString &name)
{
    static const QString refused = u"/\\:*?\"<>|"_s;
    for (const QChar c : name) {
        if (isControlCharacter(c))
            return u"Der Name darf kein Steuerzeichen (Code %1) enthalten."_s.arg(c.unicode());
        if (refused.contains(c))
            return u"Der Name darf das Zeichen \"%1\" nicht enthalten."_s.arg(c);
    }
    if (name == "."_L1 || name == ".."_L1)
        return u"Der Name darf nicht \"%1\" lauten."_s.arg(name);
    if (const QString device = deviceName(name); !device.isEmpty()) {
        return u"Der Name \"%1\" ist nicht erlaubt, "
               u"weil \"%2\" unter Windows ein Gerät bezeichnet."_s.arg(name, device);
    }
    return std::nullopt;
}
