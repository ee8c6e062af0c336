#include "mainwindow/mainwindow.h"

#include "backup/backupwindow.h"
#include "backuptesting.h"

#include "mainwindowtesting.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

class TestBackupCommands : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void menuEntries();
    void backupStoresTheShownDayFirst();
    void restoreReopensTheParticipant_data();
    void restoreReopensTheParticipant();

private:
    QString root() const { return m_dir->path() + u"/Stick"_s; }
    QString backupFolder() const { return root() + u"/TsDaten/"_s; }
    // Shows the window over the data folder and one stick.
    void start(const QByteArray &settings);
    // Presses the key in the field and runs the backup window's start there; checks are made
    // while it is open.
    void runBackupWindow(QWidget *field, Qt::Key key, const std::function<void()> &checksWhileOpen);
};

void TestBackupCommands::init()
{
    prepare();
    QVERIFY(QDir().mkpath(root()));
}

void TestBackupCommands::cleanup()
{
    tearDown();
}

void TestBackupCommands::start(const QByteArray &settings)
{
    showPastTheList(settings);
    m_window->ui().backupWindow->setVolumeSource(
        std::make_unique<FolderVolumes>(QList<Volume>{removableVolume(root(), u"STICK"_s)}));
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestBackupCommands::runBackupWindow(
    QWidget *field, Qt::Key key, const std::function<void()> &checksWhileOpen)
{
    bool ran = false;
    whenModalOpens<BackupWindow>([&](BackupWindow *window) {
        checksWhileOpen();
        QTRY_COMPARE(window->ui().volumeList->count(), 1);
        window->ui().startButton->click();
        QTRY_VERIFY(!window->isRunning());
        window->ui().closeButton->click();
        ran = true;
    });
    field->setFocus();
    QTest::keyClick(field, key);
    QVERIFY(ran);
}

void TestBackupCommands::menuEntries()
{
    start("[General]\n");
    const QAction *backup = m_window->ui().backupAction;
    const QAction *restore = m_window->ui().restoreAction;
    QCOMPARE(backup->text(), u"Datendateien &sichern nach..."_s);
    QCOMPARE(backup->shortcut(), QKeySequence(Qt::Key_F8));
    QCOMPARE(restore->text(), u"Datendateien &wiederherstellen von..."_s);
    QCOMPARE(restore->shortcut(), QKeySequence(Qt::Key_F5));
    // Both in one menu, usable also without a participant.
    QCOMPARE(backup->associatedObjects(), restore->associatedObjects());
    const auto *menu = qobject_cast<const QMenu *>(backup->associatedObjects().value(0));
    QVERIFY(menu);
    QCOMPARE(menu->title(), u"Daten&sicherung"_s);
    QVERIFY(m_window->participant().isEmpty());
    QVERIFY(backup->isEnabled() && restore->isEnabled());
}

void TestBackupCommands::backupStoresTheShownDayFirst()
{
    QVERIFY(writeBytes(dataFolder() + u"Anna.dat"_s, daysFile(3)));
    start("[General]\nTeilnehmer=Anna\n");
    m_window->setDayNumber(2);
    m_window->setRemark(u"neu"_s);
    runBackupWindow(m_window->ui().remarkEdit, Qt::Key_F8, [this] {
        QVERIFY(readBytes(dataFolder() + u"Anna.dat"_s).contains("Tag 2|neu"));
        QCOMPARE(m_window->participant(), u"Anna"_s);
        QCOMPARE(m_window->ui().backupWindow->windowTitle(), u"Datendateien sichern nach"_s);
    });
    QCOMPARE(readBytes(backupFolder() + u"Anna.dat"_s), readBytes(dataFolder() + u"Anna.dat"_s));
    QCOMPARE(m_window->participant(), u"Anna"_s);
    QCOMPARE(m_window->dayNumber(), 2);
    QCOMPARE(m_messages->shown().size(), 1);
}

void TestBackupCommands::restoreReopensTheParticipant_data()
{
    QTest::addColumn<QString>("open"); // empty: none
    QTest::addColumn<int>("backupDays"); // 0: the backup does not hold the participant
    QTest::addColumn<int>("dayAfter");
    QTest::newRow("same day number") << u"Anna"_s << 5 << 3;
    QTest::newRow("fewer days: the last one") << u"Anna"_s << 2 << 2;
    QTest::newRow("not in the backup: kept as it was") << u"Anna"_s << 0 << 3;
    QTest::newRow("a dotted name") << u"A.B"_s << 4 << 3;
    QTest::newRow("none open stays none") << QString() << 2 << 0;
}

void TestBackupCommands::restoreReopensTheParticipant()
{
    QFETCH(QString, open);
    QFETCH(int, backupDays);
    QFETCH(int, dayAfter);
    const QString name = open.isEmpty() ? u"Anna"_s : open;
    QVERIFY(writeBytes(dataFolder() + name + u".dat"_s, daysFile(4)));
    QVERIFY(QDir().mkpath(backupFolder()));
    QVERIFY(writeBytes(backupFolder() + u"Bert.dat"_s, daysFile(1)));
    if (backupDays > 0)
        QVERIFY(writeBytes(backupFolder() + name + u".dat"_s, daysFile(backupDays, "9z|alt")));
    start("[General]\nTeilnehmer=" + open.toUtf8() + '\n');
    if (!open.isEmpty())
        m_window->setDayNumber(3);
    const QByteArray expected
        = readBytes((backupDays > 0 ? backupFolder() : dataFolder()) + name + u".dat"_s);
    // A backup of fewer days would lose days: the restore is told to copy all the same.
    m_messages->answerNext(MergeChoice::Overwrite);

    runBackupWindow(m_window->ui().dateEdit, Qt::Key_F5, [this] {
        // No participant is open while its file may be replaced.
        QVERIFY(m_window->participant().isEmpty());
        QCOMPARE(m_window->participantPath(), dataFolder());
    });

    QCOMPARE(readBytes(dataFolder() + name + u".dat"_s), expected);
    QCOMPARE(readBytes(dataFolder() + u"Bert.dat"_s), daysFile(1));
    QCOMPARE(m_window->participantPath(),
        open.isEmpty() ? dataFolder() : dataFolder() + name + u".dat"_s);
    QCOMPARE(m_window->dayNumber(), dayAfter);
    if (backupDays > 0 && !open.isEmpty())
        QCOMPARE(m_window->schoolClass(), u"9z"_s);
}

QTEST_MAIN(TestBackupCommands)
#include "tst_backupcommands.moc"
