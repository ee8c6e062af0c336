#ifndef TESSARO_MAINWINDOW_SETTINGSSTORE_H
#define TESSARO_MAINWINDOW_SETTINGSSTORE_H

#include <QSettings>
#include <QString>

#include <optional>

// Where this user's settings are kept. Windows: the registry key
// "HKEY_CURRENT_USER\Software\Tessaro". Linux: "Tessaro.ini" in the program's configuration
// folder.
QString settingsLocationForThisUser();

// The user's settings: one INI file, or a registry key where the path names one
// ("HKEY_CURRENT_USER\..."), holding the values "AktOrdner", "Teilnehmer", "HintColor",
// "FontName", "FontSize", "FontColor", "FontCharSet" and "FontStyle"; numbers are stored as
// 32-bit numbers (REG_DWORD), texts as texts. Values are read one at a time, so that a bad value
// stops the loading exactly there.
class SettingsStore
{
public:
    explicit SettingsStore(const QString &path);

    // False when the file exists but cannot be read or parsed; then nothing is loaded.
    bool isReadable() const;

    // Empty when the value is missing. A value that is not a whole number raises
    // "Ungültiger Datentyp für '%s'"; one that needs more than 32 bits raises
    // "Fehler beim Holen der Daten für '%s'". Numbers up to 0xFFFFFFFF are read as the
    // signed 32-bit value of the same bits.
    std::optional<qint32> readInteger(const QString &name) const;
    // Empty when missing; a value that is no single text (a list, binary data) raises
    // "Ungültiger Datentyp für '%s'".
    std::optional<QString> readString(const QString &name) const;

    void writeInteger(const QString &name, qint32 value);
    void writeString(const QString &name, const QString &value);
    // Writes the file atomically. When it cannot be written, raises
    // "Fehler beim Setzen der Daten für '%s'" with the first value written.
    void save();

private:
    QSettings m_settings;
    QString m_firstWritten;
};

#endif
