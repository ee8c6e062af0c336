#include "ui/messages.h"

#include "records/error.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

MessageScript *s_activeScript = nullptr;

bool showMessage(QWidget *parent, MessageKind kind, const QString &text)
{
    if (MessageScript *script = MessageScript::active())
        return script->record(kind, text);

    static const QMessageBox::Icon icons[]
        = {QMessageBox::Information, QMessageBox::Question, QMessageBox::Critical};
    QString shownText = text;
    shownText.replace("\r\n"_L1, "\n"_L1);
    QMessageBox box(
        icons[int(kind)], Messages::caption(kind), shownText, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    if (kind == MessageKind::Question) {
        QPushButton *yes = box.addButton(u"&Ja"_s, QMessageBox::YesRole);
        QPushButton *no = box.addButton(u"&Nein"_s, QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
    QPushButton *ok = box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return true;
}

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
    showMessage(parent, MessageKind::Information, text);
}

bool question(QWidget *parent, const QString &text)
{
    return showMessage(parent, MessageKind::Question, text);
}

void error(QWidget *parent, const QString &text)
{
    showMessage(parent, MessageKind::Error, text);
}

} // namespace Messages

bool runCommand(QWidget *parent, const std::function<void()> &command)
{
    try {
        command();
        return true;
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

bool MessageScript::record(MessageKind kind, const QString &text)
{
    m_shown.append({kind, text});
    if (kind != MessageKind::Question)
        return true;
    return !m_answers.isEmpty() && m_answers.takeFirst();
}
