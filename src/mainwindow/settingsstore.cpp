#include "mainwindow/settingsstore.h"

#include "records/error.h"

#include <QFileInfo>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void throwWrongType(const QString &name)
{
    throw TessaroError(u"Ungültiger Datentyp für '%1'"_s.arg(name));
}

bool isDecimal(QStringView text)
{
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.sliced(1);
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

SettingsStore::SettingsStore(const QString &path)
    : m_settings(path, path.startsWith("HKEY_"_L1) ? QSettings::NativeFormat : QSettings::IniFormat)
{ }

bool SettingsStore::isReadable() const
{
    const QFileInfo file(m_settings.fileName());
    if (file.exists() && !file.isReadable())
        return false;
    return m_settings.status() == QSettings::NoError;
}

std::optional<qint32> SettingsStore::readInteger(const QString &name) const
{
    const QVariant value = m_settings.value(name);
    if (!value.isValid())
        return std::nullopt;
    qint64 number = 0;
    bool ok = false;
    switch (value.typeId()) {
    case QMetaType::QString:
        number = value.toString().trimmed().toLongLong(&ok, 10);
        // Digits that do not even fit 64 bits are still a number, just too big.
        if (!ok && isDecimal(value.toString().trimmed()))
            throw TessaroError(u"Fehler beim Holen der Daten für '%1'"_s.arg(name));
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        number = value.toLongLong(&ok);
        break;
    default:
        break;
    }
    if (!ok)
        throwWrongType(name);
    if (number < std::numeric_limits<qint32>::min()
        || number > qint64(std::numeric_limits<quint32>::max()))
        throw TessaroError(u"Fehler beim Holen der Daten für '%1'"_s.arg(name));
    return qint32(quint32(number));
}

std::optional<QString> SettingsStore::readString(const QString &name) const
{
    const QVariant value = m_settings.value(name);
    if (!value.isValid())
        return std::nullopt;
    if (value.typeId() != QMetaType::QString)
        throwWrongType(name);
    return value.toString();
}

void SettingsStore::writeInteger(const QString &name, qint32 value)
{
    if (m_firstWritten.isEmpty())
        m_firstWritten = name;
    m_settings.setValue(name, value);
}

void SettingsStore::writeString(const QString &name, const QString &value)
{
    if (m_firstWritten.isEmpty())
        m_firstWritten = name;
    m_settings.setValue(name, value);
}

void SettingsStore::save()
{
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        throw TessaroError(u"Fehler beim Setzen der Daten für '%1'"_s.arg(m_firstWritten));
}
