#include "mainwindow/mainwindow.h"

#include "participants/classrolldialog.h"
#include "participants/itemtexts.h"
#include "records/dates.h"
#include "reports/absenceperioddialog.h"
#include "reports/absencesummary.h"
#include "reports/reportview.h"

#include "mainwindowtesting.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>

using namespace Qt::StringLiterals;

class TestClassCommands : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init() { prepare(); }
    void cleanup() { tearDown(); }

    void rollStoresTheClassAndShowsTheNewDay();
    void summaryAsksForAReadablePeriod();
    void noParticipantFile();
};

void TestClassCommands::rollStoresTheClassAndShowsTheNewDay()
{
    for (const QString &name : {u"Meier"_s, u"Huber"_s, u"Kaputt"_s})
        QVERIFY(writeBytes(dataFolder() + name + u".dat"_s, daysFile(2)));
    QVERIFY(QFile::setPermissions(dataFolder() + u"Kaputt.dat"_s, QFile::ReadOwner));
    showPastTheList("[General]\nTeilnehmer=Meier\n");
    const MainWindow::Ui &ui = m_window->ui();
    // Typed but not yet stored.
    ui.remarkEdit->setFocus();
    m_window->setRemark(u"getippt"_s);

    const QString today = dateText(QDate::currentDate());
    whenModalOpens<ClassRollDialog>([&](ClassRollDialog *roll) {
        QCOMPARE(roll->ui().dateEdit->text(), today);
        QCOMPARE(roll->ui().classBox->currentText(), u"(Alle)"_s);
        QCOMPARE(itemTexts(roll->ui().list),
            (QStringList{u"Huber: anwesend"_s, u"Kaputt: anwesend"_s, u"Meier: anwesend"_s}));
        roll->ui().list->setCurrentRow(2);
        QTest::keyClick(roll->ui().list, Qt::Key_Space);
        QTest::keyClick(roll->ui().list, Qt::Key_Return);
    });
    QTest::keyClick(ui.remarkEdit, Qt::Key_F7);

    const QList<ShownMessage> shown = m_messages->takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).kind, MessageKind::Error);
    QVERIFY2(shown.at(0).text.startsWith(
                 u"Diese Teilnehmerdateien wurden nicht gespeichert und sind unverändert:\r\n"
                 "Datei \"%1Kaputt.dat\" kann nicht erstellt werden."_s.arg(dataFolder())),
        qPrintable(shown.at(0).text));
    QCOMPARE(shown.at(1),
        (ShownMessage{MessageKind::Information,
            u"Die Anwesenheit für \"%1\" wurde gespeichert!\r\nAnwesend: 1\r\nAbwesend: 1"_s.arg(
                today)}));
    QCOMPARE(readBytes(dataFolder() + u"Kaputt.dat"_s), daysFile(2));
    // What was typed is in the file under the day it was typed into; the new day shows.
    const QByteArray meier = readBytes(dataFolder() + u"Meier.dat"_s);
    QVERIFY2(meier.contains("|\r\n0\r\n<--------------->\r\nTag 1|getippt\r\n"), meier.constData());
    QCOMPARE(m_window->date(), today);
    QCOMPARE(m_window->presentIndex(), kAbsent);
    QCOMPARE(ui.dayNumberPanel->text(), u"Nummer: 1/3"_s);
    QTRY_COMPARE(QApplication::focusWidget(), ui.remarkEdit);
}

void TestClassCommands::summaryAsksForAReadablePeriod()
{
    QVERIFY(writeBytes(dataFolder() + u"Meier.dat"_s,
        "4A|\r\n02.03.2026|Bus\r\n0\r\n<--------------->\r\n01.03.2026|\r\n1\r\n<--------------->"
        "\r\n"));
    showPastTheList("[General]\nTeilnehmer=Meier\n");
    QString reportTitle;
    QString reportText;
    whenModalOpens<AbsencePeriodDialog>([&](AbsencePeriodDialog *period) {
        const AbsencePeriodDialog::Ui &ui = period->ui();
        const QDate today = QDate::currentDate();
        QCOMPARE(ui.fromEdit->text(), dateText(schoolYearStart(today)));
        QCOMPARE(ui.toEdit->text(), dateText(today));
        QCOMPARE(ui.classBox->count(), 2);
        QCOMPARE(ui.classBox->itemText(1), u"4A"_s);
        ui.fromEdit->setText(u"gestern"_s);
        QTest::keyClick(ui.fromEdit, Qt::Key_Return);
        QVERIFY(period->isVisible());
        ui.fromEdit->setText(u"02.03.2026"_s);
        ui.toEdit->setText(u"Mo., 2. März 2026"_s);
        whenModalOpens<ReportView>([&](ReportView *view) {
            reportTitle = view->windowTitle();
            reportText = view->text();
            QTest::keyClick(view->ui().textEdit, Qt::Key_Escape);
        });
        QTest::keyClick(ui.toEdit, Qt::Key_Return);
    });
    QTest::keyClick(m_window->ui().dateEdit, Qt::Key_F7, Qt::ShiftModifier);

    const QList<ShownMessage> shown = m_messages->takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().text.startsWith(u"Das Datum \"gestern\" kann nicht gelesen werden!"_s),
        qPrintable(shown.first().text));
    QCOMPARE(reportTitle, u"Fehlzeiten der Klasse"_s);
    QVERIFY2(reportText.startsWith(u"Klasse: (Alle)\nZeitraum: Mo., 2. März 2026 bis Mo., 2. "
                                   "März 2026\n\nMeier\nAnwesend: 0\nAbwesend: 1\n- 02.03.2026 "
                                   "(Bus)\n"_s),
        qPrintable(reportText));
}

void TestClassCommands::noParticipantFile()
{
    showPastTheList("[General]\n");
    for (QAction *command : {m_window->ui().classRollAction, m_window->ui().absenceSummaryAction}) {
        command->trigger();
        QCOMPARE(m_messages->takeShown(),
            (QList<ShownMessage>{
                {MessageKind::Information, u"Es sind keine Teilnehmer-Dateien vorhanden!"_s}}));
    }
}

QTEST_MAIN(TestClassCommands)
#include "tst_classcommands.moc"
