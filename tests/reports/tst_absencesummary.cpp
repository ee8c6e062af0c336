#include "reports/absencesummary.h"

#include "records/dates.h"
#include "reports/textfilewriter.h"
#include "support/testfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAbsenceSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void handCountedTexts_data();
    void handCountedTexts();
    void tableIsReadBackByACsvReader();
    void periodStartsOnTheFirstOfAugustBeforeToday_data();
    void periodStartsOnTheFirstOfAugustBeforeToday();

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

void TestAbsenceSummary::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.path() + u'/';
    // Windows-1252 files as the program writes them: "\xE4" is "ä".
    QVERIFY(writeBytes(m_folder + u"Anton.dat"_s,
        "4A|\r\n"
        "Mo., 16. M\xE4rz 2026|Arzt\r\n0\r\nInfo\r\n<--------------->\r\n"
        "13.03.2026|\r\n1\r\n<--------------->\r\n"
        "gestern|Ausflug\r\n0\r\n<--------------->\r\n"
        "28.02.2026|\r\n0\r\n<--------------->\r\n"
        "Di., 16. M\xE4rz 2026|\r\n1\r\n<--------------->\r\n"));
    // The same class in other letter case; a flag line that is no number counts nothing.
    QVERIFY(writeBytes(m_folder + u"berta.dat"_s,
        "4a|\r\n01.03.2026|\r\nx\r\n<--------------->\r\n02.03.2026|  Bus "
        "\r\n0\r\n<--------------->\r\n"));
    QVERIFY(writeBytes(
        m_folder + u"\xC4pfel.dat"_s, "4A|\r\n01.01.2025|\r\n1\r\n<--------------->\r\n"));
    QVERIFY(
        writeBytes(m_folder + u"Carl.dat"_s, "3b|\r\n02.03.2026|\r\n0\r\n<--------------->\r\n"));
}

void TestAbsenceSummary::handCountedTexts_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QString>("text");
    const QString undated = u"- Tag 3, \"gestern\": ohne lesbares Datum, abwesend (Ausflug)\r\n"
                            "- Tag 5, \"Di., 16. März 2026\": ohne lesbares Datum, anwesend\r\n"_s;
    const QString apfel = u"\r\nÄpfel\r\nAnwesend: 0\r\nAbwesend: 0\r\n"_s;
    const QString total = u"\r\nSumme der Klasse\r\nTeilnehmer: %1\r\nAnwesend: %2\r\nAbwesend: "
                          "%3\r\nOhne lesbares Datum: %4\r\n"_s;
    QTest::newRow("March in 4A: unreadable dates listed, German order")
        << u"4A"_s << QDate(2026, 3, 1)
        << u"Klasse: 4A\r\nZeitraum: So., 1. März 2026 bis Di., 31. März 2026\r\n"
           "\r\nAnton\r\nAnwesend: 1\r\nAbwesend: 1\r\n- Mo., 16. März 2026 (Arzt)\r\n"_s
            + undated + apfel
            + u"\r\nberta\r\nAnwesend: 0\r\nAbwesend: 1\r\n- 02.03.2026 (Bus)\r\n"_s
            + total.arg(3).arg(1).arg(2).arg(2);
    QTest::newRow("a period that holds no day")
        << u"4a"_s << QDate(2026, 3, 20)
        << u"Klasse: 4a\r\nZeitraum: Fr., 20. März 2026 bis Di., 31. März 2026\r\n"
           "\r\nAnton\r\nAnwesend: 0\r\nAbwesend: 0\r\n"_s
            + undated + apfel + u"\r\nberta\r\nAnwesend: 0\r\nAbwesend: 0\r\n"_s
            + total.arg(3).arg(0).arg(0).arg(2);
    QTest::newRow("a class with no participant")
        << u"9z"_s << QDate(2026, 3, 1)
        << u"Klasse: 9z\r\nZeitraum: So., 1. März 2026 bis Di., 31. März 2026\r\n"_s
            + total.arg(0).arg(0).arg(0).arg(0);
}

void TestAbsenceSummary::handCountedTexts()
{
    QFETCH(QString, filter);
    QFETCH(QDate, from);
    QFETCH(QString, text);
    const QDate to(2026, 3, 31);
    QCOMPARE(
        absenceSummaryText(filter, from, to, collectAbsences(m_folder, filter, from, to)), text);
}

void TestAbsenceSummary::tableIsReadBackByACsvReader()
{
#ifdef Q_OS_WIN
    QSKIP("Python's CSV reader reads the table back on Linux");
#endif
    QTemporaryDir folder;
    QVERIFY(writeBytes(folder.filePath(u"Zoë; \"Bär\".dat"_s),
        "4A|\r\nx|\r\n0\r\n<--------------->\r\n01.03.2026|\r\n0\r\n<--------------->\r\n"));
    QVERIFY(writeBytes(folder.filePath(u"Jürgen.dat"_s),
        "4A; S\xFC"
        "d|\r\n01.03.2026|\r\n1\r\n<--------------->\r\n"));
    const QString csv = folder.filePath(u"fehlzeiten.csv"_s);
    saveTextFile(csv,
        absenceSummaryCsv(collectAbsences(
            folder.path() + u'/', QString(), QDate(2026, 3, 1), QDate(2026, 3, 31))),
        TextFileFormat::Utf8);
    QVERIFY(readBytes(csv).startsWith("\xEF\xBB\xBFName;"));

    QProcess reader;
    reader.start(u"python3"_s,
        {u"-c"_s,
            u"import csv, json, sys\n"
            "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
            "    print(json.dumps(list(csv.reader(f, delimiter=';'))))"_s,
            csv});
    QVERIFY(reader.waitForFinished() && reader.exitCode() == 0);
    const QJsonArray rows = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
    const QJsonArray expected{
        QJsonArray{u"Name"_s, u"Klasse"_s, u"Anwesend"_s, u"Abwesend"_s, u"Ohne lesbares Datum"_s},
        QJsonArray{u"Jürgen"_s, u"4A; Süd"_s, u"1"_s, u"0"_s, u"0"_s},
        QJsonArray{u"Zoë; \"Bär\""_s, u"4A"_s, u"0"_s, u"1"_s, u"1"_s}};
    QCOMPARE(rows, expected);
}

void TestAbsenceSummary::periodStartsOnTheFirstOfAugustBeforeToday_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("start");
    QTest::newRow("spring") << QDate(2026, 3, 15) << QDate(2025, 8, 1);
    QTest::newRow("31 July") << QDate(2026, 7, 31) << QDate(2025, 8, 1);
    QTest::newRow("1 August itself is not before today") << QDate(2026, 8, 1) << QDate(2025, 8, 1);
    QTest::newRow("2 August") << QDate(2026, 8, 2) << QDate(2026, 8, 1);
}

void TestAbsenceSummary::periodStartsOnTheFirstOfAugustBeforeToday()
{
    QFETCH(QDate, today);
    QFETCH(QDate, start);
    QCOMPARE(schoolYearStart(today), start);
}

QTEST_GUILESS_MAIN(TestAbsenceSummary)
#include "tst_absencesummary.moc"
