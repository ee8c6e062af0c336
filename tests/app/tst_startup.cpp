#include "app/singleinstance.h"

#include "handovertesting.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Real starts of the program, offscreen, each with a home, configuration and runtime folder of
// its own.
class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void secondStartLeavesOneSetFocusRequestOnceTheWindowsExist_data();
    void secondStartLeavesOneSetFocusRequestOnceTheWindowsExist();
    void runningCopyHandlesRequests_data();
    void runningCopyHandlesRequests();

private:
    QString handOverFolder() const { return m_dir->path() + u"/run/Tessaro"_s; }
    QString storePath() const { return handOverFolder() + u"/Tessaro.handover"_s; }
    QString settingsPath() const { return m_dir->path() + u"/config/Tessaro/Tessaro.ini"_s; }
    void leave(const QByteArray &bytes) { leaveInStore(storePath(), bytes); }
    // A start; with another platform than offscreen, one that tried to open a window would fail.
    void startProgram(QProcess &process, const QString &platform = u"offscreen"_s)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, m_dir->path() + u"/home"_s);
        environment.insert(u"XDG_CONFIG_HOME"_s, m_dir->path() + u"/config"_s);
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_dir->path() + u"/run"_s);
        environment.insert(u"QT_QPA_PLATFORM"_s, platform);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(TESSARO_EXECUTABLE), {u"--ein-argument"_s});
        QVERIFY(process.waitForStarted());
    }
    void startSecondCopy()
    {
        QProcess second;
        startProgram(second, u"no-such-platform"_s);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_first;
};

void TestStartup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(m_dir->path() + u"/home/Documents/Tessaro"_s));
    QVERIFY(QDir().mkpath(m_dir->path() + u"/config/Tessaro"_s));
    QVERIFY(QDir().mkpath(handOverFolder()));
    QVERIFY(QFile::setPermissions(
        m_dir->path() + u"/run"_s, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(writeBytes(m_dir->path() + u"/home/Documents/Tessaro/Anna.dat"_s,
        "1a|\r\nTag 1|\r\n1\r\n<--------------->\r\n"));
    QVERIFY(writeBytes(settingsPath(), "[General]\nAktOrdner=1\nTeilnehmer=Anna\n"));
}

void TestStartup::cleanup()
{
    if (m_first.state() != QProcess::NotRunning) {
        m_first.kill();
        m_first.waitForFinished();
    }
}

void TestStartup::secondStartLeavesOneSetFocusRequestOnceTheWindowsExist_data()
{
    QTest::addColumn<bool>("windowsExist");
    QTest::addColumn<QByteArray>("store");

    QTest::newRow("running copy with its windows") << true << "ProgramSetFocus=1\n"_ba;
    QTest::newRow("running copy still creating its windows") << false << "<missing>"_ba;
}

void TestStartup::secondStartLeavesOneSetFocusRequestOnceTheWindowsExist()
{
    QFETCH(bool, windowsExist);
    QFETCH(QByteArray, store);
    // This test holds the lock as the running copy, which never consumes the request.
    InstanceLock runningCopy(handOverFolder(), kProgramTitle);
    QCOMPARE(runningCopy.acquire(), FileLock::Result::Locked);
    if (windowsExist)
        runningCopy.publish(kProgramTitle);
    startSecondCopy();
    startSecondCopy();
    QCOMPARE(readBytes(storePath()), store);
}

void TestStartup::runningCopyHandlesRequests_data()
{
    QTest::addColumn<QByteArray>("leftBeforeTheStart");
    QTest::addColumn<bool>("secondStart");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<bool>("closes");

    QTest::newRow("a request left before the start is consumed without effect")
        << "ProgramClose=1\n"_ba << false << QByteArray() << false;
    QTest::newRow("a second start brings it to the front")
        << QByteArray() << true << QByteArray() << false;
    QTest::newRow("parameters have no visible effect")
        << QByteArray() << false << "ProgramParameters=--neu|Berta\n"_ba << false;
    QTest::newRow("set focus and close together only bring it to the front")
        << QByteArray() << false << "ProgramSetFocus=1\nProgramClose=1\n"_ba << false;
    QTest::newRow("close ends it through its normal exit")
        << QByteArray() << false << "ProgramClose=1\n"_ba << true;
}

void TestStartup::runningCopyHandlesRequests()
{
    QFETCH(QByteArray, leftBeforeTheStart);
    QFETCH(bool, secondStart);
    QFETCH(QByteArray, request);
    QFETCH(bool, closes);
    if (!leftBeforeTheStart.isEmpty())
        leave(leftBeforeTheStart);
    startProgram(m_first);
    QTRY_VERIFY_WITH_TIMEOUT(
        findRunningCopy(handOverFolder(), kProgramTitle, kProgramTitle), 20000);
    QCOMPARE(readBytes(storePath()), "<missing>"_ba);

    if (secondStart)
        startSecondCopy();
    if (!request.isEmpty())
        leave(request);
    QTRY_COMPARE(readBytes(storePath()), "<missing>"_ba);
    if (!closes) {
        QTest::qWait(500);
        QCOMPARE(m_first.state(), QProcess::Running);
        // Not closed: the settings are as they were before the start.
        QCOMPARE(QSettings(settingsPath(), QSettings::IniFormat).allKeys().size(), 2);
        leave("ProgramClose=1\n");
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_first.state(), QProcess::NotRunning, 10000);
    QCOMPARE(m_first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_first.exitCode(), 0);
    // The normal exit saved the settings and withdrew the copy.
    QSettings saved(settingsPath(), QSettings::IniFormat);
    QCOMPARE(saved.allKeys().size(), 8);
    QCOMPARE(saved.value(u"Teilnehmer"_s).toString(), u"Anna"_s);
    QVERIFY(!QFile::exists(handOverFolder() + u"/Tessaro V1.01.running"_s));
    InstanceLock next(handOverFolder(), kProgramTitle);
    QCOMPARE(next.acquire(), FileLock::Result::Locked);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
