#include "backup/backuprun.h"
#include "backup/backupwindow.h"

#include "backuptesting.h"
#include "support/dialogtesting.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <chrono>
#include <thread>

using namespace Qt::StringLiterals;

class TestBackupWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void showingScansTheVolumes_data();
    void showingScansTheVolumes();
    void noQualifyingVolume_data();
    void noQualifyingVolume();
    void runLogsAndAnnounces_data();
    void runLogsAndAnnounces();
    void failedCheckLeavesStartDisabled();
    void volumeUnmountedSinceTheList();
    void refreshKeys_data();
    void refreshKeys();
    void escapeInTheLogCloses();
    void closingWaitsForTheRun();
    void hangingVolumeNeverHoldsTheWindow();

private:
    QString dataFolder() const { return m_dir->path() + u"/Daten/"_s; }
    QString rootA() const { return m_dir->path() + u"/Stick A"_s; }
    QString rootB() const { return m_dir->path() + u"/Stick B"_s; }
    QStringList listTexts() const;
    QStringList logLines() const;
    // Shows the window modally for the direction and runs steps once it is active and has
    // scanned the volumes; the window's result.
    int showWith(BackupDirection direction, const std::function<void()> &steps);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DialogEnvironment> m_env;
    FolderVolumes *m_volumes = nullptr;
    BackupWindow *m_window = nullptr;
};

void TestBackupWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(dataFolder()));
    QVERIFY(writeBytes(dataFolder() + u"Anna.dat"_s, "1a|\r\n"));
    QVERIFY(writeBytes(dataFolder() + u"Bert.dat"_s, "1b|\r\n"));
    QVERIFY(QDir().mkpath(rootA() + u"/TsDaten"_s));
    QVERIFY(writeBytes(rootA() + u"/TsDaten/Anna.dat"_s, "alt"));
    QVERIFY(QDir().mkpath(rootB()));
    m_env = std::make_unique<DialogEnvironment>();
    auto volumes = std::make_unique<FolderVolumes>(
        QList<Volume>{removableVolume(rootA(), u"STICK"_s), removableVolume(rootB())});
    m_volumes = volumes.get();
    m_window = new BackupWindow(&m_env->mainWindow, &m_env->reader.front, std::move(volumes));
}

void TestBackupWindow::cleanup()
{
    m_env.reset();
    m_dir.reset();
}

QStringList TestBackupWindow::listTexts() const
{
    QStringList texts;
    for (int row = 0; row < m_window->ui().volumeList->count(); ++row)
        texts.append(m_window->ui().volumeList->item(row)->text());
    return texts;
}

QStringList TestBackupWindow::logLines() const
{
    return m_window->ui().log->toPlainText().split(u'\n');
}

int TestBackupWindow::showWith(BackupDirection direction, const std::function<void()> &steps)
{
    m_window->applyAppearance();
    m_window->prepare(direction, dataFolder());
    return execWith(*m_window, [this, steps] {
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTRY_VERIFY(!m_window->ui().scanTimer->isActive() && !m_window->isScanning());
        steps();
    });
}

void TestBackupWindow::showingScansTheVolumes_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("startCaption");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("backup: every writable volume")
        << true << u"Datendateien sichern nach"_s << u"&Sichern"_s
        << QStringList{u"%1 [STICK]"_s, u"%2 []"_s};
    QTest::newRow("restore: volumes with a backup folder")
        << false << u"Datendateien wiederherstellen von"_s << u"&Wiederherstellen"_s
        << QStringList{u"%1 [STICK]"_s};
}

void TestBackupWindow::showingScansTheVolumes()
{
    QFETCH(bool, backup);
    QFETCH(QString, caption);
    QFETCH(QString, startCaption);
    QFETCH(QStringList, texts);
    for (QString &text : texts)
        text.replace(u"%1"_s, rootA()).replace(u"%2"_s, rootB());
    showWith(backup ? BackupDirection::Backup : BackupDirection::Restore, [&] {
        QCOMPARE(m_window->windowTitle(), caption);
        QCOMPARE(m_window->ui().startButton->text(), startCaption);
        QCOMPARE(listTexts(), texts);
        QCOMPARE(m_window->ui().volumeList->currentRow(), 0);
        QCOMPARE(m_window->selectedRoot(), rootA());
        QCOMPARE(m_window->focusWidget(), m_window->ui().volumeList);
        QVERIFY(m_window->ui().startButton->isEnabled());
        QVERIFY(m_window->ui().startButton->isDefault());
        QCOMPARE(m_window->ui().log->toPlainText(), u"Kopierverlauf:"_s);
        QCOMPARE(m_window->ui().volumeList->accessibleName(), u"Laufwerke"_s);
        QCOMPARE(m_window->ui().log->accessibleName(), u"Kopierverlauf"_s);
        // As high as the work area, the buttons 10 pixels above its bottom.
        QCOMPARE(
            m_window->frameGeometry().height(), m_window->screen()->availableGeometry().height());
        QCOMPARE(m_window->ui().closeButton->geometry().bottom() + 1 + 10, m_window->height());
        QCOMPARE(m_env->messages.shown(), QList<ShownMessage>());
    });
    // The backup test leaves no folder behind on a volume it did not use.
    QCOMPARE(QFileInfo::exists(rootB() + u"/TsDaten"_s), false);
}

void TestBackupWindow::noQualifyingVolume_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<QString>("message");
    QTest::newRow("backup")
        << true
        << u"Keine betriebsbereiten Laufwerke zum Sichern vorhanden!\r\nKlicken "
           "Sie auf \"Aktualisieren\" um die Laufwerke erneut zu prüfen."_s;
    QTest::newRow("restore")
        << false
        << u"Keine betriebsbereiten Laufwerke mit Daten zum Wiederherstellen vorhanden!\r\n"
           "Klicken Sie auf \"Aktualisieren\" um die Laufwerke erneut zu prüfen."_s;
}

void TestBackupWindow::noQualifyingVolume()
{
    QFETCH(bool, backup);
    QFETCH(QString, message);
    m_volumes->list = {removableVolume(rootB())};
    m_volumes->list[0].ready = backup ? false : true;
    showWith(backup ? BackupDirection::Backup : BackupDirection::Restore, [&] {
        QCOMPARE(
            m_env->messages.shown(), (QList<ShownMessage>{{MessageKind::Information, message}}));
        QCOMPARE(m_window->ui().volumeList->count(), 0);
        QVERIFY(!m_window->ui().startButton->isEnabled());
        QCOMPARE(m_window->focusWidget(), m_window->ui().refreshButton);
    });
}

void TestBackupWindow::runLogsAndAnnounces_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("message");
    QTest::newRow("backup") << true
                            << QStringList{u"Kopierverlauf:"_s,
                                   u"Kopiere: \"Anna.dat\" --> \"%1Anna.dat\" ..."_s,
                                   u"Kopiere: \"Bert.dat\" --> \"%1Bert.dat\" ..."_s,
                                   u"Vergleiche: \"Anna.dat\" --> \"%1Anna.dat\" ..."_s,
                                   u"Vergleiche: \"Bert.dat\" --> \"%1Bert.dat\" ..."_s}
                            << u"Die Datendateien wurden erfolgreich in \"%1\" gesichert!"_s;
    QTest::newRow("restore")
        << false
        << QStringList{u"Kopierverlauf:"_s, u"Kopiere: \"%1Anna.dat\" --> \"Anna.dat\" ..."_s,
               u"Vergleiche: \"%1Anna.dat\" --> \"Anna.dat\" ..."_s}
        << u"Die Datendateien wurden erfolgreich von \"%1\" wiederhergestellt!"_s;
}

void TestBackupWindow::runLogsAndAnnounces()
{
    QFETCH(bool, backup);
    QFETCH(QStringList, log);
    QFETCH(QString, message);
    const QString backupFolder = rootA() + u"/TsDaten/"_s;
    for (QString &line : log)
        line.replace(u"%1"_s, backupFolder);
    showWith(backup ? BackupDirection::Backup : BackupDirection::Restore, [&] {
        // Enter in the list presses the default button.
        QTest::keyClick(m_window->ui().volumeList, Qt::Key_Return);
        QVERIFY(m_window->isRunning());
        QVERIFY(!m_window->ui().startButton->isEnabled());
        QCOMPARE(m_window->focusWidget(), m_window->ui().log);
        QTRY_VERIFY(!m_window->isRunning());
        QCOMPARE(logLines(), log);
        QCOMPARE(m_env->messages.shown(),
            (QList<ShownMessage>{{MessageKind::Information, message.arg(backupFolder)}}));
        // The caret stands at the start of the newest line, and that line was announced.
        const QTextCursor caret = m_window->ui().log->textCursor();
        QCOMPARE(caret.block().text(), log.constLast());
        QCOMPARE(caret.positionInBlock(), 0);
        QTRY_COMPARE(m_env->reader.announced.value(m_env->reader.announced.size() - 1),
            log.constLast() + u" (interrupt)"_s);
        QVERIFY(m_window->ui().startButton->isEnabled());
        QVERIFY(m_window->ui().refreshButton->isEnabled());
        QCOMPARE(m_window->focusWidget(), m_window->ui().volumeList);
        QVERIFY(m_window->isVisible());
    });
    QCOMPARE(readBytes(backup ? backupFolder + u"Bert.dat"_s : dataFolder() + u"Anna.dat"_s),
        backup ? QByteArray("1b|\r\n") : QByteArray("alt"));
}

void TestBackupWindow::failedCheckLeavesStartDisabled()
{
    QVERIFY(QFile::remove(dataFolder() + u"Anna.dat"_s));
    QVERIFY(QFile::remove(dataFolder() + u"Bert.dat"_s));
    showWith(BackupDirection::Backup, [&] {
        m_window->ui().startButton->click();
        QTRY_VERIFY(!m_window->isRunning());
        QCOMPARE(m_env->messages.shown(),
            (QList<ShownMessage>{{MessageKind::Information,
                u"Es sind keine Datendateien zum Sichern vorhanden!"_s}}));
        QVERIFY(!m_window->ui().startButton->isEnabled());
        QCOMPARE(m_window->focusWidget(), m_window->ui().refreshButton);
        QCOMPARE(logLines(), QStringList{u"Kopierverlauf:"_s});
    });
}

void TestBackupWindow::volumeUnmountedSinceTheList()
{
    showWith(BackupDirection::Backup, [&] {
        m_volumes->list.removeFirst();
        m_window->ui().startButton->click();
        QTRY_VERIFY(!m_window->isRunning());
        QCOMPARE(m_env->messages.shown(),
            (QList<ShownMessage>{{MessageKind::Error,
                u"Der Ordner \"%1/TsDaten/\" kann nicht angelegt werden!"_s.arg(rootA())}}));
        QCOMPARE(logLines(), QStringList{u"Kopierverlauf:"_s});
    });
    QCOMPARE(readBytes(rootA() + u"/TsDaten/Anna.dat"_s), QByteArray("alt"));
}

void TestBackupWindow::refreshKeys_data()
{
    QTest::addColumn<bool>("inLog");
    QTest::newRow("F5 in the list") << false;
    QTest::newRow("F5 in the log") << true;
}

void TestBackupWindow::refreshKeys()
{
    QFETCH(bool, inLog);
    showWith(BackupDirection::Backup, [&] {
        QCOMPARE(m_window->ui().volumeList->count(), 2);
        m_volumes->list.removeFirst();
        QWidget *target
            = inLog ? static_cast<QWidget *>(m_window->ui().log) : m_window->ui().volumeList;
        target->setFocus();
        QTest::keyClick(target, Qt::Key_F5);
        QTRY_COMPARE(listTexts(), QStringList{rootB() + u" []"_s});
        QTRY_COMPARE(m_window->focusWidget(), m_window->ui().volumeList);
    });
}

void TestBackupWindow::escapeInTheLogCloses()
{
    const int result = showWith(BackupDirection::Backup, [&] {
        QTest::keyClick(m_window->ui().log, Qt::Key_Escape);
        QVERIFY(!m_window->isVisible());
    });
    QCOMPARE(result, int(QDialog::Rejected));
}

void TestBackupWindow::closingWaitsForTheRun()
{
    QSemaphore reached;
    QSemaphore proceed;
    m_window->preparingRun = [&](BackupRun &run) {
        run.beforeComparing = [&] {
            reached.release();
            proceed.acquire();
        };
    };
    const int result = showWith(BackupDirection::Backup, [&] {
        // Whatever fails below, the run must not wait for ever.
        auto release = qScopeGuard([&] { proceed.release(); });
        m_window->ui().startButton->click();
        QTRY_VERIFY(reached.available() > 0);
        QTest::keyClick(m_window->ui().log, Qt::Key_Escape);
        m_window->ui().closeButton->click();
        QVERIFY(m_window->isVisible());
        // No refresh may enable the start button for a second run meanwhile.
        QVERIFY(!m_window->ui().refreshButton->isEnabled());
        QTest::keyClick(m_window->ui().volumeList, Qt::Key_F5);
        QVERIFY(!m_window->ui().startButton->isEnabled());
        release.dismiss();
        proceed.release();
        QTRY_VERIFY(!m_window->isVisible());
        QCOMPARE(m_env->messages.shown().size(), 1);
        QCOMPARE(m_env->messages.shown().constFirst().kind, MessageKind::Information);
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(!m_window->isRunning());
}

void TestBackupWindow::hangingVolumeNeverHoldsTheWindow()
{
    // A network mount whose server has gone: asking it never returns.
    class HangingVolumes : public FolderVolumes
    {
    public:
        using FolderVolumes::FolderVolumes;
        Volume ask(const Volume &mount) const override
        {
            for (;;)
                std::this_thread::sleep_for(std::chrono::hours(1));
            return mount;
        }
    };
    Volume share{rootB(), VolumeKind::Network, QString(), u"//server/share"_s, true};
    m_window->setVolumeSource(std::make_unique<HangingVolumes>(QList<Volume>{share}));
    m_window->applyAppearance();
    m_window->prepare(BackupDirection::Backup, dataFolder());
    execWith(*m_window, [&] {
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTRY_VERIFY(!m_window->ui().scanTimer->isActive());
        // The window answers a key while the volume is asked.
        QVERIFY(m_window->isScanning());
        QCoreApplication::postEvent(m_window->ui().volumeList,
            new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->focusWidget(), m_window->ui().log, 100);
        // Listed as not answering once the patience has run out, and not to be chosen.
        QTRY_COMPARE_WITH_TIMEOUT(
            listTexts(), QStringList{rootB() + u" //SERVER/SHARE antwortet nicht"_s}, 5000);
        m_window->ui().volumeList->setCurrentRow(0);
        QVERIFY(!m_window->ui().startButton->isEnabled());
        QTest::keyClick(m_window->ui().volumeList, Qt::Key_Return);
        QVERIFY(!m_window->isRunning());
        QCOMPARE(m_env->messages.shown(),
            (QList<ShownMessage>{{MessageKind::Information,
                u"Keine betriebsbereiten Laufwerke zum Sichern vorhanden!\r\nKlicken Sie auf "
                "\"Aktualisieren\" um die Laufwerke erneut zu prüfen."_s}}));
        // The window closes at once, and so does the program.
        QTest::keyClick(m_window->ui().volumeList, Qt::Key_Escape);
        QVERIFY(!m_window->isVisible());
    });
    delete m_window;
}

QTEST_MAIN(TestBackupWindow)
#include "tst_backupwindow.moc"
