#include "app/singleinstance.h"

#include "support/testfiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void oneHolderAtATime();
    void aCopyIsFoundOnlyOncePublished();
    void aCrashedCopyLeavesNeitherLockNorNote();
    void titleEnds_data();
    void titleEnds();

private:
    QString folder() const { return m_dir->path(); }
    QString notePath() const { return folder() + u"/Tessaro V1.01.running"_s; }
    bool found() const { return findRunningCopy(folder(), kProgramTitle, kProgramTitle); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSingleInstance::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSingleInstance::oneHolderAtATime()
{
    auto first = std::make_unique<InstanceLock>(folder(), kProgramTitle);
    QCOMPARE(first->acquire(), FileLock::Result::Locked);
    InstanceLock second(folder(), kProgramTitle);
    QCOMPARE(second.acquire(), FileLock::Result::HeldElsewhere);
    first.reset();
    QCOMPARE(second.acquire(), FileLock::Result::Locked);
    QCOMPARE(InstanceLock(QString(), kProgramTitle).acquire(), FileLock::Result::Failed);
}

void TestSingleInstance::aCopyIsFoundOnlyOncePublished()
{
    InstanceLock lock(folder(), kProgramTitle);
    InstanceLock notHolding(folder(), kProgramTitle);
    QCOMPARE(lock.acquire(), FileLock::Result::Locked);
    QVERIFY(!found());
    notHolding.publish(kProgramTitle);
    QVERIFY(!found());
    lock.publish(kProgramTitle);
    QVERIFY(found());
    QVERIFY(!findRunningCopy(folder(), kProgramTitle, u"Tessaro V2"_s));
    lock.withdraw();
    QVERIFY(!found());
    QVERIFY(!QFile::exists(notePath()));
}

void TestSingleInstance::aCrashedCopyLeavesNeitherLockNorNote()
{
    // A copy that ended without cleaning up: its lock file and its note remain.
    // One process that takes the lock and then only waits.
    QProcess crashed;
    crashed.start(u"bash"_s,
        {u"-c"_s, u"exec 9>\"$0\" && flock 9 && exec sleep 60"_s,
            folder() + u"/Tessaro V1.01.lock"_s});
    QVERIFY(crashed.waitForStarted());
    const auto lockIsHeld = [this] {
        FileLock probe(folder() + u"/Tessaro V1.01.lock"_s);
        return probe.tryLock() == FileLock::Result::HeldElsewhere;
    };
    QTRY_VERIFY(lockIsHeld());
    QVERIFY(writeBytes(notePath(), QByteArray::number(crashed.processId()) + "\nTessaro V1.01\n"));
    QVERIFY(found());

    crashed.kill();
    QVERIFY(crashed.waitForFinished());
    QVERIFY(!found());
    InstanceLock next(folder(), kProgramTitle);
    QCOMPARE(next.acquire(), FileLock::Result::Locked);
    QVERIFY(!QFile::exists(notePath()));
}

void TestSingleInstance::titleEnds_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("ends");

    QTest::newRow("the program title") << u"Tessaro V1.01"_s << true;
    QTest::newRow("a main window's title") << u"Anna - Tessaro V1.01"_s << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("elsewhere in the title") << u"Tessaro V1.01 - Editor"_s << false;
    QTest::newRow("the first occurrence counts") << u"Tessaro V1.01 - Tessaro V1.01"_s << false;
    QTest::newRow("letter case counts") << u"tessaro v1.01"_s << false;
}

void TestSingleInstance::titleEnds()
{
    QFETCH(QString, title);
    QFETCH(bool, ends);
    QCOMPARE(titleEndsWith(title, kProgramTitle), ends);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
