#include "mainwindow/mainwindow.h"

#include "participants/classrolldialog.h"
#include "participants/participantlisting.h"
#include "records/dates.h"
#include "reports/absenceperioddialog.h"
#include "reports/absencesummary.h"
#include "reports/reportview.h"
#include "ui/messages.h"

#include <QAction>
#include <QMenu>

using namespace Qt::StringLiterals;

void MainWindow::createClassMenus(QMenu *actionsMenu)
{
    actionsMenu->addSeparator();
    m_ui.classRollAction = addCommand(actionsMenu, u"&Anwesenheit der Klasse erfassen..."_s,
        QKeySequence(Qt::Key_F7), &MainWindow::takeRoll);
    m_ui.absenceSummaryAction = addCommand(actionsMenu, u"&Fehlzeiten der Klasse..."_s,
        QKeySequence(Qt::SHIFT | Qt::Key_F7), &MainWindow::showAbsenceSummary);
}

bool MainWindow::readClasses(QStringList &classes)
{
    storeShownDay();
    if (listParticipants(m_file.dataFolder(), QString(), classes).isEmpty()) {
        Messages::information(this, u"Es sind keine Teilnehmer-Dateien vorhanden!"_s);
        return false;
    }
    return true;
}

void MainWindow::takeRoll()
{
    QStringList classes;
    if (!readClasses(classes))
        return;
    const auto restoreFocus = keepFocus();
    ClassRollDialog *dialog = m_ui.classRollDialog;
    dialog->applyAppearance();
    dialog->prepare(m_file.dataFolder(), classes, m_classFilter, dateText(QDate::currentDate()));
    if (dialog->exec() != QDialog::Accepted)
        return;
    const QList<RollMark> marks = dialog->marks();
    const RollOutcome outcome
        = storeRoll(m_file.dataFolder(), dialog->date(), marks, conflictQuestion());
    // The lines the window holds of the shown participant are older than its file now: it is
    // read again before anything could store them.
    const QString shown = openParticipantName();
    if (std::any_of(marks.begin(), marks.end(),
            [&shown](const RollMark &mark) { return mark.name == shown; }))
        guarded([this, &shown] { openParticipant(shown); });
    if (!outcome.failures.isEmpty()) {
        Messages::error(this,
            u"Diese Teilnehmerdateien wurden nicht gespeichert und sind unverändert:\r\n"_s
                + outcome.failures.join(u"\r\n"_s));
    }
    if (!outcome.merged.isEmpty())
        Messages::information(this, concurrentChangeMessage(outcome.merged));
    Messages::information(this,
        u"Die Anwesenheit für \"%1\" wurde gespeichert!\r\nAnwesend: %2\r\nAbwesend: %3"_s.arg(
            dialog->date(), withThousandsDots(outcome.storedPresent),
            withThousandsDots(outcome.storedAbsent)));
}

void MainWindow::showAbsenceSummary()
{
    QStringList classes;
    if (!readClasses(classes))
        return;
    AbsencePeriodDialog *dialog = m_ui.absencePeriodDialog;
    dialog->applyAppearance();
    dialog->prepare(classes, m_classFilter, QDate::currentDate());
    if (dialog->exec() != QDialog::Accepted)
        return;
    const QString schoolClass = dialog->chosenClass();
    const QList<ParticipantAbsences> participants
        = collectAbsences(m_file.dataFolder(), schoolClass, dialog->from(), dialog->to());
    m_ui.reportView->applyAppearance();
    m_ui.reportView->setReport(ReportKind::AbsenceSummary,
        absenceSummaryText(schoolClass, dialog->from(), dialog->to(), participants));
    m_ui.reportView->setTable(absenceSummaryCsv(participants));
    showTextView(m_ui.reportView);
}
