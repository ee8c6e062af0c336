#include "speech/orcaprocess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A process table like /proc, with one folder per entry holding its "stat" file.
class FakeProcessTable
{
public:
    FakeProcessTable() { QVERIFY(m_root.isValid()); }

    void add(const QString &entry, const QByteArray &name, char state = 'S')
    {
        QVERIFY(QDir(m_root.path()).mkpath(entry));
        QFile stat(m_root.filePath(entry + u"/stat"_s));
        QVERIFY(stat.open(QIODevice::WriteOnly));
        stat.write(entry.toLatin1() + " (" + name + ") " + state + " 1 977 977 0 -1 4194560\n");
    }

    void remove(const QString &entry) { QVERIFY(QDir(m_root.filePath(entry)).removeRecursively()); }

    std::filesystem::path path() const { return m_root.path().toStdString(); }

private:
    QTemporaryDir m_root;
};

} // namespace

class TestOrcaProcess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsOrcaOfTheUser_data();
    void findsOrcaOfTheUser();
    void followsOrcaStartingAndEnding();
};

void TestOrcaProcess::findsOrcaOfTheUser_data()
{
    // "number:name" or "number:name:state"
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("otherUser");
    QTest::addColumn<bool>("expected");

    QTest::newRow("orca among other processes")
        << QStringList({u"1:systemd"_s, u"412:bash"_s, u"977:orca"_s, u"1200:python3"_s}) << false
        << true;
    QTest::newRow("orca while it sleeps or waits")
        << QStringList({u"977:orca:S"_s, u"978:orca:D"_s}) << false << true;
    QTest::newRow("orca that has ended but is not yet reaped")
        << QStringList({u"977:orca:Z"_s}) << false << false;
    QTest::newRow("a name with blanks and parentheses")
        << QStringList({u"977:orca) (x"_s}) << false << false;
    QTest::newRow("no orca") << QStringList({u"1:systemd"_s, u"412:bash"_s}) << false << false;
    QTest::newRow("empty table") << QStringList() << false << false;
    QTest::newRow("orca of another user") << QStringList({u"977:orca"_s}) << true << false;
    QTest::newRow("a name that only begins with orca")
        << QStringList({u"977:orca-helper"_s, u"978:orcas"_s}) << false << false;
    QTest::newRow("a name that only ends with orca")
        << QStringList({u"977:xorca"_s}) << false << false;
    QTest::newRow("entries that are not processes")
        << QStringList({u"self:orca"_s, u"sys:orca"_s}) << false << false;
}

void TestOrcaProcess::findsOrcaOfTheUser()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, otherUser);
    QFETCH(bool, expected);

    FakeProcessTable table;
    for (const QString &entry : entries)
        table.add(entry.section(u':', 0, 0), entry.section(u':', 1, 1).toUtf8(),
            entry.section(u':', 2, 2).isEmpty() ? 'S' : entry.section(u':', 2, 2).at(0).toLatin1());
    OrcaProcessFinder finder(table.path(), otherUser ? ::getuid() + 1 : ::getuid());
    QCOMPARE(finder.isRunning(), expected);
}

void TestOrcaProcess::followsOrcaStartingAndEnding()
{
    FakeProcessTable table;
    table.add(u"412"_s, "bash");
    OrcaProcessFinder finder(table.path(), ::getuid());
    QVERIFY(!finder.isRunning());

    table.add(u"977"_s, "orca");
    QVERIFY(finder.isRunning());
    QVERIFY(finder.isRunning());

    // Orca restarted under another process number.
    table.remove(u"977"_s);
    table.add(u"1300"_s, "orca");
    QVERIFY(finder.isRunning());

    // Ended, not yet reaped.
    table.remove(u"1300"_s);
    table.add(u"1300"_s, "orca", 'Z');
    QVERIFY(!finder.isRunning());

    // Its number taken by another program.
    table.remove(u"1300"_s);
    table.add(u"1300"_s, "gedit");
    QVERIFY(!finder.isRunning());
}

QTEST_APPLESS_MAIN(TestOrcaProcess)
#include "tst_orcaprocess.moc"
