#include "mainwindow/mainwindow.h"

#include "participants/lineinputdialog.h"
#include "participants/participantlisting.h"
#include "reports/dayfinding.h"
#include "reports/numberdialog.h"
#include "reports/reportprinting.h"
#include "reports/reporttexts.h"
#include "reports/reportview.h"
#include "speech/screenreaderfront.h"
#include "speech/sounds.h"
#include "ui/appearance.h"
#include "ui/messages.h"
#include "ui/shortcuttext.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

void MainWindow::createReportMenus(QMenu *fileMenu, QMenu *editMenu, QMenu *actionsMenu)
{
    m_ui.goToDayAction = addCommand(
        editMenu, u"&Gehe zu Tag..."_s, QKeySequence(Qt::CTRL | Qt::Key_G), &MainWindow::goToDay);
    m_ui.searchDayAction = addCommand(
        editMenu, u"&Suche Tag..."_s, QKeySequence(Qt::CTRL | Qt::Key_F), &MainWindow::searchDay);

    // The entries under "Drucken" and those of the actions menu do the same: both show the text
    // view, from which the user prints.
    m_ui.printMenu = new QMenu(u"Drucken"_s, fileMenu);
    fileMenu->insertMenu(m_ui.closeAction, m_ui.printMenu);
    struct Entry
    {
        ReportKind kind;
        QString printCaption;
        QString showCaption;
        QKeySequence showShortcut;
    };
    const Entry entries[] = {
        {ReportKind::CurrentDay, u"&Aktuellen Tag als Text drucken..."_s,
            u"Aktuellen Tag als Text anzeigen..."_s, QKeySequence()},
        {ReportKind::AllDays, u"Gesamte Tage des aktuellen Teilnehmers als Text drucken..."_s,
            u"Gesamte Tage des aktuellen Teilnehmers als Text anzeigen..."_s, QKeySequence()},
        {ReportKind::Attendance,
            u"Ab-/Anwesenheitsauswertung des aktuellen Teilnehmers drucken..."_s,
            u"Ab-/Anwesenheitsauswertung des aktuellen Teilnehmers anzeigen..."_s,
            QKeySequence(Qt::Key_F4)},
        {ReportKind::Comments, u"Kommentarauswertung aller Teilnehmer drucken..."_s,
            u"Kommentarauswertung aller Teilnehmer anzeigen..."_s, QKeySequence()},
    };
    for (const Entry &entry : entries) {
        const int index = int(entry.kind) - 1;
        const ReportKind kind = entry.kind;
        m_ui.printReportActions[index] = addCommand(
            m_ui.printMenu, entry.printCaption, QKeySequence(), [this, kind] { showReport(kind); });
        m_ui.showReportActions[index] = addCommand(
            actionsMenu, entry.showCaption, entry.showShortcut, [this, kind] { showReport(kind); });
    }
    // The comment overview is complete but not offered.
    m_ui.printReportActions[3]->setVisible(false);
    m_ui.showReportActions[3]->setVisible(false);
}

void MainWindow::showReport(ReportKind kind)
{
    storeShownDay();
    m_ui.reportView->applyAppearance();
    QString text;
    if (kind == ReportKind::Comments) {
        text = commentOverview(m_file.dataFolder());
        if (text.isEmpty()) {
            Messages::information(this, u"Es sind keine Teilnehmerdateien vorhanden!"_s);
            return;
        }
    } else {
        text = participantReport(kind,
            {m_file.lineList().lines(), participant(), schoolClass(), comment(), m_dayNumber,
                dayCount(), withoutAmpersands(m_presentChoices->button(kAbsent)->text()),
                withoutAmpersands(m_presentChoices->button(kPresent)->text())});
    }
    m_ui.reportView->setReport(kind, text);
    showTextView(m_ui.reportView);
}

void MainWindow::showTextView(ReportView *view)
{
    // "&Drucken..." ends the window; it is shown again with its text after each print.
    while (view->exec() == QDialog::Accepted)
        guarded([this, view] { printReport(view->text()); });
}

void MainWindow::printReport(const QString &text)
{
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        Messages::information(this, u"Es ist kein Drucker installiert!"_s);
        return;
    }
    const auto restoreFocus = keepFocus();
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    // The text is printed whole, so no page range is offered.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
        | QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const DisplayFont &font = currentFont();
    printText(printer, printJobTitle(participant()), text, font.font,
        paperTextColor(colorFromValue(font.color)));
}

void MainWindow::goToDay()
{
    storeShownDay();
    m_ui.numberDialog->applyAppearance();
    m_ui.numberDialog->setRange(1, dayCount(), m_dayNumber);
    if (m_ui.numberDialog->exec() != QDialog::Accepted)
        return;
    // A field without a number has been reported; the shown day stays.
    const std::optional<int> number = m_ui.numberDialog->enteredNumber();
    if (!number)
        return;
    setDayNumber(*number);
    focusAndAnnounceShownDay(DayChange::AfterDialog);
}

void MainWindow::searchDay()
{
    storeShownDay();
    prepareInputDialog(InputQuestion::SearchDate, m_searchDate, false);
    if (m_ui.inputDialog->exec() != QDialog::Accepted)
        return;
    m_searchDate = upperCased(m_ui.inputDialog->ui().edit->text());
    const int day = findDayByDate(m_file.lineList().lines(), m_searchDate, m_dayNumber);
    if (day == 0) {
        Messages::information(this,
            u"Das Suchdatum \"%1\" wurde nicht gefunden!\r\nGehen Sie mit %2 zum 1. Tag und "
            "versuchen Sie es erneut."_s.arg(
                m_searchDate, germanShortcutText(m_ui.goToDayAction->shortcut())));
        return;
    }
    setDayNumber(day);
    playInformationSound();
    focusAndAnnounceShownDay(DayChange::AfterDialog);
}
