#ifndef TESSARO_RECORDS_ERROR_H
#define TESSARO_RECORDS_ERROR_H

#include <QString>

#include <exception>

// An error that ends the current command and is shown to the user with its German text.
// Raised by the file and settings layers; caught where a command starts, never inside Qt.
class TessaroError : public std::exception
{
public:
    explicit TessaroError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) { }

    const QString &text() const noexcept { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// Ends the current command without a message: the user has cancelled it in a question.
class CommandCancelled : public std::exception
{
public:
    const char *what() const noexcept override { return "cancelled"; }
};

// The texts of file errors, with the path and the system's reason:
// "Datei %s kann nicht geöffnet werden. %s" and "Datei \"%s\" kann nicht erstellt werden. %s".
QString openErrorText(const QString &path, const QString &reason);
QString createErrorText(const QString &path, const QString &reason);
// The system's text for an error number.
QString systemErrorReason(int errorNumber);

#endif
