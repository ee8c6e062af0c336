#include "participants/lineinputdialog.h"

#include "participants/participantlisting.h"
#include "participants/participantname.h"

#include "records/dayformat.h"
#include "speech/announcefield.h"
#include "ui/dialoggeometry.h"
#include "ui/messages.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

struct Question
{
    QString caption;
    QString label;
};

const Question &questionFor(InputQuestion question)
{
    static const Question questions[] = {
        {u"Teilnehmer umbenennen"_s, u"Name:"_s},
        {u"Geben Sie eine neue Klasse ein"_s, u"Klasse:"_s},
        {u"Geben Sie das zu suchende Datum ein"_s, u"Suchdatum:"_s},
        {u"Geben Sie einen neuen Kommentar ein"_s, u"Kommentar:"_s},
    };
    return questions[int(question) - 1];
}

} // namespace

LineInputDialog::LineInputDialog(QWidget *mainWindow, ScreenReaderFront *front)
    : AdaptiveDialog(mainWindow, LookKinds{}, true)
{
    m_ui.label = new QLabel(this);
    m_ui.edit = new QLineEdit(this);
    m_ui.edit->setMaxLength(100);
    m_ui.edit->installEventFilter(this);
    m_ui.okButton = new QPushButton(this);
    m_ui.cancelButton = new QPushButton(this);
    m_ui.okButton->setDefault(true);

    connect(m_ui.edit, &QLineEdit::textChanged, this, &LineInputDialog::updateOkButton);
    connect(m_ui.okButton, &QPushButton::clicked, this, &LineInputDialog::confirm);
    connect(m_ui.cancelButton, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    setTabOrder(m_ui.okButton, m_ui.cancelButton);
    setTabOrder(m_ui.cancelButton, m_ui.edit);
    announceField(m_ui.edit, m_ui.label, front);
    setCaptions();
}

void LineInputDialog::setCaptions()
{
    const Question &texts = questionFor(question);
    setWindowTitle(texts.caption);
    m_ui.label->setText(texts.label);
    m_ui.okButton->setText(u"O&K"_s);
    m_ui.cancelButton->setText(u"&Abbrechen"_s);
}

void LineInputDialog::layoutControls()
{
    const InputDialogGeometry g
        = layoutInputDialog(measureButtons({m_ui.okButton, m_ui.cancelButton}),
            m_ui.label->sizeHint(), m_ui.edit->sizeHint().height(), maxClientSize());
    m_ui.label->setGeometry(g.label);
    m_ui.edit->setGeometry(g.edit);
    m_ui.okButton->setGeometry(g.okButton);
    m_ui.cancelButton->setGeometry(g.cancelButton);
    setClientSize(g.client);
}

void LineInputDialog::prepareToShow()
{
    setCaptions();
    layoutControls();
    updateOkButton();
    m_ui.edit->setFocus();
    m_ui.edit->selectAll();
}

bool LineInputDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.edit && event->type() == QEvent::KeyPress
        && upperCaseTypedKey(static_cast<QKeyEvent *>(event)))
        return true;
    return AdaptiveDialog::eventFilter(watched, event);
}

bool LineInputDialog::upperCaseTypedKey(QKeyEvent *event)
{
    if (question != InputQuestion::SearchDate)
        return false;
    // The edit receives the key again with its text upper-cased; text that arrives otherwise,
    // pasted for instance, stays as it is.
    const QString upper = upperCased(event->text());
    if (upper == event->text())
        return false;
    QKeyEvent upperKey(QEvent::KeyPress, event->key(), event->modifiers(), upper,
        event->isAutoRepeat(), ushort(event->count()));
    QCoreApplication::sendEvent(m_ui.edit, &upperKey);
    return true;
}

void LineInputDialog::updateOkButton()
{
    m_ui.okButton->setEnabled(trimmedText(m_ui.edit->text()).size() >= (allowsEmpty ? 0 : 1));
}

void LineInputDialog::confirm()
{
    if (question == InputQuestion::NewName) {
        if (const std::optional<QString> refusal
            = participantNameError(trimmedText(m_ui.edit->text()))) {
            Messages::information(this, *refusal);
            m_ui.edit->selectAll();
            m_ui.edit->setFocus();
            return;
        }
    }
    done(QDialog::Accepted);
}
