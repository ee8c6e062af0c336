#include "mainwindow/mainwindow.h"

#include "records/dates.h"
#include "speech/announcefield.h"
#include "ui/appearance.h"
#include "ui/messages.h"

#include "mainwindowtesting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TestMainWindow : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startOpensTheLastParticipantAtDayOne();
    void forwardAndBackFollowTheEdges_data();
    void forwardAndBackFollowTheEdges();
    void forwardFromDayOneShowsTheNextOlderDay();
    void ctrlRightInTheDateFieldGoesForward();
    void everyDayChangeIsAnnounced_data();
    void everyDayChangeIsAnnounced();
    void newDayBecomesDayOne();
    void newDayAnsweredNoChangesNothing();
    void deletingADay_data();
    void deletingADay();
    void deletingTheOnlyDayDeletesTheFile();
    void dateInsertion();
    void statusBarGroupsDigits();
    void unchangedDayTouchesNoFile();
    void classChangeReachesTheFileAtTheNextStore();
    void informationLinesAreStoredPerDisplayLine();
    void closedWindowHasNoParticipantAndReadOnlyDayFields();
    void fieldsCarryTheirLabelsAsAccessibleNames();
    void closingStoresTheDayAndTheSettings();
    void settingsRoundTrip();
    void settingsErrors_data();
    void settingsErrors();
    void missingSettingsGiveTheDefaults();
    void unreadableParticipantIsReportedAndNothingOpens();
    void failedStoreKeepsTheWindowOpen();
    void emptyDataFolderIsRemovedAtTheEnd();

private:
    void start(const QByteArray &settings = "[General]\nTeilnehmer=Anna\n")
    {
        showPastTheFolderCheck(settings);
    }
    QString annaPath() const { return dataFolder() + u"Anna.dat"_s; }
    QString statusNumber() const { return m_window->ui().dayNumberPanel->text(); }
};

void TestMainWindow::init()
{
    prepare();
}

void TestMainWindow::cleanup()
{
    tearDown();
}

void TestMainWindow::startOpensTheLastParticipantAtDayOne()
{
    QVERIFY(writeBytes(annaPath(), daysFile(3)));
    start();
    QCOMPARE(m_window->windowTitle(), u"Anna - Tessaro V1.01"_s);
    QCOMPARE(m_window->participant(), u"Anna"_s);
    QCOMPARE(m_window->schoolClass(), u"1a"_s);
    QCOMPARE(m_window->comment(), u"Kommentar"_s);
    QCOMPARE(m_window->dayNumber(), 1);
    QCOMPARE(m_window->date(), u"Tag 1"_s);
    QCOMPARE(statusNumber(), u"Nummer: 1/3"_s);
    QCOMPARE(m_window->ui().hintPanel->text(),
        u"Vorw.: Strg+Rechts; Rückw.: Strg+Links; Teilnehmerliste: Strg+T"_s);
    QVERIFY(m_window->ui().programFolderAction->isChecked());
    QVERIFY(!m_window->ui().documentsFolderAction->isChecked());
    QVERIFY(m_messages->shown().isEmpty());
}

void TestMainWindow::forwardAndBackFollowTheEdges_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("day");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<bool>("back");
    QTest::newRow("one day") << 1 << 1 << false << false;
    QTest::newRow("day 1 of 3") << 3 << 1 << true << false;
    QTest::newRow("day 2 of 3") << 3 << 2 << true << true;
    QTest::newRow("day 3 of 3") << 3 << 3 << false << true;
}

void TestMainWindow::forwardAndBackFollowTheEdges()
{
    QFETCH(int, days);
    QFETCH(int, day);
    QFETCH(bool, forward);
    QFETCH(bool, back);
    QVERIFY(writeBytes(annaPath(), daysFile(days)));
    start();
    m_window->setDayNumber(day);
    QCOMPARE(m_window->ui().nextDayButton->isEnabled(), forward);
    QCOMPARE(m_window->ui().nextDayAction->isEnabled(), forward);
    QCOMPARE(m_window->ui().previousDayButton->isEnabled(), back);
    QCOMPARE(m_window->ui().previousDayAction->isEnabled(), back);
}

void TestMainWindow::forwardFromDayOneShowsTheNextOlderDay()
{
    QVERIFY(writeBytes(annaPath(), daysFile(3)));
    start();
    QTest::mouseClick(m_window->ui().nextDayButton, Qt::LeftButton);
    QCOMPARE(m_window->dayNumber(), 2);
    QCOMPARE(m_window->date(), u"Tag 2"_s);
    QCOMPARE(statusNumber(), u"Nummer: 2/3"_s);
    QCOMPARE(QApplication::focusWidget(), m_window->ui().dateEdit);
    QTest::mouseClick(m_window->ui().previousDayButton, Qt::LeftButton);
    QCOMPARE(m_window->date(), u"Tag 1"_s);
}

void TestMainWindow::ctrlRightInTheDateFieldGoesForward()
{
    QVERIFY(writeBytes(annaPath(), daysFile(3)));
    start();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->ui().dateEdit->setFocus();
    m_window->ui().dateEdit->setCursorPosition(0);
    QTest::keyClick(m_window->ui().dateEdit, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(m_window->dayNumber(), 2);
    QTest::keyClick(m_window->ui().remarkEdit, Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(m_window->dayNumber(), 1);
    QTest::keyClick(m_window->ui().infoEdit, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(m_window->dayNumber(), 2);
}

void TestMainWindow::everyDayChangeIsAnnounced_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("fromDay");
    QTest::addColumn<bool>("readerReadsNames");
    QTest::addColumn<QString>("heard");
    const QString today = dateText(QDate::currentDate());
    // A key in the date field interrupts stale speech; after a message box the screen reader
    // reads the window and its field again, and a reader of the names hears only the number.
    QTest::newRow("forward") << u"forward"_s << 1 << false << u"Tag 2, Nummer: 2/3 (interrupt)"_s;
    QTest::newRow("forward, the focus staying")
        << u"forward"_s << 1 << true << u"Tag 2, Nummer: 2/3 (interrupt)"_s;
    QTest::newRow("back") << u"back"_s << 3 << false << u"Tag 2, Nummer: 2/3 (interrupt)"_s;
    QTest::newRow("new day") << u"new day"_s << 2 << false << u"%1, Nummer: 1/4"_s.arg(today);
    QTest::newRow("new day, the field read again") << u"new day"_s << 2 << true << u"Nummer: 1/4"_s;
    QTest::newRow("delete the last day") << u"delete"_s << 3 << false << u"Tag 2, Nummer: 2/2"_s;
    QTest::newRow("delete a middle day") << u"delete"_s << 2 << false << u"Tag 3, Nummer: 2/2"_s;
}

void TestMainWindow::everyDayChangeIsAnnounced()
{
    // Regression: after Ctrl+Right the focus stayed in "Datum:" and nothing was heard.
    QFETCH(QString, command);
    QFETCH(int, fromDay);
    QFETCH(bool, readerReadsNames);
    QFETCH(QString, heard);
    QVERIFY(writeBytes(annaPath(), daysFile(3)));
    start();
    setScreenReaderReadsNamesForTesting(readerReadsNames);
    const auto restore = qScopeGuard([] { setScreenReaderReadsNamesForTesting(std::nullopt); });
    m_window->setDayNumber(fromDay);
    m_window->ui().dateEdit->setFocus();
    m_announced.clear();
    m_messages->answerNext(true);
    QAction *action = command == u"forward"_s ? m_window->ui().nextDayAction
        : command == u"back"_s                ? m_window->ui().previousDayAction
        : command == u"new day"_s             ? m_window->ui().newDayAction
                                              : m_window->ui().deleteDayAction;
    action->trigger();
    QCOMPARE(m_announced, QStringList(heard));
    QCOMPARE(QApplication::focusWidget(), m_window->ui().dateEdit);
}

void TestMainWindow::newDayBecomesDayOne()
{
    const QByteArray before = daysFile(2);
    QVERIFY(writeBytes(annaPath(), before));
    start();
    m_messages->answerNext(true);
    m_window->ui().newDayAction->trigger();

    const QString today = dateText(QDate::currentDate());
    QCOMPARE(m_messages->takeShown(),
        (QList<ShownMessage>{{MessageKind::Question, u"Soll ein neuer Tag erstellt werden?"_s}}));
    QCOMPARE(m_window->dayNumber(), 1);
    QCOMPARE(m_window->date(), today);
    QCOMPARE(m_window->presentIndex(), 1);
    QCOMPARE(statusNumber(), u"Nummer: 1/3"_s);
    QCOMPARE(QApplication::focusWidget(), m_window->ui().dateEdit);
    QCOMPARE(readBytes(annaPath()),
        "1a|Kommentar\r\n" + today.toLatin1() + "|\r\n1\r\n<--------------->\r\n"
            + before.mid(before.indexOf("\r\n") + 2));
    // The first store rewrote the unchanged file, the second made its copy of that.
    QCOMPARE(readBytes(annaPath() + u".bak"_s), before);
    m_window->setDayNumber(2);
    QCOMPARE(m_window->date(), u"Tag 1"_s);
}

void TestMainWindow::newDayAnsweredNoChangesNothing()
{
    QVERIFY(writeBytes(annaPath(), daysFile(2)));
    start();
    m_messages->answerNext(false);
    m_window->ui().newDayAction->trigger();
    QCOMPARE(m_window->dayCount(), 2);
    QCOMPARE(readBytes(annaPath()), daysFile(2));
    QVERIFY(!QFileInfo::exists(annaPath() + u".bak"_s));
}

void TestMainWindow::deletingADay_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("shownNumber");
    QTest::addColumn<QString>("shownDate");
    QTest::newRow("day 3 of 5 shows the former day 4") << 3 << 3 << u"Tag 4"_s;
    QTest::newRow("day 5 of 5 shows day 4") << 5 << 4 << u"Tag 4"_s;
}

void TestMainWindow::deletingADay()
{
    QFETCH(int, day);
    QFETCH(int, shownNumber);
    QFETCH(QString, shownDate);
    QVERIFY(writeBytes(annaPath(), daysFile(5)));
    start();
    m_window->setDayNumber(day);
    m_messages->answerNext(true);
    m_window->ui().deleteDayAction->trigger();
    QCOMPARE(m_messages->takeShown().value(0).text,
        u"Soll der Tag \"Tag %1\" vom Teilnehmer \"Anna\" gelöscht werden?"_s.arg(day));
    QCOMPARE(m_window->dayNumber(), shownNumber);
    QCOMPARE(m_window->date(), shownDate);
    QCOMPARE(statusNumber(), u"Nummer: %1/4"_s.arg(shownNumber));
    const QByteArray written = readBytes(annaPath());
    QVERIFY(!written.contains("Tag " + QByteArray::number(day) + "|"));
    QCOMPARE(written.count("<--------------->"), 4);
}

void TestMainWindow::deletingTheOnlyDayDeletesTheFile()
{
    QVERIFY(writeBytes(annaPath(), daysFile(1)));
    start();
    m_window->ui().remarkEdit->setText(u"geändert"_s);
    m_messages->answerNext(true);
    m_window->ui().deleteDayAction->trigger();
    const QList<ShownMessage> shown = m_messages->takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(1),
        (ShownMessage{MessageKind::Information,
            u"Keine weiteren Tage mehr vorhanden!\r\nDer Teilnehmer "
            "\"Anna\" wurde gelöscht."_s}));
    QVERIFY(!QFileInfo::exists(annaPath()));
    // The copy made by the store before the deletion stays.
    QVERIFY(readBytes(annaPath() + u".bak"_s).contains("Tag 1|"));
    QCOMPARE(m_window->participant(), QString());
    QCOMPARE(m_window->windowTitle(), u"KeinName - Tessaro V1.01"_s);
    QCOMPARE(statusNumber(), u"Nummer: 0/0"_s);
    QCOMPARE(m_window->participantPath(), dataFolder());
    QCOMPARE(QApplication::focusWidget(), m_window->ui().nameEdit);
}

void TestMainWindow::dateInsertion()
{
    QVERIFY(writeBytes(annaPath(), daysFile(2)));
    start();
    const QString yesterday = dateText(QDate::currentDate().addDays(-1));
    m_messages->answerNext(false);
    m_window->ui().insertYesterdayAction->trigger();
    QCOMPARE(m_messages->takeShown().value(0).text,
        u"Soll der Text \"%1\" in das Datum-Eingabefeld eingefügt werden?"_s.arg(yesterday));
    QCOMPARE(m_window->date(), u"Tag 1"_s);

    m_messages->answerNext(true);
    m_window->ui().dateMenuTomorrowAction->trigger();
    QCOMPARE(m_window->date(), dateText(QDate::currentDate().addDays(1)));
    QCOMPARE(readBytes(annaPath()), daysFile(2));
    // The next store writes it.
    m_window->ui().nextDayAction->trigger();
    QVERIFY(readBytes(annaPath()).contains(dateText(QDate::currentDate().addDays(1)).toLatin1()));
}

void TestMainWindow::statusBarGroupsDigits()
{
    QVERIFY(writeBytes(annaPath(), daysFile(1000)));
    start();
    QCOMPARE(statusNumber(), u"Nummer: 1/1.000"_s);
    m_window->setDayNumber(5000);
    QCOMPARE(statusNumber(), u"Nummer: 1.000/1.000"_s);
    QCOMPARE(m_window->date(), u"Tag 1000"_s);
}

void TestMainWindow::unchangedDayTouchesNoFile()
{
    QVERIFY(writeBytes(annaPath(), daysFile(3)));
    const QDateTime modified = QFileInfo(annaPath()).lastModified();
    start();
    m_window->ui().nextDayAction->trigger();
    m_window->ui().nextDayAction->trigger();
    m_window->ui().previousDayAction->trigger();
    m_window->ui().closeAction->trigger();
    QCOMPARE(readBytes(annaPath()), daysFile(3));
    QCOMPARE(QFileInfo(annaPath()).lastModified(), modified);
    QVERIFY(!QFileInfo::exists(annaPath() + u".bak"_s));
}

void TestMainWindow::classChangeReachesTheFileAtTheNextStore()
{
    QVERIFY(writeBytes(annaPath(), daysFile(1)));
    start();
    m_window->setSchoolClass(u"2b"_s);
    QCOMPARE(readBytes(annaPath()), daysFile(1));
    m_window->ui().closeAction->trigger();
    QVERIFY(readBytes(annaPath()).startsWith("2b|Kommentar\r\n"));
}

void TestMainWindow::informationLinesAreStoredPerDisplayLine()
{
    QVERIFY(writeBytes(annaPath(), daysFile(1)));
    start();
    m_window->ui().infoEdit->setPlainText(u"erste Zeile\n\ndritte Zeile\n"_s);
    m_window->setPresentIndex(0);
    m_window->ui().closeAction->trigger();
    QCOMPARE(readBytes(annaPath()),
        QByteArray("1a|Kommentar\r\nTag 1|\r\n0\r\nerste Zeile\r\n\r\ndritte Zeile\r\n"
                   "<--------------->\r\n"));
}

void TestMainWindow::closedWindowHasNoParticipantAndReadOnlyDayFields()
{
    QVERIFY(writeBytes(annaPath(), daysFile(2)));
    start();
    QVERIFY(!m_window->ui().dateEdit->isReadOnly());
    QVERIFY(m_window->ui().closeAction->isEnabled());
    m_window->ui().closeAction->trigger();
    QCOMPARE(m_window->windowTitle(), u"KeinName - Tessaro V1.01"_s);
    QCOMPARE(statusNumber(), u"Nummer: 0/0"_s);
    QVERIFY(m_window->ui().dateEdit->isReadOnly());
    QVERIFY(m_window->ui().remarkEdit->isReadOnly());
    QVERIFY(m_window->ui().infoEdit->isReadOnly());
    QVERIFY(m_window->ui().nameEdit->isReadOnly());
    for (QAction *entry : {m_window->ui().newDayAction, m_window->ui().deleteDayAction,
             m_window->ui().insertTodayAction, m_window->ui().dateMenuTodayAction,
             m_window->ui().closeAction, m_window->ui().nextDayAction})
        QVERIFY2(!entry->isEnabled(), qPrintable(entry->text()));
    QVERIFY(m_window->ui().presentGroup->isEnabled());
}

void TestMainWindow::fieldsCarryTheirLabelsAsAccessibleNames()
{
    start();
    QCOMPARE(m_window->ui().nameEdit->accessibleName(), u"Name:"_s);
    QCOMPARE(m_window->ui().classEdit->accessibleName(), u"Klasse:"_s);
    QCOMPARE(m_window->ui().dateEdit->accessibleName(), u"Datum:"_s);
    QCOMPARE(m_window->ui().commentEdit->accessibleName(), u"Kommentar:"_s);
    QCOMPARE(m_window->ui().remarkEdit->accessibleName(), u"Anmerkung:"_s);
    QCOMPARE(m_window->ui().infoEdit->accessibleName(), u"Infos:"_s);
    QCOMPARE(m_window->ui().dateLabel->buddy(), m_window->ui().dateEdit);
}

void TestMainWindow::closingStoresTheDayAndTheSettings()
{
    QVERIFY(writeBytes(annaPath(), daysFile(2)));
    start();
    m_window->ui().remarkEdit->setText(u"beim Schließen"_s);
    QVERIFY(m_window->close());
    QVERIFY(m_window->isClosing());
    QVERIFY(readBytes(annaPath())
                .contains("Tag 1|beim Schlie\xDF"
                          "en\r\n"));
    QSettings settings(m_paths.settingsFile, QSettings::IniFormat);
    QCOMPARE(settings.allKeys().size(), 8);
    QCOMPARE(settings.value(u"Teilnehmer"_s).toString(), u"Anna"_s);
}

void TestMainWindow::settingsRoundTrip()
{
    QVERIFY(writeBytes(m_paths.documentsFolder + u"Tessaro/Berta.dat"_s, QByteArray())
        || (QDir().mkpath(m_paths.documentsFolder + u"Tessaro"_s)
            && writeBytes(m_paths.documentsFolder + u"Tessaro/Berta.dat"_s, daysFile(1))));
    start("[General]\nAktOrdner=1\nTeilnehmer=Berta\nFontName=Liberation Serif\nFontSize=20\n"
          "FontColor=255\nFontCharSet=513\nFontStyle=3\nHintColor=0\n");
    QVERIFY(m_window->ui().documentsFolderAction->isChecked());
    QCOMPARE(m_window->participant(), u"Berta"_s);
    QCOMPARE(currentFont().font.family(), u"Liberation Serif"_s);
    QCOMPARE(currentFont().font.pointSize(), 20);
    QCOMPARE(currentFont().color, 255u);
    QCOMPARE(currentFont().charSet, 1);
    QVERIFY(currentFont().font.bold() && currentFont().font.italic());
    QVERIFY(!currentFont().font.underline());
    QCOMPARE(m_window->backgroundNumber(), 0);
    QCOMPARE(m_window->ui().nameEdit->font().pointSize(), 20);
    QVERIFY(m_window->close());

    const QByteArray written = readBytes(m_paths.settingsFile);
    const QList<QByteArray> expected
        = {"AktOrdner=1", "Teilnehmer=Berta", "HintColor=0", "FontName=Liberation Serif",
            "FontSize=20", "FontColor=255", "FontCharSet=1", "FontStyle=3"};
    for (const QByteArray &line : expected)
        QVERIFY2(written.contains(line), written.constData());
}

void TestMainWindow::settingsErrors_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("participantOpen");
    QTest::newRow("AktOrdner text") << QByteArray("AktOrdner=zwei\nTeilnehmer=Anna\n")
                                    << u"Ungültiger Datentyp für 'AktOrdner'"_s << false;
    QTest::newRow("Teilnehmer list") << QByteArray("Teilnehmer=Anna, Berta\n")
                                     << u"Ungültiger Datentyp für 'Teilnehmer'"_s << false;
    QTest::newRow("FontName list") << QByteArray("Teilnehmer=Anna\nFontName=a, b\n")
                                   << u"Ungültiger Datentyp für 'FontName'"_s << true;
    QTest::newRow("FontSize too big") << QByteArray("Teilnehmer=Anna\nFontSize=99999999999\n")
                                      << u"Fehler beim Holen der Daten für 'FontSize'"_s << true;
    QTest::newRow("FontColor text") << QByteArray("Teilnehmer=Anna\nFontColor=rot\n")
                                    << u"Ungültiger Datentyp für 'FontColor'"_s << true;
    QTest::newRow("FontCharSet text") << QByteArray("Teilnehmer=Anna\nFontCharSet=x\n")
                                      << u"Ungültiger Datentyp für 'FontCharSet'"_s << true;
    QTest::newRow("FontStyle text") << QByteArray("Teilnehmer=Anna\nFontStyle=fett\n")
                                    << u"Ungültiger Datentyp für 'FontStyle'"_s << true;
    QTest::newRow("HintColor text") << QByteArray("Teilnehmer=Anna\nHintColor=weiss\n")
                                    << u"Ungültiger Datentyp für 'HintColor'"_s << true;
}

void TestMainWindow::settingsErrors()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, message);
    QFETCH(bool, participantOpen);
    QVERIFY(writeBytes(annaPath(), daysFile(1)));
    QVERIFY(QDir(dataFolder()).removeRecursively());
    QVERIFY(QDir().mkpath(dataFolder()));
    QVERIFY(writeBytes(annaPath(), daysFile(1)));
    start("[General]\n" + settings);
    QCOMPARE(m_messages->shown(), (QList<ShownMessage>{{MessageKind::Error, message}}));
    QCOMPARE(m_window->participant().isEmpty(), !participantOpen);
    // The loading stopped there: the folder check does not run.
    QTest::qWait(60);
    QVERIFY(!m_window->ui().folderCheckTimer->isActive());
    // The program goes on and can be closed.
    QVERIFY(m_window->close());
}

void TestMainWindow::missingSettingsGiveTheDefaults()
{
    currentFont().font.setPointSize(30);
    // No participant anywhere: the folder check opens no list, so the test may run before it.
    showWindow(QByteArray());
    QVERIFY(m_messages->shown().isEmpty());
    QVERIFY(m_window->ui().programFolderAction->isChecked());
    QCOMPARE(m_window->participant(), QString());
    QCOMPARE(currentFont().font.family(), u"Arial"_s);
    QCOMPARE(currentFont().font.pointSize(), 12);
    QCOMPARE(currentFont().color, kWindowTextColor);
    QCOMPARE(currentFont().font.bold(), false);
    QCOMPARE(m_window->backgroundNumber(), 1);
    // The folder check runs 25 ms after showing and creates a missing data folder.
    QVERIFY(QDir(dataFolder()).removeRecursively());
    QTRY_VERIFY(QFileInfo(dataFolder()).isDir());
}

void TestMainWindow::unreadableParticipantIsReportedAndNothingOpens()
{
    QCOMPARE(mkfifo(QFile::encodeName(annaPath()).constData(), 0600), 0);
    start();
    QCOMPARE(m_messages->shown().size(), 1);
    QVERIFY(m_messages->shown().at(0).text.startsWith(
        u"Datei "_s + annaPath() + u" kann nicht geöffnet werden. "_s));
    QCOMPARE(m_window->participant(), QString());
    QCOMPARE(m_window->windowTitle(), u"KeinName - Tessaro V1.01"_s);
    QVERIFY(m_window->close());
}

void TestMainWindow::failedStoreKeepsTheWindowOpen()
{
    QVERIFY(writeBytes(annaPath(), daysFile(1)));
    start();
    m_window->ui().remarkEdit->setText(u"nicht verlieren"_s);
    QVERIFY(QDir(dataFolder()).removeRecursively());
    QVERIFY(!m_window->close());
    QCOMPARE(m_messages->shown().size(), 1);
    QVERIFY(m_messages->shown().at(0).text.startsWith(
        u"Datei \""_s + annaPath() + u"\" kann nicht erstellt werden. "_s));
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->isClosing());
    QCOMPARE(m_window->remark(), u"nicht verlieren"_s);
}

void TestMainWindow::emptyDataFolderIsRemovedAtTheEnd()
{
    start(QByteArray());
    QTRY_VERIFY(QFileInfo(dataFolder()).isDir());
    QVERIFY(m_window->close());
    m_window.reset();
    QVERIFY(!QFileInfo::exists(dataFolder()));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
