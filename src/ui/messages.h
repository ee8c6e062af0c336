#ifndef TESSARO_UI_MESSAGES_H
#define TESSARO_UI_MESSAGES_H

#include "records/daymerge.h"

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through these functions, which give it its kind,
// caption, buttons and German text. Texts are passed as the program defines them ("\r\n" for
// a line break).
enum class MessageKind { Information, Question, Error };

namespace Messages {

// Caption "Informationen", button "OK".
void information(QWidget *parent, const QString &text);
// Caption "Bestätigen", buttons "&Ja" and "&Nein"; Escape and the title bar answer "&Nein".
// True only for "&Ja".
bool question(QWidget *parent, const QString &text);
// Caption "Bestätigen", buttons "&Zusammenführen", "&Überschreiben" and "Abbrechen": the question
// what to do where days would be lost. Enter answers "&Zusammenführen"; Escape and the title bar
// answer "Abbrechen".
MergeChoice mergeQuestion(QWidget *parent, const QString &text);
// Caption "Fehler", button "OK".
void error(QWidget *parent, const QString &text);

QString caption(MessageKind kind);

} // namespace Messages

// Runs a user command. An error that ends it (TessaroError or any other exception) is shown
// with its text as an error message, and the program goes on; a command the user cancelled in a
// question (CommandCancelled) ends without a message. Returns whether the command ran to its
// end.
bool runCommand(QWidget *parent, const std::function<void()> &command);

struct ShownMessage
{
    MessageKind kind;
    QString text;

    bool operator==(const ShownMessage &) const = default;
};

// While an instance exists, message boxes are not shown: each message is recorded and a
// question takes the next scripted answer (Escape's, "&Nein" or "Abbrechen", when none is left).
// For tests.
class MessageScript
{
public:
    MessageScript();
    ~MessageScript();
    MessageScript(const MessageScript &) = delete;
    MessageScript &operator=(const MessageScript &) = delete;

    void answerNext(bool yes) { m_answers.append(yes ? 0 : 1); }
    void answerNext(MergeChoice choice) { m_answers.append(int(choice)); }
    const QList<ShownMessage> &shown() const { return m_shown; }
    // The messages shown so far, emptied.
    QList<ShownMessage> takeShown();

    // Used by the message functions.
    static MessageScript *active();
    // The index of the button answered, of that many.
    int record(MessageKind kind, const QString &text, int buttons);

private:
    QList<int> m_answers;
    QList<ShownMessage> m_shown;
};

#endif
