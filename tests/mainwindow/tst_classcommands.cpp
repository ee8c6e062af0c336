#include "mainwindow/mainwindow.h"

#include "participants/classrolldialog.h"
#include "participants/itemtexts.h"
#include "records/dates.h"
#include "reports/absenceperioddialog.h"
#include "reports/absencesummary.h"
#include "reports/reportview.h"

#include "mainwindowtesting.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>

using namespace Qt::StringLiterals;

class TestClassCommands : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void rollByKeysStoresTheClassAndShowsTheNewDay();
    void cancellingTheRoll_data();
    void cancellingTheRoll();
    void summaryAsksForAReadablePeriod();
};

void TestClassCommands::init()
{
    prepare();
    for (const QString &name : {u"Meier"_s, u"Huber"_s, u"Kaputt"_s})
        QVERIFY(writeBytes(dataFolder() + name + u".dat"_s, daysFile(2)));
    QVERIFY(writeBytes(dataFolder() + u"Zeller.dat"_s, daysFile(2, "3b|")));
}

void TestClassCommands::cleanup()
{
    tearDown();
}

void TestClassCommands::rollByKeysStoresTheClassAndShowsTheNewDay()
{
    QVERIFY(QFile::setPermissions(dataFolder() + u"Kaputt.dat"_s, QFile::ReadOwner));
    showPastTheList("[General]\nTeilnehmer=Meier\n");
    const MainWindow::Ui &ui = m_window->ui();
    // Typed but not yet stored.
    ui.remarkEdit->setFocus();
    m_window->setRemark(u"getippt"_s);

    const QString today = dateText(QDate::currentDate());
    whenModalOpens<ClassRollDialog>([&](ClassRollDialog *roll) {
        const ClassRollDialog::Ui &r = roll->ui();
        const auto entries = [&r] {
            return itemTexts(r.list);
        };
        QCOMPARE(r.dateEdit->text(), today);
        QCOMPARE(entries(),
            (QStringList{u"Huber: anwesend"_s, u"Kaputt: anwesend"_s, u"Meier: anwesend"_s,
                u"Zeller: anwesend"_s}));
        QTRY_COMPARE(QApplication::focusWidget(), r.list);
        // Another class lists its own participants; back under "(Alle)" the entry keeps its state.
        r.classList->setCurrentRow(2);
        QCOMPARE(entries(), QStringList{u"Zeller: anwesend"_s});
        QTest::keyClick(r.list, Qt::Key_Space);
        QCOMPARE(m_announced.last(), u"Zeller: abwesend (interrupt)"_s);
        r.classList->setCurrentRow(0);
        QCOMPARE(entries().last(), u"Zeller: abwesend"_s);
        // A click toggles as Space does.
        const QPoint huber = r.list->visualItemRect(r.list->item(0)).center();
        QTest::mouseClick(r.list->viewport(), Qt::LeftButton, {}, huber);
        QCOMPARE(entries().first(), u"Huber: abwesend"_s);
        QTest::mouseClick(r.list->viewport(), Qt::LeftButton, {}, huber);
        QTest::keyClick(r.list, Qt::Key_Down);
        QTest::keyClick(r.list, Qt::Key_Down);
        QTest::keyClick(r.list, Qt::Key_Space);
        // The remark belongs to the entry the list is on.
        QTest::keyClick(r.list, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), r.remarkEdit);
        r.remarkEdit->insert(u"krank"_s);
        r.list->setCurrentRow(0);
        QCOMPARE(r.remarkEdit->text(), QString());
        r.list->setCurrentRow(2);
        QCOMPARE(r.remarkEdit->text(), u"krank"_s);
        // Without a date nothing is stored.
        r.dateEdit->clear();
        QTest::keyClick(r.remarkEdit, Qt::Key_Return);
        QVERIFY(roll->isVisible());
        r.dateEdit->setText(today);
        QTest::keyClick(r.remarkEdit, Qt::Key_Return);
    });
    QTest::keyClick(ui.remarkEdit, Qt::Key_F7);

    QList<ShownMessage> shown = m_messages->takeShown();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.takeFirst(),
        (ShownMessage{MessageKind::Information, u"Geben Sie bitte ein Datum ein!"_s}));
    QCOMPARE(shown.at(0).kind, MessageKind::Error);
    QVERIFY2(shown.at(0).text.startsWith(
                 u"Diese Teilnehmerdateien wurden nicht gespeichert und sind unverändert:\r\n"
                 "Datei \"%1Kaputt.dat\" kann nicht erstellt werden."_s.arg(dataFolder())),
        qPrintable(shown.at(0).text));
    QCOMPARE(shown.at(1),
        (ShownMessage{MessageKind::Information,
            u"Die Anwesenheit für \"%1\" wurde gespeichert!\r\nAnwesend: 1\r\nAbwesend: 2"_s.arg(
                today)}));
    QCOMPARE(readBytes(dataFolder() + u"Kaputt.dat"_s), daysFile(2));
    // What was typed is in the file under the day it was typed into; the new day shows.
    const QByteArray meier = readBytes(dataFolder() + u"Meier.dat"_s);
    QVERIFY2(
        meier.contains("|krank\r\n0\r\n<--------------->\r\nTag 1|getippt\r\n"), meier.constData());
    QCOMPARE(m_window->date(), today);
    QCOMPARE(m_window->presentIndex(), kAbsent);
    QCOMPARE(ui.dayNumberPanel->text(), u"Nummer: 1/3"_s);
    QTRY_COMPARE(QApplication::focusWidget(), ui.remarkEdit);
}

void TestClassCommands::cancellingTheRoll_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("answer");
    QTest::newRow("nothing entered: closed without a question") << false << false;
    QTest::newRow("an entry changed, \"Nein\": dropped") << true << false;
    QTest::newRow("an entry changed, \"Ja\": stored") << true << true;
}

void TestClassCommands::cancellingTheRoll()
{
    QFETCH(bool, changed);
    QFETCH(bool, answer);
    showPastTheList("[General]\n");
    m_messages->answerNext(answer);
    whenModalOpens<ClassRollDialog>([changed](ClassRollDialog *roll) {
        if (changed)
            roll->toggleCurrentEntry();
        QTest::keyClick(roll->ui().list, Qt::Key_Escape);
    });
    m_window->ui().classRollAction->trigger();
    const QList<ShownMessage> question{
        {MessageKind::Question, u"Soll die Anwesenheit gespeichert werden?"_s}};
    QCOMPARE(m_messages->takeShown().mid(0, 1), changed ? question : QList<ShownMessage>());
    QCOMPARE(readBytes(dataFolder() + u"Huber.dat"_s) != daysFile(2), answer);
}

void TestClassCommands::summaryAsksForAReadablePeriod()
{
    QVERIFY(writeBytes(dataFolder() + u"Meier.dat"_s,
        "4A|\r\n02.03.2026|Bus\r\n0\r\n<--------------->\r\n01.03.2026|\r\n1\r\n<--------------->"
        "\r\n"));
    showPastTheList("[General]\nTeilnehmer=Meier\n");
    QString report;
    whenModalOpens<AbsencePeriodDialog>([&](AbsencePeriodDialog *period) {
        const AbsencePeriodDialog::Ui &ui = period->ui();
        const QDate today = QDate::currentDate();
        QCOMPARE(ui.fromEdit->text(), dateText(schoolYearStart(today)));
        QCOMPARE(ui.toEdit->text(), dateText(today));
        ui.fromEdit->setText(u"gestern"_s);
        QTest::keyClick(ui.fromEdit, Qt::Key_Return);
        QVERIFY(period->isVisible());
        ui.fromEdit->setText(u"02.03.2026"_s);
        ui.toEdit->setText(u"Mo., 2. März 2026"_s);
        whenModalOpens<ReportView>([&](ReportView *view) {
            report = view->windowTitle() + u'\n' + view->text();
            QTest::keyClick(view->ui().textEdit, Qt::Key_Escape);
        });
        QTest::keyClick(ui.toEdit, Qt::Key_Return);
    });
    QTest::keyClick(m_window->ui().dateEdit, Qt::Key_F7, Qt::ShiftModifier);

    const QList<ShownMessage> shown = m_messages->takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().text.startsWith(u"Das Datum \"gestern\" kann nicht gelesen werden!"_s),
        qPrintable(shown.first().text));
    QVERIFY2(report.startsWith(u"Fehlzeiten der Klasse\nKlasse: (Alle)\nZeitraum: Mo., 2. März "
                               "2026 bis Mo., 2. März 2026\n"_s)
            && report.contains(u"\nMeier\nAnwesend: 0\nAbwesend: 1\n- 02.03.2026 (Bus)\n"_s),
        qPrintable(report));
}

QTEST_MAIN(TestClassCommands)
#include "tst_classcommands.moc"
