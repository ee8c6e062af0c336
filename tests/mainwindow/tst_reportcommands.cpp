#include "mainwindow/mainwindow.h"

#include "participants/lineinputdialog.h"
#include "records/dates.h"
#include "reports/numberdialog.h"
#include "reports/reportview.h"

#include "mainwindowtesting.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTextEdit>

using namespace Qt::StringLiterals;

class TestReportCommands : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void menuEntries_data();
    void menuEntries();
    void enabledStates_data();
    void enabledStates();
    void printAndShowEntriesGiveTheSameReport_data();
    void printAndShowEntriesGiveTheSameReport();
    void f4InAFieldShowsTheAttendance();
    void reportShowsTheStoredDay();
    void commentOverview();
    void printingWithoutPrinterShowsTheReportAgain();
    void goToDay_data();
    void goToDay();
    void goToWithoutANumberKeepsTheDay();
    void searchJaennerThreeTimes();
    void searchOnce_data();
    void searchOnce();

private:
    void start(
        const QByteArray &file, const QByteArray &settings = "[General]\nTeilnehmer=Meier\n");
    // The caption and text of the report view the action opens; it is closed with Escape.
    QPair<QString, QString> shownReport(QAction *action);
    // Searches with that text in the input dialog (the proposed one when text is empty).
    void search(const QString &text, QString *proposed = nullptr);
    int soundsPlayed() const;

    QByteArray m_path;
};

namespace {

const QByteArray kMeier
    = "3B|kommt mit dem Bus\r\n08.01.2019|Arzttermin\r\n0\r\nMutter hat "
      "angerufen\r\n<--------------->\r\n07.01.2019|\r\n1\r\n<--------------->\r\n";
// Windows-1252, as the program writes files: "\xE4" is "ä".
const QByteArray kJanuary = "1a|\r\nMo., 6. J\xE4nner 2025|Mi.\r\n1\r\n<--------------->\r\n"
                            "Di., 7. J\xE4nner 2025|\r\n1\r\n<--------------->\r\n"
                            "Mi., 8. J\xE4nner 2025|\r\n1\r\n<--------------->\r\n";

} // namespace

void TestReportCommands::init()
{
    prepare();
    // A sound player that writes down each sound it is asked for.
    m_path = qgetenv("PATH");
    QFile player(m_dir->filePath(u"canberra-gtk-play"_s));
    QVERIFY(player.open(QIODevice::WriteOnly));
    player.write(
        "#!/bin/sh\necho \"$1\" >> \"" + QFile::encodeName(m_dir->filePath(u"sounds"_s)) + "\"\n");
    player.close();
    QVERIFY(player.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    qputenv("PATH", QFile::encodeName(m_dir->path()));
}

void TestReportCommands::cleanup()
{
    qputenv("PATH", m_path);
    tearDown();
}

void TestReportCommands::start(const QByteArray &file, const QByteArray &settings)
{
    if (!file.isNull())
        QVERIFY(writeBytes(dataFolder() + u"Meier.dat"_s, file));
    showPastTheList(settings);
}

int TestReportCommands::soundsPlayed() const
{
    return int(readBytes(m_dir->filePath(u"sounds"_s)).count("--id=dialog-information"));
}

QPair<QString, QString> TestReportCommands::shownReport(QAction *action)
{
    QPair<QString, QString> shown;
    whenModalOpens<ReportView>([&shown](ReportView *view) {
        shown = {view->windowTitle(), view->text()};
        QTest::keyClick(view->ui().textEdit, Qt::Key_Escape);
    });
    action->trigger();
    return shown;
}

void TestReportCommands::search(const QString &text, QString *proposed)
{
    whenModalOpens<LineInputDialog>([&](LineInputDialog *dialog) {
        QCOMPARE(dialog->ui().label->text(), u"Suchdatum:"_s);
        if (proposed)
            *proposed = dialog->ui().edit->selectedText();
        if (!text.isEmpty())
            dialog->ui().edit->setText(text);
        QTest::keyClick(dialog->ui().edit, Qt::Key_Return);
    });
    m_window->ui().searchDayAction->trigger();
}

void TestReportCommands::menuEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("visible");
    const QString print = u"&Datei/Drucken"_s;
    QTest::newRow("print 1") << u"print 1"_s << print << u"&Aktuellen Tag als Text drucken..."_s
                             << QString() << true;
    QTest::newRow("print 2") << u"print 2"_s << print
                             << u"Gesamte Tage des aktuellen Teilnehmers als Text drucken..."_s
                             << QString() << true;
    QTest::newRow("print 3") << u"print 3"_s << print
                             << u"Ab-/Anwesenheitsauswertung des aktuellen Teilnehmers drucken..."_s
                             << QString() << true;
    QTest::newRow("print 4") << u"print 4"_s << print
                             << u"Kommentarauswertung aller Teilnehmer drucken..."_s << QString()
                             << false;
    const QString actions = u"A&ktionen"_s;
    QTest::newRow("show 1") << u"show 1"_s << actions << u"Aktuellen Tag als Text anzeigen..."_s
                            << QString() << true;
    QTest::newRow("show 2") << u"show 2"_s << actions
                            << u"Gesamte Tage des aktuellen Teilnehmers als Text anzeigen..."_s
                            << QString() << true;
    QTest::newRow("show 3") << u"show 3"_s << actions
                            << u"Ab-/Anwesenheitsauswertung des aktuellen Teilnehmers anzeigen..."_s
                            << u"F4"_s << true;
    QTest::newRow("show 4") << u"show 4"_s << actions
                            << u"Kommentarauswertung aller Teilnehmer anzeigen..."_s << QString()
                            << false;
    QTest::newRow("go to") << u"go to"_s << u"&Bearbeiten"_s << u"&Gehe zu Tag..."_s << u"Ctrl+G"_s
                           << true;
    QTest::newRow("search") << u"search"_s << u"&Bearbeiten"_s << u"&Suche Tag..."_s << u"Ctrl+F"_s
                            << true;
}

void TestReportCommands::menuEntries()
{
    QFETCH(QString, entry);
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(bool, visible);
    // The menus are there before the window is shown.
    m_window = std::make_unique<MainWindow>(m_paths);
    const MainWindow::Ui &ui = m_window->ui();
    QAction *action = entry == u"go to" ? ui.goToDayAction
        : entry == u"search"            ? ui.searchDayAction
        : entry.startsWith(u"print")    ? ui.printReportActions[entry.back().digitValue() - 1]
                                        : ui.showReportActions[entry.back().digitValue() - 1];
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
    QCOMPARE(action->isVisible(), visible);
    // The entry stands in the menu named, and "Drucken" before "S&chließen".
    QMenu *owner = nullptr;
    for (const QString &title : menu.split(u'/')) {
        const QList<QAction *> entries = owner ? owner->actions() : m_window->menuBar()->actions();
        const auto named = std::find_if(entries.begin(), entries.end(),
            [&title](const QAction *entry) { return entry->text() == title; });
        QVERIFY2(named != entries.end(), qPrintable(title));
        owner = (*named)->menu();
    }
    QVERIFY(owner->actions().contains(action));
    const QList<QAction *> fileEntries = ui.fileMenu->actions();
    QCOMPARE(fileEntries.indexOf(ui.printMenu->menuAction()), 0);
    QCOMPARE(fileEntries.indexOf(ui.closeAction), 1);
}

void TestReportCommands::enabledStates_data()
{
    QTest::addColumn<bool>("open");
    // An open participant always has a day: opening gives a file without days its first one.
    QTest::newRow("participant open") << true;
    QTest::newRow("no participant") << false;
}

void TestReportCommands::enabledStates()
{
    QFETCH(bool, open);
    start(kMeier, open ? "[General]\nTeilnehmer=Meier\n" : "[General]\n");
    const MainWindow::Ui &ui = m_window->ui();
    for (int index = 0; index < 3; ++index) {
        QCOMPARE(ui.printReportActions[index]->isEnabled(), open);
        QCOMPARE(ui.showReportActions[index]->isEnabled(), open);
    }
    QCOMPARE(ui.goToDayAction->isEnabled(), open);
    QCOMPARE(ui.searchDayAction->isEnabled(), open);
}

void TestReportCommands::printAndShowEntriesGiveTheSameReport_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    const QString header = u"Name: Meier\nKlasse: 3B\nKommentar: kommt mit dem Bus\n"_s;
    const QString day1 = u"\nNr.: 1\nDatum: 08.01.2019\nAnmerkung: Arzttermin\nAnwesend: Nein\n"
                         "[Mutter hat angerufen]\n<--------------->\n"_s;
    QTest::newRow("1") << 1 << u"Aktueller Tag als Text"_s << header + day1;
    QTest::newRow("2") << 2 << u"Gesamte Tage des aktuellen Teilnehmers als Text"_s
                       << header + day1
            + u"\nNr.: 2\nDatum: 07.01.2019\nAnmerkung: \nAnwesend: Ja\n<--------------->\n"_s;
    QTest::newRow("3") << 3 << u"Ab-/Anwesenheitsauswertung des aktuellen Teilnehmers"_s
                       << header
            + u"\nAbwesend: 1\n- 08.01.2019 (Arzttermin)\n\nAnwesend: 1\n- 07.01.2019\n"_s;
}

void TestReportCommands::printAndShowEntriesGiveTheSameReport()
{
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    start(kMeier);
    const QPair<QString, QString> printed
        = shownReport(m_window->ui().printReportActions[kind - 1]);
    QCOMPARE(printed, qMakePair(caption, text));
    QCOMPARE(shownReport(m_window->ui().showReportActions[kind - 1]), printed);
    // Nothing is printed before the user asks.
    QVERIFY(m_messages->shown().isEmpty());
}

void TestReportCommands::f4InAFieldShowsTheAttendance()
{
    start(kMeier);
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QString caption;
    whenModalOpens<ReportView>([&caption](ReportView *view) { caption = view->windowTitle(); });
    m_window->ui().dateEdit->setFocus();
    QTest::keyClick(m_window->ui().dateEdit, Qt::Key_F4);
    QCOMPARE(caption, u"Ab-/Anwesenheitsauswertung des aktuellen Teilnehmers"_s);
}

void TestReportCommands::reportShowsTheStoredDay()
{
    start(kMeier);
    m_window->setRemark(u"geändert"_s);
    const QString text = shownReport(m_window->ui().showReportActions[0]).second;
    QVERIFY2(text.contains(u"\nAnmerkung: geändert\n"_s), qPrintable(text));
    QVERIFY(readBytes(dataFolder() + u"Meier.dat"_s).contains("08.01.2019|ge\xE4ndert\r\n"));
}

void TestReportCommands::commentOverview()
{
    QVERIFY(writeBytes(dataFolder() + u"berta.dat"_s, "2a|krank"));
    QVERIFY(writeBytes(dataFolder() + u"Carl.dat"_s, "3c|"));
    // The overview needs no open participant.
    start(kMeier, "[General]\n");
    QCOMPARE(shownReport(m_window->ui().showReportActions[3]),
        qMakePair(u"Kommentarauswertung aller Teilnehmer"_s,
            u"1.: berta (2a): \"krank\"\n2.: Meier (3B): \"kommt mit dem Bus\"\n"_s));

    // Without any comment the window stays closed.
    QVERIFY(writeBytes(dataFolder() + u"berta.dat"_s, "2a"));
    QVERIFY(writeBytes(dataFolder() + u"Meier.dat"_s, "3B"));
    bool opened = false;
    QTimer closeAnyWindow;
    closeAnyWindow.setSingleShot(true);
    connect(&closeAnyWindow, &QTimer::timeout, [&opened] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            opened = true;
            dialog->reject();
        }
    });
    closeAnyWindow.start(2000);
    m_window->ui().printReportActions[3]->trigger();
    QVERIFY(!opened);
    QCOMPARE(m_messages->takeShown(),
        (QList<ShownMessage>{
            {MessageKind::Information, u"Es sind keine Teilnehmerdateien vorhanden!"_s}}));
}

void TestReportCommands::printingWithoutPrinterShowsTheReportAgain()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("a printer is installed here");
    start(kMeier);
    QStringList shownTexts;
    const auto printAndExpectItAgain = [&](ReportView *view) {
        shownTexts << view->text();
        view->ui().printButton->click();
    };
    // Printed twice, then closed.
    whenModalOpens<ReportView>([&](ReportView *view) {
        whenModalOpens<ReportView>([&](ReportView *again) {
            whenModalOpens<ReportView>([&](ReportView *third) {
                shownTexts << third->text();
                QTest::keyClick(third->ui().textEdit, Qt::Key_Escape);
            });
            printAndExpectItAgain(again);
        });
        QTest::keyClick(view->ui().textEdit, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(view->ui().textEdit, u"Nachtrag"_s);
        printAndExpectItAgain(view);
    });
    m_window->ui().showReportActions[0]->trigger();
    QCOMPARE(shownTexts.size(), 3);
    QVERIFY(shownTexts.at(0).endsWith(u"Nachtrag"_s));
    QCOMPARE(shownTexts.at(1), shownTexts.at(0));
    QCOMPARE(shownTexts.at(2), shownTexts.at(0));
    const ShownMessage noPrinter{MessageKind::Information, u"Es ist kein Drucker installiert!"_s};
    QCOMPARE(m_messages->takeShown(), (QList<ShownMessage>{noPrinter, noPrinter}));
}

void TestReportCommands::goToDay_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("ups");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("reached");
    QTest::newRow("12 days, 99 shows day 12")
        << 12 << 5 << u"99"_s << 0 << u"Gehe zu Tag (1-12)"_s << 2 << 12;
    QTest::newRow("12 days, 0 shows day 1")
        << 12 << 5 << u"0"_s << 0 << u"Gehe zu Tag (1-12)"_s << 2 << 1;
    QTest::newRow("Up stops at the day count")
        << 12 << 11 << QString() << 3 << u"Gehe zu Tag (1-12)"_s << 2 << 12;
    QTest::newRow("1000 days") << 1000 << 1 << u"1000"_s << 0 << u"Gehe zu Tag (1-1.000)"_s << 4
                               << 1000;
}

void TestReportCommands::goToDay()
{
    QFETCH(int, days);
    QFETCH(int, shown);
    QFETCH(QString, typed);
    QFETCH(int, ups);
    QFETCH(QString, prompt);
    QFETCH(int, length);
    QFETCH(int, reached);
    start(daysFile(days));
    m_window->setDayNumber(shown);
    whenModalOpens<NumberDialog>([&](NumberDialog *dialog) {
        QCOMPARE(dialog->ui().label->text(), prompt);
        QCOMPARE(dialog->ui().edit->selectedText(), QString::number(shown));
        QCOMPARE(dialog->ui().edit->maxLength(), length);
        QTest::keyClicks(dialog->ui().edit, typed);
        for (int i = 0; i < ups; ++i)
            QTest::keyClick(dialog->ui().edit, Qt::Key_Up);
        QTest::keyClick(dialog->ui().edit, Qt::Key_Return);
    });
    m_window->ui().goToDayAction->trigger();
    QCOMPARE(m_window->dayNumber(), reached);
    QCOMPARE(m_window->date(), u"Tag %1"_s.arg(reached));
    QCOMPARE(m_window->ui().dayNumberPanel->text(),
        u"Nummer: %1/%2"_s.arg(withThousandsDots(reached), withThousandsDots(days)));
    QCOMPARE(m_window->focusWidget(), m_window->ui().dateEdit);
    QCOMPARE(m_announced.value(m_announced.size() - 1),
        u"Tag %1, Nummer: %2/%3"_s.arg(
            QString::number(reached), withThousandsDots(reached), withThousandsDots(days)));
    QVERIFY(m_messages->shown().isEmpty());
}

void TestReportCommands::goToWithoutANumberKeepsTheDay()
{
    start(daysFile(12));
    m_window->setDayNumber(5);
    QApplication::clipboard()->setText(u"abc"_s);
    whenModalOpens<NumberDialog>([](NumberDialog *dialog) {
        QTest::keyClick(dialog->ui().edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dialog->ui().edit->text(), u"ab"_s);
        QTest::keyClick(dialog->ui().edit, Qt::Key_Return);
    });
    m_window->ui().goToDayAction->trigger();
    QCOMPARE(m_messages->takeShown(),
        (QList<ShownMessage>{{MessageKind::Information, u"Fehler bei Eingabe!"_s}}));
    QCOMPARE(m_window->dayNumber(), 5);
    QCOMPARE(m_window->date(), u"Tag 5"_s);
}

void TestReportCommands::searchJaennerThreeTimes()
{
    start(kJanuary);
    QString proposed;
    search(u"jänner"_s, &proposed);
    QCOMPARE(proposed, QString());
    QCOMPARE(m_window->dayNumber(), 2);
    QCOMPARE(m_window->focusWidget(), m_window->ui().dateEdit);
    QCOMPARE(m_announced.value(m_announced.size() - 1), m_window->date() + u", Nummer: 2/3"_s);
    QTRY_COMPARE(soundsPlayed(), 1);

    search(QString(), &proposed);
    QCOMPARE(proposed, u"JÄNNER"_s);
    QCOMPARE(m_window->dayNumber(), 3);
    QTRY_COMPARE(soundsPlayed(), 2);

    search(QString(), &proposed);
    QCOMPARE(m_window->dayNumber(), 3);
    QCOMPARE(m_messages->takeShown(),
        (QList<ShownMessage>{{MessageKind::Information,
            u"Das Suchdatum \"JÄNNER\" wurde nicht gefunden!\r\nGehen Sie mit Strg+G zum 1. Tag "
            "und versuchen Sie es erneut."_s}}));
    QTest::qWait(50);
    QCOMPARE(soundsPlayed(), 2);
}

void TestReportCommands::searchOnce_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("found");
    QTest::newRow("8. J finds day 3") << u"8. J"_s << 3;
    QTest::newRow("Mo. is day 1, which is not searched") << u"Mo."_s << 0;
    QTest::newRow("2025 and a blank") << u"2025 "_s << 0;
    QTest::newRow("a remark does not match") << u"Mi."_s << 3;
}

void TestReportCommands::searchOnce()
{
    QFETCH(QString, text);
    QFETCH(int, found);
    start(kJanuary);
    search(text);
    QCOMPARE(m_window->dayNumber(), found ? found : 1);
    QCOMPARE(m_messages->shown().size(), found ? 0 : 1);
    if (!found) {
        QVERIFY(m_messages->shown().first().text.startsWith(
            u"Das Suchdatum \"%1\" wurde nicht gefunden!"_s.arg(text.toUpper())));
    }
}

QTEST_MAIN(TestReportCommands)
#include "tst_reportcommands.moc"
