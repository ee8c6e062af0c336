#include "ui/messages.h"

#include "records/error.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

MessageScript *s_activeScript = nullptr;

struct Button
{
    QString caption;
    QMessageBox::ButtonRole role;
};

// Shows the box with its buttons, the first one the default, and returns the index of the one
// clicked; Escape and the title bar click the last one.
int showMessage(
    QWidget *parent, MessageKind kind, const QString &text, const QList<Button> &buttons)
{
    if (MessageScript *script = MessageScript::active())
        return script->record(kind, text, int(buttons.size()));

    static const QMessageBox::Icon icons[]
        = {QMessageBox::Information, QMessageBox::Question, QMessageBox::Critical};
    QString shownText = text;
    shownText.replace("\r\n"_L1, "\n"_L1);
    QMessageBox box(
        icons[int(kind)], Messages::caption(kind), shownText, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton *> added;
    for (const Button &button : buttons)
        added.append(box.addButton(button.caption, button.role));
    box.setDefaultButton(qobject_cast<QPushButton *>(added.constFirst()));
    box.setEscapeButton(added.constLast());
    box.exec();
    const qsizetype clicked = added.indexOf(box.clickedButton());
    return int(clicked < 0 ? added.size() - 1 : clicked);
}

const QList<Button> kOkButton{{u"OK"_s, QMessageBox::AcceptRole}};

} // namespace

namespace Messages {

QString caption(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return u"Informationen"_s;
    case MessageKind::Question:
        return u"Bestätigen"_s;
    case MessageKind::Error:
        break;
    }
    return u"Fehler"_s;
}

void information(QWidget *parent, const QString &text)
{
    showMessage(parent, MessageKind::Information, text, kOkButton);
}

bool question(QWidget *parent, const QString &text)
{
    return showMessage(parent, MessageKind::Question, text,
               {{u"&Ja"_s, QMessageBox::YesRole}, {u"&Nein"_s, QMessageBox::NoRole}})
        == 0;
}

MergeChoice mergeQuestion(QWidget *parent, const QString &text)
{
    // The buttons in the order of MergeChoice.
    return MergeChoice(showMessage(parent, MessageKind::Question, text,
        {{u"&Zusammenführen"_s, QMessageBox::AcceptRole},
            {u"&Überschreiben"_s, QMessageBox::AcceptRole},
            {u"Abbrechen"_s, QMessageBox::RejectRole}}));
}

void error(QWidget *parent, const QString &text)
{
    showMessage(parent, MessageKind::Error, text, kOkButton);
}

} // namespace Messages

bool runCommand(QWidget *parent, const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const CommandCancelled &) {
        // The user has cancelled it and knows.
    } catch (const TessaroError &failure) {
        Messages::error(parent, failure.text());
    } catch (const std::exception &failure) {
        Messages::error(parent, QString::fromLocal8Bit(failure.what()));
    }
    return false;
}

MessageScript::MessageScript()
{
    s_activeScript = this;
}

MessageScript::~MessageScript()
{
    s_activeScript = nullptr;
}

QList<ShownMessage> MessageScript::takeShown()
{
    return std::exchange(m_shown, {});
}

MessageScript *MessageScript::active()
{
    return s_activeScript;
}

int MessageScript::record(MessageKind kind, const QString &text, int buttons)
{
    m_shown.append({kind, text});
    if (buttons == 1)
        return 0;
    // Without an answer left, the last button: Escape's.
    return m_answers.isEmpty() ? buttons - 1 : qBound(0, m_answers.takeFirst(), buttons - 1);
}
