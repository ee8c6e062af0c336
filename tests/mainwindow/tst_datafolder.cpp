#include "mainwindow/mainwindow.h"

#include "participants/participantlistdialog.h"
#include "ui/messages.h"

#include "mainwindowtesting.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <thread>

using namespace Qt::StringLiterals;

// The data folder: the switch between the documents and the program folder, and the check that
// makes sure the folder exists, also when it does not answer.
class TestDataFolder : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init() { prepare(); }
    void cleanup() { tearDown(); }

    void folderSwitchWithAnOpenParticipant();
    void folderSwitchWithoutParticipant();
    void checkedFolderEntryDoesNothing();
    void uncreatableDataFolderIsReported();
    void hangingDataFolderNeverHoldsTheWindow();

private:
    void start(const QByteArray &settings = "[General]\nTeilnehmer=Anna\n")
    {
        showPastTheList(settings);
    }
    QString documentsDataFolder() const { return m_paths.documentsFolder + u"Tessaro/"_s; }
};

void TestDataFolder::folderSwitchWithAnOpenParticipant()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    m_window->ui().remarkEdit->setText(u"beim Wechsel"_s);
    m_messages->answerNext(false);
    m_window->ui().documentsFolderAction->trigger();
    QVERIFY(m_window->ui().programFolderAction->isChecked());
    QVERIFY(!m_window->ui().documentsFolderAction->isChecked());
    QCOMPARE(m_window->participant(), u"Anna"_s);
    QCOMPARE(m_messages->shown().size(), 1);
    QCOMPARE(m_messages->takeShown().at(0).text,
        u"Wenn der aktuelle Datenordner gewechselt werden soll, muss der geöffnete Teilnehmer "
        "geschlossen werden.\r\nSoll der aktuelle Teilnehmer jetzt geschlossen und der Ordner "
        "gewechselt werden?"_s);

    m_messages->answerNext(true);
    m_messages->answerNext(false);
    m_window->ui().documentsFolderAction->trigger();
    QTRY_VERIFY(!m_window->isCheckingDataFolder());
    QVERIFY(m_window->ui().documentsFolderAction->isChecked());
    QVERIFY(!m_window->ui().programFolderAction->isChecked());
    QCOMPARE(m_window->participant(), QString());
    QVERIFY(readBytes(pathOf(u"Anna"_s)).contains("beim Wechsel"));
    // The old folder holds Anna and stays; the new one was created and is empty.
    QVERIFY(QFileInfo(dataFolder()).isDir());
    QVERIFY(QFileInfo(documentsDataFolder()).isDir());
    QCOMPARE(m_window->participantPath(), documentsDataFolder());
    QCOMPARE(m_messages->shown().size(), 2);
    QVERIFY(m_messages->shown().at(1).text.startsWith(u"Es sind keine Teilnehmer-Dateien"_s));
}

void TestDataFolder::folderSwitchWithoutParticipant()
{
    QVERIFY(QDir().mkpath(documentsDataFolder()));
    QVERIFY(writeBytes(documentsDataFolder() + u"Berta.dat"_s, daysFile(1)));
    start(QByteArray());
    QCOMPARE(m_window->participant(), QString());
    whenModalOpens<ParticipantListDialog>([](ParticipantListDialog *list) {
        QTRY_COMPARE(list->ui().list->count(), 1);
        QCOMPARE(list->ui().list->item(0)->text(), u"Berta"_s);
        list->ui().okButton->click();
    });
    m_window->ui().documentsFolderAction->trigger();
    QTRY_VERIFY(!m_window->isCheckingDataFolder());
    QVERIFY(m_messages->shown().isEmpty());
    // The empty program data folder was removed, and Berta is open.
    QVERIFY(!QFileInfo::exists(dataFolder()));
    QCOMPARE(m_window->participant(), u"Berta"_s);
    QCOMPARE(m_window->participantPath(), documentsDataFolder() + u"Berta.dat"_s);
}

void TestDataFolder::checkedFolderEntryDoesNothing()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    m_window->ui().programFolderAction->trigger();
    QVERIFY(m_window->ui().programFolderAction->isChecked());
    QVERIFY(m_messages->shown().isEmpty());
    QCOMPARE(m_window->participant(), u"Anna"_s);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestDataFolder::uncreatableDataFolderIsReported()
{
    // A file where the data folder should be keeps it from being created.
    QVERIFY(QDir(dataFolder()).removeRecursively());
    QVERIFY(writeBytes(m_paths.programFolder + u"Tessaro"_s, "kein Ordner"));
    showWindow(QByteArray());
    QTRY_COMPARE(shownTexts(),
        QStringList{u"Der Ordner \"%1\" kann nicht angelegt werden!"_s.arg(dataFolder())});
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(m_window->participant(), QString());
}

void TestDataFolder::hangingDataFolderNeverHoldsTheWindow()
{
    m_window = createProgramWindows(m_paths, recordingFront(&m_announced)).mainWindow;
    // The data folder on a network drive whose server has gone: asking it never returns.
    m_window->dataFolderMaker = [](const QString &) {
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
        return false;
    };
    m_window->show();
    QTRY_VERIFY(m_window->isCheckingDataFolder());
    // The window answers a key meanwhile.
    m_window->ui().nameEdit->setFocus();
    QCoreApplication::postEvent(
        m_window->ui().nameEdit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    QTRY_VERIFY_WITH_TIMEOUT(m_window->focusWidget() != m_window->ui().nameEdit, 100);
    QTRY_COMPARE_WITH_TIMEOUT(shownTexts(),
        QStringList{u"Der Ordner \"%1\" antwortet nicht!\r\nPrüfen Sie das Laufwerk und öffnen "
                    "Sie dann die Teilnehmerliste mit Strg+T."_s.arg(dataFolder())},
        5000);
    QVERIFY(!m_window->isCheckingDataFolder());
    QVERIFY(!QApplication::activeModalWidget());
    // The program closes at once.
    QVERIFY(m_window->close());
    m_window.reset();
}

QTEST_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
