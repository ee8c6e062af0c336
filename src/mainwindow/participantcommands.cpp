#include "mainwindow/mainwindow.h"

#include "participants/lineinputdialog.h"
#include "participants/participantcreationdialog.h"
#include "participants/participantlistdialog.h"
#include "participants/participantlisting.h"
#include "records/dates.h"
#include "records/detachedcall.h"
#include "records/fileoperations.h"
#include "speech/sounds.h"
#include "ui/messages.h"
#include "ui/shortcuttext.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

using namespace Qt::StringLiterals;

QString MainWindow::dataFolder() const
{
    const DataFolderChoice choice = m_ui.documentsFolderAction->isChecked()
        ? DataFolderChoice::Documents
        : DataFolderChoice::ProgramFolder;
    return dataFolderPath(choice, m_paths.documentsFolder, m_paths.programFolder);
}

void MainWindow::selectDataFolder(DataFolderChoice choice, bool byUser)
{
    const bool documents = choice == DataFolderChoice::Documents;
    QAction *entry = documents ? m_ui.documentsFolderAction : m_ui.programFolderAction;
    if (entry->isChecked())
        return;
    if (byUser) {
        if (!participant().isEmpty()
            && !Messages::question(this,
                u"Wenn der aktuelle Datenordner gewechselt werden soll, muss der geöffnete "
                "Teilnehmer geschlossen werden.\r\nSoll der aktuelle Teilnehmer jetzt "
                "geschlossen und der Ordner gewechselt werden?"_s))
            return;
        QDir().rmdir(m_file.dataFolder());
    }
    m_ui.documentsFolderAction->setChecked(documents);
    m_ui.programFolderAction->setChecked(!documents);
    if (byUser) {
        storeShownDay();
        m_ui.nameEdit->setFocus();
        openParticipant(QString());
        checkDataFolder();
    }
}

void MainWindow::checkDataFolder()
{
    m_ui.folderCheckTimer->stop();
    // A data folder on a network drive that no longer answers must not hold the window: the
    // folder is made sure of on a thread of its own, and the user is told when it does not
    // answer in time. Only the newest check counts.
    const quint64 check = ++m_folderChecks;
    const QString folder = m_file.dataFolder();
    m_checkingDataFolder = true;
    m_folderPatience->start();
    callDetached<bool>(
        this, [folder, make = dataFolderMaker] { return make(folder); },
        [this, check, folder](const bool &made) {
            if (check != m_folderChecks || !std::exchange(m_checkingDataFolder, false)
                || m_isClosing)
                return;
            m_folderPatience->stop();
            if (!made) {
                Messages::information(
                    this, u"Der Ordner \"%1\" kann nicht angelegt werden!"_s.arg(folder));
                return;
            }
            guarded([this] { openParticipantList(); });
        });
}

void MainWindow::reportDataFolderNotAnswering()
{
    if (!std::exchange(m_checkingDataFolder, false) || m_isClosing)
        return;
    Messages::information(this,
        u"Der Ordner \"%1\" antwortet nicht!\r\nPrüfen Sie das Laufwerk und öffnen Sie dann "
        "die Teilnehmerliste mit %2."_s.arg(
            m_file.dataFolder(), germanShortcutText(m_ui.participantListAction->shortcut())));
}

void MainWindow::openParticipantList()
{
    storeShownDay();
    if (!m_ui.participantListDialog->readParticipants(participantPath())) {
        if (Messages::question(this,
                u"Es sind keine Teilnehmer-Dateien vorhanden!\r\nMöchten "
                "Sie jetzt einen Teilnehmer anlegen?"_s))
            createParticipant();
        return;
    }
    m_ui.participantListDialog->applyAppearance();
    m_ui.participantListDialog->setClassFilter(m_classFilter);
    m_ui.participantListDialog->participantPath = participantPath();
    // Whatever the result, the filter is remembered and the list left unfiltered.
    const auto rememberFilter = qScopeGuard([this] {
        m_classFilter = m_ui.participantListDialog->classFilter();
        m_ui.participantListDialog->setClassFilter(QString());
    });
    if (m_ui.participantListDialog->exec() != QDialog::Accepted)
        return;
    storeShownDay();
    openParticipant(m_ui.participantListDialog->ui().list->currentItem()->text());
}

QString MainWindow::openParticipantName() const
{
    return m_file.isOpen() ? participantName(participantPath()) : QString();
}

void MainWindow::createParticipant()
{
    m_ui.creationDialog->applyAppearance();
    m_ui.creationDialog->participantPath = participantPath();
    m_ui.creationDialog->ui().classEdit->setText(m_classFilter);
    m_ui.creationDialog->ui().commentEdit->setText(QString());
    const int result = m_ui.creationDialog->exec();
    if (result == ParticipantCreationDialog::OpenExisting) {
        storeShownDay();
        openParticipant(trimmedText(m_ui.creationDialog->ui().nameEdit->text()));
        return;
    }
    if (result != QDialog::Accepted)
        return;
    storeShownDay();
    const QString name = trimmedText(m_ui.creationDialog->ui().nameEdit->text());
    // The new file is built apart from the open participant's lines, so that a failed write
    // can never reach that participant's file; it takes the encoding read last.
    const QString path = m_file.dataFolder() + name + u".dat"_s;
    const WriteResult written = writeNewParticipantFile(path,
        trimmedText(m_ui.creationDialog->ui().classEdit->text()),
        trimmedText(m_ui.creationDialog->ui().commentEdit->text()), dateText(QDate::currentDate()),
        m_file.lineList().encoding(), conflictQuestion());
    if (written == WriteResult::Cancelled)
        return;
    Messages::information(
        this, u"Der Teilnehmer \"%1\" wurde angelegt und aufgerufen!"_s.arg(name));
    if (written == WriteResult::Merged)
        Messages::information(this, concurrentChangeMessage({name}));
    openParticipant(name);
}

void MainWindow::prepareInputDialog(InputQuestion question, const QString &text, bool allowsEmpty)
{
    m_ui.inputDialog->applyAppearance();
    m_ui.inputDialog->allowsEmpty = allowsEmpty;
    m_ui.inputDialog->question = question;
    m_ui.inputDialog->ui().edit->setText(text);
}

void MainWindow::renameParticipant()
{
    prepareInputDialog(InputQuestion::NewName, participant(), false);
    // A name that cannot be used is reported and asked for again.
    while (m_ui.inputDialog->exec() == QDialog::Accepted) {
        const QString input = trimmedText(m_ui.inputDialog->ui().edit->text());
        storeShownDay();
        if (input == participant()) {
            Messages::information(this, u"Der Teilnehmer ist identisch mit \"%1\"!"_s.arg(input));
            continue;
        }
        const QString oldPath = participantPath();
        if (!moveFileNoReplace(oldPath, m_file.dataFolder() + input + u".dat"_s)) {
            Messages::information(
                this, u"Die Datei \"%1\" konnte nicht umbenannt werden!"_s.arg(oldPath));
            continue;
        }
        Messages::information(
            this, u"Der Teilnehmer \"%1\" wurde in \"%2\" geändert!"_s.arg(participant(), input));
        const int day = m_dayNumber;
        openParticipant(input);
        setDayNumber(day);
        return;
    }
}

void MainWindow::changeClass()
{
    changeHeaderField(
        InputQuestion::NewClass, m_ui.classEdit, u"Die Klasse wurde in \"%1\" geändert!"_s);
}

void MainWindow::changeHeaderField(
    InputQuestion question, QLineEdit *field, const QString &changedMessage)
{
    // Only a comment may be emptied; the file takes the new value at the next store.
    prepareInputDialog(question, trimmedText(field->text()), question == InputQuestion::NewComment);
    if (m_ui.inputDialog->exec() != QDialog::Accepted)
        return;
    setFieldText(field, trimmedText(m_ui.inputDialog->ui().edit->text()));
    field->setFocus();
    Messages::information(this, changedMessage.arg(trimmedText(field->text())));
}

void MainWindow::showNameClassMenu(QLineEdit *owner, const QPoint &at)
{
    updateMenus();
    // The entry acts on the focused one of the two fields, else on the field it belongs to.
    QWidget *focused = focusWidget();
    m_nameClassMenuTarget = focused == m_ui.nameEdit || focused == m_ui.classEdit
        ? static_cast<QLineEdit *>(focused)
        : owner;
    m_ui.nameClassChangeAction->setText(m_nameClassMenuTarget == m_ui.nameEdit
            ? u"Teilnehmer &umbenennen..."_s
            : u"Klasse ändern..."_s);
    m_ui.nameClassMenu->exec(owner->mapToGlobal(at));
}

void MainWindow::editOnEnter(QLineEdit *field)
{
    if (field == m_ui.nameEdit)
        m_ui.participantListButton->click();
    else if (participant().isEmpty())
        playBeep();
    else if (field == m_ui.classEdit)
        changeClass();
    else
        changeComment();
}

void MainWindow::changeComment()
{
    changeHeaderField(
        InputQuestion::NewComment, m_ui.commentEdit, u"Der Kommentar wurde in \"%1\" geändert!"_s);
}

void MainWindow::deleteOpenParticipant()
{
    // The participant is named as its file names it, so that a name with a dot ("A.B") is
    // asked about and deleted as itself.
    const QString name = openParticipantName();
    if (!Messages::question(this, u"Soll der Teilnehmer \"%1\" gelöscht werden?"_s.arg(name)))
        return;
    if (!Messages::question(
            this, u"Soll der Teilnehmer \"%1\" wirklich vollständig gelöscht werden?"_s.arg(name)))
        return;
    deleteParticipant(name);
}

bool MainWindow::deleteParticipant(const QString &name)
{
    const QString path = m_file.dataFolder() + name + u".dat"_s;
    if (name == openParticipantName()) {
        openParticipant(QString());
        m_ui.nameEdit->setFocus();
    }
    if (!QFile::remove(path))
        return false;
    Messages::information(this, u"Der Teilnehmer \"%1\" wurde gelöscht!"_s.arg(name));
    return true;
}
