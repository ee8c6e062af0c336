#include "participants/participantcreationdialog.h"

#include "participants/participantlisting.h"
#include "participants/participantname.h"

#include "records/dayformat.h"
#include "speech/announcefield.h"
#include "ui/dialoggeometry.h"
#include "ui/messages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxLength = 100;

bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ParticipantCreationDialog::ParticipantCreationDialog(QWidget *mainWindow, ScreenReaderFront *front)
    : AdaptiveDialog(mainWindow, LookKinds{}, true)
{
    QLabel **labels[] = {&m_ui.nameLabel, &m_ui.classLabel, &m_ui.commentLabel};
    QLineEdit **edits[] = {&m_ui.nameEdit, &m_ui.classEdit, &m_ui.commentEdit};
    const QString captions[] = {u"Name:"_s, u"Klasse:"_s, u"Kommentar:"_s};
    for (int i = 0; i < 3; ++i) {
        *labels[i] = new QLabel(captions[i], this);
        *edits[i] = new QLineEdit(this);
        (*edits[i])->setMaxLength(kMaxLength);
        (*edits[i])->installEventFilter(this);
        announceField(*edits[i], *labels[i], front);
    }
    m_ui.okButton = new QPushButton(u"O&K"_s, this);
    m_ui.cancelButton = new QPushButton(u"&Abbrechen"_s, this);
    m_ui.okButton->setDefault(true);

    connect(
        m_ui.nameEdit, &QLineEdit::textChanged, this, &ParticipantCreationDialog::updateOkButton);
    connect(
        m_ui.classEdit, &QLineEdit::textChanged, this, &ParticipantCreationDialog::updateOkButton);
    connect(m_ui.okButton, &QPushButton::clicked, this, &ParticipantCreationDialog::confirm);
    connect(m_ui.cancelButton, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    setTabOrder(m_ui.nameEdit, m_ui.classEdit);
    setTabOrder(m_ui.classEdit, m_ui.commentEdit);
    setTabOrder(m_ui.commentEdit, m_ui.okButton);
    setTabOrder(m_ui.okButton, m_ui.cancelButton);

    setWindowTitle(u"Geben Sie einen neuen Teilnehmer ein"_s);
    updateOkButton();
}

void ParticipantCreationDialog::layoutControls()
{
    const QSize labels[3]
        = {m_ui.nameLabel->sizeHint(), m_ui.classLabel->sizeHint(), m_ui.commentLabel->sizeHint()};
    const CreationDialogGeometry g
        = layoutCreationDialog(measureButtons({m_ui.okButton, m_ui.cancelButton}), labels,
            m_ui.nameEdit->sizeHint().height(), maxClientSize());
    QLabel *const labelControls[] = {m_ui.nameLabel, m_ui.classLabel, m_ui.commentLabel};
    QLineEdit *const editControls[] = {m_ui.nameEdit, m_ui.classEdit, m_ui.commentEdit};
    for (int i = 0; i < 3; ++i) {
        labelControls[i]->setGeometry(g.labels[i]);
        editControls[i]->setGeometry(g.edits[i]);
    }
    m_ui.okButton->setGeometry(g.okButton);
    m_ui.cancelButton->setGeometry(g.cancelButton);
    setClientSize(g.client);
}

void ParticipantCreationDialog::prepareToShow()
{
    layoutControls();
    closeAllowed = true;
    m_ui.nameEdit->clear();
    m_ui.nameEdit->setFocus();
}

void ParticipantCreationDialog::done(int result)
{
    const bool allowed = closeAllowed;
    closeAllowed = true;
    if (allowed)
        AdaptiveDialog::done(result);
}

bool ParticipantCreationDialog::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_ui.nameEdit || watched == m_ui.classEdit || watched == m_ui.commentEdit)
        && isEnterKey(event)) {
        handleEnter();
        return true;
    }
    return AdaptiveDialog::eventFilter(watched, event);
}

void ParticipantCreationDialog::updateOkButton()
{
    m_ui.okButton->setEnabled(!trimmedText(m_ui.nameEdit->text()).isEmpty()
        && !trimmedText(m_ui.classEdit->text()).isEmpty());
}

void ParticipantCreationDialog::handleEnter()
{
    if (m_ui.okButton->isEnabled())
        m_ui.okButton->click();
    else if (!trimmedText(m_ui.nameEdit->text()).isEmpty())
        m_ui.classEdit->setFocus();
    else
        m_ui.nameEdit->setFocus();
}

void ParticipantCreationDialog::confirm()
{
    closeAllowed = true;
    int result = QDialog::Accepted;
    const QString name = trimmedText(m_ui.nameEdit->text());
    std::optional<QString> existing;
    if (const std::optional<QString> refusal = participantNameError(name)) {
        Messages::information(this, *refusal);
        closeAllowed = false;
    } else if (!runCommand(this,
                   [&] { existing = existingParticipant(folderPart(participantPath), name); })) {
        // Without knowing the names taken, creating could replace another participant's file.
        closeAllowed = false;
    } else if (existing) {
        if (Messages::question(this,
                u"Der Teilnehmer \"%1\" existiert bereits!\r\n"
                u"Soll der Teilnehmer jetzt aufgerufen werden?"_s.arg(name))) {
            m_ui.nameEdit->setText(*existing);
            result = ParticipantCreationDialog::OpenExisting;
        } else {
            closeAllowed = false;
        }
    }
    if (!closeAllowed) {
        m_ui.nameEdit->selectAll();
        m_ui.nameEdit->setFocus();
    }
    done(result);
}
