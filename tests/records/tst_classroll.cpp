#include "records/classroll.h"

#include "support/testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kDate = u"Di., 6. Jänner 2025"_s;

// A file of that many days as the program writes it (Windows-1252: "\xE4" is "ä"), day 1 dated
// firstDate, each day with one information line.
QByteArray participantFile(int days, const QByteArray &firstDate = "Mo., 5. J\xE4nner 2025")
{
    QByteArray bytes = "4b|Kommentar\r\n";
    for (int day = 1; day <= days; ++day)
        bytes += (day == 1 ? firstDate : "Tag " + QByteArray::number(day)) + "|alt\r\n1\r\nInfo "
            + QByteArray::number(day) + "\r\n<--------------->\r\n";
    return bytes;
}

QString participantName(int index)
{
    return u"Teilnehmer %1"_s.arg(index);
}

} // namespace

class TestClassRoll : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void storesTheDay_data();
    void storesTheDay();
    void failedFilesStayAsTheyWere();
    void killedRollLeavesEveryFileOldOrNew();

private:
    QString path(const QString &name) const { return m_dir->filePath(name + u".dat"_s); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestClassRoll::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestClassRoll::storesTheDay_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("present");
    QTest::addColumn<QByteArray>("after");
    const QByteArray newAbsentDay = "Di., 6. J\xE4nner 2025|krank\r\n0\r\n<--------------->\r\n";
    const QByteArray twoDays = participantFile(2);
    QTest::newRow("new day 1 before the others")
        << twoDays << 0 << "4b|Kommentar\r\n" + newAbsentDay + twoDays.mid(14);
    const QByteArray today = participantFile(2, "Di., 6. J\xE4nner 2025");
    QTest::newRow("day 1 of the date: flag and remark replaced, information kept")
        << today << 0
        << "4b|Kommentar\r\nDi., 6. J\xE4nner 2025|krank\r\n0\r\nInfo 1\r\n"
            + today.mid(today.indexOf("<-"));
    QTest::newRow("the date on day 2 only: a new day") << QByteArray(
        "1a\r\nx|\r\n1\r\n<--------------->\r\nDi., 6. J\xE4nner 2025|\r\n1\r\n"
        "<--------------->\r\n") << 0
                                                       << "1a\r\n" + newAbsentDay
            + "x|\r\n1\r\n<--------------->\r\nDi., 6. J\xE4nner "
              "2025|\r\n1\r\n<--------------->\r\n";
    QTest::newRow("empty file") << QByteArray() << 0 << "\r\n" + newAbsentDay;
    QTest::newRow("UTF-8 file stays UTF-8")
        << QByteArray("\xEF\xBB\xBF"
                      "1a|\r\n")
        << 1
        << QByteArray("\xEF\xBB\xBF"
                      "1a|\r\nDi., 6. J\xC3\xA4nner 2025|krank\r\n1\r\n<--------------->\r\n");
    const QByteArray longFile = participantFile(10000);
    QTest::newRow("10,000 days") << longFile << 0
                                 << "4b|Kommentar\r\n" + newAbsentDay + longFile.mid(14);
}

void TestClassRoll::storesTheDay()
{
    QFETCH(QByteArray, before);
    QFETCH(int, present);
    QFETCH(QByteArray, after);
    QVERIFY(writeBytes(path(u"Meier"_s), before));
    const RollOutcome outcome
        = storeRoll(m_dir->path() + u'/', kDate, {{u"Meier"_s, present, u"  krank "_s}});
    QCOMPARE(outcome.failures, QStringList());
    QCOMPARE(outcome.storedPresent, present);
    QCOMPARE(outcome.storedAbsent, 1 - present);
    QCOMPARE(readBytes(path(u"Meier"_s)), after);
    QCOMPARE(readBytes(path(u"Meier"_s) + u".bak"_s), before);
}

void TestClassRoll::failedFilesStayAsTheyWere()
{
    const QByteArray old = participantFile(3);
    for (const QString &name : {u"Anna"_s, u"Berta"_s, u"Dora"_s})
        QVERIFY(writeBytes(path(name), old));
    QVERIFY(QFile::setPermissions(path(u"Berta"_s), QFile::ReadOwner));
    // Carl's file vanished after the list was read; "Emil.dat" is a folder.
    QVERIFY(QDir(m_dir->path()).mkdir(u"Emil.dat"_s));
    QList<RollMark> marks;
    for (const QString &name : {u"Anna"_s, u"Berta"_s, u"Carl"_s, u"Dora"_s, u"Emil"_s})
        marks.append({name, name == u"Anna" ? kAbsent : kPresent, QString()});
    const RollOutcome outcome = storeRoll(m_dir->path() + u'/', kDate, marks);

    QCOMPARE(outcome.storedAbsent, 1);
    QCOMPARE(outcome.storedPresent, 1);
    const QStringList failures{u"Datei \"%1\" kann nicht erstellt werden."_s.arg(path(u"Berta"_s)),
        u"Datei %1 kann nicht geöffnet werden."_s.arg(path(u"Carl"_s)),
        u"Datei %1 kann nicht geöffnet werden."_s.arg(path(u"Emil"_s))};
    QCOMPARE(outcome.failures.size(), failures.size());
    for (qsizetype i = 0; i < failures.size(); ++i)
        QVERIFY2(
            outcome.failures.at(i).startsWith(failures.at(i)), qPrintable(outcome.failures.at(i)));
    QCOMPARE(readBytes(path(u"Berta"_s)), old);
    QVERIFY(!QFile::exists(path(u"Carl"_s)) && QFileInfo(path(u"Emil"_s)).isDir());
    for (const QString &name : {u"Berta"_s, u"Carl"_s, u"Emil"_s})
        QVERIFY(!QFile::exists(path(name) + u".bak"_s));
    QVERIFY(readBytes(path(u"Anna"_s)) != old && readBytes(path(u"Dora"_s)) != old);
}

void TestClassRoll::killedRollLeavesEveryFileOldOrNew()
{
    // TESSARO_KILL_ROUNDS=100 for a longer run.
    const int rounds = qMax(3, qEnvironmentVariableIntValue("TESSARO_KILL_ROUNDS"));
    const int files = 60;
    const QByteArray old = participantFile(50);
    const auto runRoll = [&](QProcess &child) {
        for (int i = 0; i < files; ++i) {
            QFile::remove(path(participantName(i)) + u".bak"_s);
            QVERIFY(writeBytes(path(participantName(i)), old));
        }
        child.start(QCoreApplication::applicationFilePath(),
            {u"--store-roll"_s, m_dir->path() + u'/', QString::number(files)});
        QVERIFY(child.waitForStarted());
    };

    // A whole roll gives the new files and its duration.
    QElapsedTimer whole;
    whole.start();
    QProcess complete;
    runRoll(complete);
    QVERIFY(complete.waitForFinished(60000) && complete.exitCode() == 0);
    const qint64 duration = whole.elapsed();
    QList<QByteArray> newFiles;
    for (int i = 0; i < files; ++i)
        newFiles << readBytes(path(participantName(i)));

    int roundsWithBoth = 0;
    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        runRoll(child);
        // Spread over the roll's duration.
        QTest::qSleep(int(duration * (round + 0.5) / rounds));
        child.kill();
        QVERIFY(child.waitForFinished());
        int stored = 0;
        for (int i = 0; i < files; ++i) {
            const QByteArray bytes = readBytes(path(participantName(i)));
            QVERIFY2(bytes == old || bytes == newFiles.at(i), qPrintable(participantName(i)));
            stored += bytes == newFiles.at(i);
            const QByteArray backup = readBytes(path(participantName(i)) + u".bak"_s);
            QVERIFY(backup == old || backup == "<missing>");
        }
        roundsWithBoth += stored > 0 && stored < files;
    }
    // At least one kill came in the middle of the roll.
    QVERIFY(roundsWithBoth > 0);
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The roll that killedRollLeavesEveryFileOldOrNew kills: the participants of the folder, every
    // second one absent.
    if (argc == 4 && qstrcmp(argv[1], "--store-roll") == 0) {
        QList<RollMark> marks;
        for (int i = 0; i < QByteArray(argv[3]).toInt(); ++i)
            marks.append({participantName(i), i % 2, u"Bemerkung"_s});
        return storeRoll(QString::fromLocal8Bit(argv[2]), kDate, marks).failures.isEmpty() ? 0 : 1;
    }
    TestClassRoll test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_classroll.moc"
