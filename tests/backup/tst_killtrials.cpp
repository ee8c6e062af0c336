// Kills backup and restore runs at random points and checks what they leave. A run is this
// program started with "--run"; the test starts it, kills it (SIGKILL) at a random moment within
// the time an uncut run takes, checks both folders, and lets the next run complete.
//
// TESSARO_KILL_TRIALS sets the number of kills per direction (2 unless set); the long mode of the
// suite runs 200 (ctest -C Long, see README.md).

#include "backup/backuprun.h"

#include "support/testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kFiles = 200;

QString fileName(int i)
{
    return u"T%1.dat"_s.arg(i, 3, 10, QLatin1Char('0'));
}

// Old and new contents differ in their first bytes and in their length, from under a kilobyte
// to more than one copy block.
QByteArray content(const char *version, int i)
{
    const QByteArray line = version + QByteArray::number(i) + "|Tag\r\n";
    return line.repeated(1 + (i * 7919 + (version[0] == 'n' ? 3001 : 0)) % 4000);
}

// The child: one run, told to the parent once it starts. Exit code 0 when it succeeded.
int runOnce(const QStringList &arguments)
{
    const BackupDirection direction
        = arguments.at(0) == "backup"_L1 ? BackupDirection::Backup : BackupDirection::Restore;
    BackupRun run(direction, arguments.at(1), arguments.at(2));
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    return run.run().succeeded ? 0 : 1;
}

} // namespace

class TestKillTrials : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedRunLeavesOldOrNewFiles_data();
    void killedRunLeavesOldOrNewFiles();

private:
    struct Run
    {
        bool killed = false;
        int exitCode = -1;
        // From the run's start to its end.
        qint64 microseconds = 0;
    };
    // Runs the program; killed that long after its start unless the delay is negative.
    static Run run(const QStringList &arguments, qint64 killAfterMicroseconds = -1);
};

TestKillTrials::Run TestKillTrials::run(const QStringList &arguments, qint64 killAfterMicroseconds)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), QStringList{u"--run"_s} + arguments);
    Run result;
    if (!child.waitForReadyRead(30000))
        return result;
    QElapsedTimer clock;
    clock.start();
    if (killAfterMicroseconds >= 0) {
        QThread::usleep(quint64(killAfterMicroseconds));
        child.kill();
    }
    child.waitForFinished(120000);
    result.microseconds = clock.nsecsElapsed() / 1000;
    result.killed = child.exitStatus() == QProcess::CrashExit;
    result.exitCode = child.exitCode();
    return result;
}

void TestKillTrials::killedRunLeavesOldOrNewFiles_data()
{
    QTest::addColumn<bool>("backup");
    QTest::newRow("backup") << true;
    QTest::newRow("restore") << false;
}

void TestKillTrials::killedRunLeavesOldOrNewFiles()
{
    QFETCH(bool, backup);
    const int trials = qEnvironmentVariableIsSet("TESSARO_KILL_TRIALS")
        ? qEnvironmentVariableIntValue("TESSARO_KILL_TRIALS")
        : 2;
    QTemporaryDir dir;
    const QString data = dir.filePath(u"Tessaro/"_s);
    const QString root = dir.filePath(u"Stick"_s);
    const QString medium = root + u"/TsDaten/"_s;
    const QString source = backup ? data : medium;
    const QString destination = backup ? medium : data;
    QVERIFY(QDir().mkpath(data) && QDir().mkpath(medium));
    for (int i = 0; i < kFiles; ++i)
        QVERIFY(writeBytes(source + fileName(i), content("neu", i)));
    const QStringList arguments{backup ? u"backup"_s : u"restore"_s, data, root};
    const auto resetDestination = [&] {
        for (int i = 0; i < kFiles; ++i)
            QVERIFY(writeBytes(destination + fileName(i), content("alt", i)));
    };

    // How long an uncut run takes: the shortest of three, so that few kills come too late.
    Run uncut;
    for (int i = 0; i < 3; ++i) {
        resetDestination();
        const Run measured = run(arguments);
        QCOMPARE(measured.exitCode, 0);
        if (i == 0 || measured.microseconds < uncut.microseconds)
            uncut = measured;
    }

    const quint32 randomStart = QRandomGenerator::global()->generate();
    QRandomGenerator random(randomStart);
    int oldFiles = 0;
    int newFiles = 0;
    int leftovers = 0;
    int endedBeforeTheKill = 0;
    for (int kills = 0; kills < trials;) {
        resetDestination();
        const Run killed = run(arguments, random.bounded(uncut.microseconds));
        // A kill at the very end may come too late; such a run does not count.
        QVERIFY(killed.killed || killed.exitCode == 0);
        kills += killed.killed ? 1 : 0;
        endedBeforeTheKill += killed.killed ? 0 : 1;
        QVERIFY(endedBeforeTheKill <= trials);
        for (int i = 0; i < kFiles; ++i) {
            const QByteArray now = readBytes(destination + fileName(i));
            QVERIFY2(now == content("alt", i) || now == content("neu", i),
                qPrintable(u"kill %1 (random start %2): %3"_s.arg(kills)
                               .arg(randomStart)
                               .arg(fileName(i))));
            if (killed.killed)
                ++(now == content("alt", i) ? oldFiles : newFiles);
            QCOMPARE(readBytes(source + fileName(i)), content("neu", i));
        }
        leftovers
            += int(QDir(destination).entryList({u"*.tmp"_s}, QDir::Files | QDir::Hidden).size());
        // The next run completes and removes what the killed one left.
        QCOMPARE(run(arguments).exitCode, 0);
        for (int i = 0; i < kFiles; ++i)
            QCOMPARE(readBytes(destination + fileName(i)), content("neu", i));
        for (const QString &folder : {data, medium}) {
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), qsizetype(kFiles));
        }
    }
    qInfo("%s: %d kills at random points of a run of %d files (%lld ms uncut, random start %u; %d "
          "more "
          "runs ended before their kill); after the kills %d files old, %d new; %d temporary "
          "files left, all removed by the next run",
        backup ? "backup" : "restore", trials, kFiles, uncut.microseconds / 1000, randomStart,
        endedBeforeTheKill, oldFiles, newFiles, leftovers);
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments.at(1) == "--run"_L1)
        return runOnce(arguments.mid(2));
    TestKillTrials test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killtrials.moc"
