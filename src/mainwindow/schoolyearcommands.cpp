#include "mainwindow/mainwindow.h"

#include "participants/participantimport.h"
#include "participants/participantlisting.h"
#include "participants/schoolyeardialog.h"
#include "records/dates.h"
#include "records/delimitedtext.h"
#include "records/filereading.h"
#include "reports/reportview.h"
#include "ui/messages.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

using namespace Qt::StringLiterals;

void MainWindow::createSchoolYearMenus(QMenu *actionsMenu)
{
    actionsMenu->addSeparator();
    m_ui.importAction = addCommand(actionsMenu, u"Teilnehmer &importieren..."_s, QKeySequence(),
        &MainWindow::importParticipants);
    m_ui.newSchoolYearAction = addCommand(
        actionsMenu, u"&Neues Schuljahr..."_s, QKeySequence(), &MainWindow::startNewSchoolYear);
}

QString MainWindow::chooseClassList()
{
    // Created at the first import: a file dialog watches the file system from the moment it
    // exists, which the program's start need not pay for.
    if (!m_ui.importDialog) {
        m_ui.importDialog = new QFileDialog(this, u"Teilnehmer importieren"_s,
            m_paths.documentsFolder.isEmpty() ? m_paths.programFolder : m_paths.documentsFolder);
        m_ui.importDialog->setAcceptMode(QFileDialog::AcceptOpen);
        m_ui.importDialog->setFileMode(QFileDialog::ExistingFile);
        m_ui.importDialog->setNameFilters(
            {u"Text- und CSV-Dateien (*.txt *.csv *.TXT *.CSV)"_s, u"Alle Dateien (*)"_s});
    }
    if (m_ui.importDialog->exec() != QDialog::Accepted)
        return QString();
    return m_ui.importDialog->selectedFiles().value(0);
}

void MainWindow::importParticipants()
{
    storeShownDay();
    const auto restoreFocus = keepFocus();
    const QString path = chooseClassList();
    if (path.isEmpty())
        return;
    const QString folder = m_file.dataFolder();
    QStringList classes;
    const ImportPlan plan = planImport(
        decodeDelimitedText(readWholeFile(path)), listParticipants(folder, QString(), classes));
    // Nothing is written before the teacher heard what would happen and agreed.
    const QString question = importQuestion(plan);
    if (plan.participants.isEmpty()) {
        Messages::information(this, question);
    } else if (Messages::question(this, question)) {
        const ImportOutcome outcome = createParticipants(folder, plan.participants,
            dateText(QDate::currentDate()), m_file.lineList().encoding());
        if (!outcome.failures.isEmpty())
            Messages::error(this, notCreatedMessage(outcome.failures));
        Messages::information(this, createdMessage(outcome.created));
    }
    if (plan.leftOut.isEmpty())
        return;
    ReportView *view = m_ui.reportView;
    view->applyAppearance();
    view->setDocument(leftOutCaption(), leftOutText(QFileInfo(path).fileName(), plan), false);
    view->setTable(QString());
    showTextView(view);
}

void MainWindow::startNewSchoolYear()
{
    QStringList classes;
    if (!readClasses(classes))
        return;
    const auto restoreFocus = keepFocus();
    SchoolYearDialog *dialog = m_ui.schoolYearDialog;
    dialog->applyAppearance();
    dialog->prepare(classes);
    const QString yearFolder = schoolYearFolderName(QDate::currentDate());
    // Answered "Nein", the question leads back to the window with the names as they were.
    while (dialog->exec() == QDialog::Accepted) {
        const SchoolYearChange change(dialog->renamings());
        if (!change.changesAnything()) {
            Messages::information(this, u"Keine Klasse wird geändert."_s);
            return;
        }
        if (!Messages::question(this, schoolYearQuestion(change, yearFolder)))
            continue;
        const SchoolYearOutcome outcome = changeSchoolYear(m_file.dataFolder(), change, yearFolder);
        // The lines the window holds of the shown participant may name the old class: they are
        // read again before anything could store them. A participant that left is closed.
        if (const QString shown = openParticipantName(); !shown.isEmpty()) {
            const int day = m_dayNumber;
            guarded([this, &shown, day] {
                openParticipant(shown);
                setDayNumber(day);
            });
        }
        QString newFilter;
        if (change.kindOf(m_classFilter, &newFilter) != SchoolYearChange::Kind::Unchanged)
            m_classFilter = newFilter;
        if (!outcome.failures.isEmpty())
            Messages::error(this, notChangedMessage(outcome.failures));
        Messages::information(this, schoolYearDoneMessage(outcome, yearFolder));
        return;
    }
}
