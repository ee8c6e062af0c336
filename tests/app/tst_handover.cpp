#include "app/startup.h"

#include "handovertesting.h"
#include "mainwindow/mainwindowtesting.h"
#include "participants/classrolldialog.h"
#include "participants/participantlistdialog.h"

#include <QLineEdit>
#include <QSettings>

using namespace Qt::StringLiterals;

// The running copy's reactions to requests, through the real store, watcher and windows.
class TestHandOver : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void setFocusRaisesTheProgramAndItsDialogButDoesNotClose();
    void closeQuitsThroughTheExitCommand();
    void parametersHaveNoVisibleEffect();
    void closeAnswersTheQuestionOfTheRoll();

private:
    QString annaPath() const { return dataFolder() + u"Anna.dat"_s; }
    QString storePath() const { return m_dir->path() + u"/Tessaro.handover"_s; }
    // Starts the program with Anna open and the participant list closed.
    void start()
    {
        QVERIFY(writeBytes(annaPath(), daysFile(2)));
        whenModalOpens<ParticipantListDialog>([](ParticipantListDialog *list) { list->reject(); });
        showWindow("[General]\nTeilnehmer=Anna\n");
        QTRY_VERIFY(!m_window->ui().folderCheckTimer->isActive()
            && !m_window->isCheckingDataFolder()
            && !m_window->ui().participantListDialog->isVisible());
        startWatching();
    }
    void startWatching()
    {
        m_watcher = std::make_unique<HandOverWatcher>(HandOverStore(m_dir->path(), u"Tessaro"_s),
            m_window.get(), handOverHandlers(m_window.get()));
        m_watcher->startWatching();
    }
    void leave(const QByteArray &bytes) { leaveInStore(storePath(), bytes); }

    std::unique_ptr<HandOverWatcher> m_watcher;
};

void TestHandOver::init()
{
    prepare();
}

void TestHandOver::cleanup()
{
    m_watcher.reset();
    tearDown();
}

void TestHandOver::setFocusRaisesTheProgramAndItsDialogButDoesNotClose()
{
    QVERIFY(writeBytes(annaPath(), daysFile(2)));
    bool checked = false;
    // The participant list opens at the start and stays open while the request arrives.
    whenModalOpens<ParticipantListDialog>([this, &checked](ParticipantListDialog *list) {
        startWatching();
        // The user has gone to another program's window.
        QWidget otherProgram;
        otherProgram.show();
        otherProgram.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &otherProgram);
        leave("ProgramSetFocus=1\nProgramClose=1\n");
        QTRY_VERIFY(!QFile::exists(storePath()));
        QTRY_COMPARE(QApplication::activeWindow(), list);
        QTest::qWait(300);
        QVERIFY(m_window->isVisible() && list->isVisible());
        QVERIFY(!m_window->isClosing());
        checked = true;
    });
    showWindow("[General]\nTeilnehmer=Anna\n");
    QTRY_VERIFY(checked);
}

void TestHandOver::closeQuitsThroughTheExitCommand()
{
    QVERIFY(writeBytes(annaPath(), daysFile(2)));
    bool closed = false;
    // The request comes while the participant list of the start is open: the list is closed
    // first, as by Escape, then the program quits.
    whenModalOpens<ParticipantListDialog>([this, &closed](ParticipantListDialog *list) {
        m_window->ui().remarkEdit->setText(u"übergeben"_s);
        startWatching();
        leave("ProgramClose=1\n");
        QTRY_VERIFY(!list->isVisible());
        closed = true;
    });
    showWindow("[General]\nTeilnehmer=Anna\n");
    QTRY_VERIFY(closed);
    QTRY_VERIFY(!m_window->isVisible());
    QVERIFY(m_window->isClosing());
    QVERIFY(!QFile::exists(storePath()));
    QVERIFY(readBytes(annaPath())
                .contains("Tag 1|\xFC"
                          "bergeben\r\n"));
    QSettings settings(m_paths.settingsFile, QSettings::IniFormat);
    QCOMPARE(settings.allKeys().size(), 8);
}

void TestHandOver::parametersHaveNoVisibleEffect()
{
    start();
    QTRY_COMPARE(QApplication::activeWindow(), m_window.get());
    QWidget *focus = QApplication::focusWidget();
    const QString title = m_window->windowTitle();
    const QByteArray settings = readBytes(m_paths.settingsFile);
    m_announced.clear();

    leave("ProgramParameters=--neu|Berta\n");
    QTRY_VERIFY(!QFile::exists(storePath()));
    QTest::qWait(300);
    QCOMPARE(QApplication::activeWindow(), m_window.get());
    QCOMPARE(QApplication::focusWidget(), focus);
    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(m_announced, QStringList());
    QCOMPARE(m_messages->shown().size(), 0);
    QCOMPARE(readBytes(m_paths.settingsFile), settings);
}

void TestHandOver::closeAnswersTheQuestionOfTheRoll()
{
    start();
    // Closing the roll after a change asks in a real message box, which is the next modal
    // window the request closes ("&Nein"), so that the program still quits.
    m_messages.reset();
    whenModalOpens<ClassRollDialog>([this](ClassRollDialog *roll) {
        roll->toggleCurrentEntry();
        leave("ProgramClose=1\n");
        QTRY_VERIFY(!m_window->isVisible());
    });
    m_window->ui().classRollAction->trigger();
    QVERIFY(m_window->isClosing());
    QCOMPARE(readBytes(annaPath()), daysFile(2));
}

QTEST_MAIN(TestHandOver)
#include "tst_handover.moc"
