#ifndef TESSARO_APP_HANDOVERSTORE_H
#define TESSARO_APP_HANDOVERSTORE_H

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// One request for the running copy of the program. A field that is not empty asks for its
// action: parameters to hand over, coming to the front, closing.
struct HandOverRequest
{
    QString parameters;
    QString setFocus;
    QString close;

    bool isEmpty() const { return parameters.isEmpty() && setFocus.isEmpty() && close.isEmpty(); }
    bool operator==(const HandOverRequest &) const = default;
};

// The names of a request's values, in the order in which they are read and written.
inline const std::array<QString, 3> kHandOverValueNames = {QStringLiteral("ProgramParameters"),
    QStringLiteral("ProgramSetFocus"), QStringLiteral("ProgramClose")};
// A longer value has the wrong type.
inline constexpr qsizetype kMaxHandOverValueLength = 32767;

// The request's field of the value named kHandOverValueNames[index].
template<typename Request>
auto *requestField(Request &request, size_t index)
{
    return std::array{&request.parameters, &request.setFocus, &request.close}[index];
}

// The three kinds of request. An empty value gives the default: the arguments joined for
// parameters, "1" for the other two.
HandOverRequest parametersRequest(const QString &parameters, const QStringList &arguments);
HandOverRequest setFocusRequest(const QString &value = QString());
HandOverRequest closeRequest(const QString &value = QString());

// The text when it is not empty; otherwise the arguments, each trimmed, the non-empty ones each
// followed by "|" unless it is the last argument.
QString joinParameters(const QString &text, const QStringList &arguments);

// The per-user store through which any process of the user leaves a request for the running
// copy. On Windows it is the registry key keyName directly below HKEY_CURRENT_USER, holding the
// three values as strings; a value of another type is consumed without effect, and the key is
// deleted once it holds no value. Elsewhere it is the text file "<key>.handover" in the hand-over
// folder, one value a line, written as "ProgramParameters=...", "ProgramSetFocus=..." or
// "ProgramClose=..." in UTF-8 ("\\", "\n" and
// "\r" stand for a backslash, a line feed and a carriage return). Writing and consuming happen
// value by value under the lock file "<key>.handover.lock"; the file is removed once it holds no
// value. Lines of other names are foreign values and stay.
//
// Whatever the file holds, nothing hangs or fails: a value that is not UTF-8, holds a NUL or is
// longer than 32,767 characters has the wrong type and is consumed without effect; lines that are
// no values, a file over 64 KiB and anything but a plain file (a link, a pipe) are removed. A
// file that is empty or ends in an unfinished line is left alone for a second after its last
// change, so that a program writing it bit by bit ("echo ... >> file") is not cut off.
class HandOverStore
{
public:
    // folder: the hand-over folder (handOverFolderForThisUser); unused on Windows.
    HandOverStore(const QString &folder, const QString &keyName);

    QString path() const { return m_path; }

    // Adds the request's non-empty fields, replacing values of the same names. An empty request
    // is done at once without touching the store. False when the store cannot be written.
    bool write(const HandOverRequest &request) const;
    // Consumes the three values; the request when at least one of them existed, otherwise
    // nothing. A value of the wrong type leaves its field empty.
    std::optional<HandOverRequest> take() const;

private:
    QString m_path;
    QString m_lockPath;
};

#endif
