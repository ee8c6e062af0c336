#include "reports/reporttexts.h"

#include "records/error.h"
#include "support/filesystemtesting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestReportTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void participantReport_data();
    void participantReport();
    void commentOverview_data();
    void commentOverview();
    void unreadableFileStopsTheOverview_data();
    void unreadableFileStopsTheOverview();
};

namespace {

const QString kSeparator = u"<--------------->"_s;

QStringList meierFile()
{
    return {u"3B|kommt mit dem Bus"_s, u"08.01.2019|Arzttermin"_s, u"0"_s,
        u"Mutter hat angerufen"_s, kSeparator, u"07.01.2019|"_s, u"1"_s, kSeparator};
}

const QString kMeierHeader = u"Name: Meier\r\nKlasse: 3B\r\nKommentar: kommt mit dem Bus\r\n"_s;

// One day whose flag line is "1", with these information lines.
QStringList dayWithInfo(const QStringList &info)
{
    return QStringList{u"1a|"_s, u"Mo.|"_s, u"1"_s} + info + QStringList{kSeparator};
}

// The report of the first day of dayWithInfo, after the header lines.
QString reportWithInfo(const QStringList &shown)
{
    QString text = u"\r\nNr.: 1\r\nDatum: Mo.\r\nAnmerkung: \r\nAnwesend: Ja\r\n"_s;
    for (const QString &line : shown)
        text += line + u"\r\n"_s;
    return text + kSeparator + u"\r\n"_s;
}

// A file of that many days, each present, dated "Tag n".
QStringList manyDays(int days)
{
    QStringList lines{u"1a|"_s};
    for (int day = 1; day <= days; ++day)
        lines << u"Tag %1|"_s.arg(day) << u"1"_s << kSeparator;
    return lines;
}

} // namespace

void TestReportTexts::participantReport_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("dayNumber");
    QTest::addColumn<QString>("header"); // after "Name: Meier"; empty for kMeierHeader
    QTest::addColumn<QString>("body");

    QTest::newRow("Meier, all days")
        << meierFile() << 2 << 1 << QString()
        << u"\r\nNr.: 1\r\nDatum: 08.01.2019\r\nAnmerkung: Arzttermin\r\nAnwesend: Nein\r\n"
           "[Mutter hat angerufen]\r\n<--------------->\r\n"
           "\r\nNr.: 2\r\nDatum: 07.01.2019\r\nAnmerkung: \r\nAnwesend: Ja\r\n"
           "<--------------->\r\n"_s;
    QTest::newRow("Meier, attendance")
        << meierFile() << 3 << 1 << QString()
        << u"\r\nAbwesend: 1\r\n- 08.01.2019 (Arzttermin)\r\n\r\nAnwesend: 1\r\n- 07.01.2019\r\n"_s;
    QTest::newRow("Meier, current day 2")
        << meierFile() << 1 << 2 << QString()
        << u"\r\nNr.: 2\r\nDatum: 07.01.2019\r\nAnmerkung: \r\nAnwesend: Ja\r\n"
           "<--------------->\r\n"_s;
    QTest::newRow("no day shown: header lines only")
        << meierFile() << 1 << 0 << QString() << QString();

    const QString oneDayHeader = u"Klasse: 1a\r\nKommentar: \r\n"_s;
    QTest::newRow("info a, b, c") << dayWithInfo({u"a"_s, u"b"_s, u"c"_s}) << 1 << 1 << oneDayHeader
                                  << reportWithInfo({u"[a"_s, u"b"_s, u"c]"_s});
    QTest::newRow("single info line")
        << dayWithInfo({u"a"_s}) << 2 << 1 << oneDayHeader << reportWithInfo({u"[a]"_s});
    QTest::newRow("single empty info line")
        << dayWithInfo({QString()}) << 2 << 1 << oneDayHeader << reportWithInfo({u"[]"_s});
    QTest::newRow("empty first info line") << dayWithInfo({QString(), u"x"_s}) << 2 << 1
                                           << oneDayHeader << reportWithInfo({u"["_s, u"x]"_s});
    QTest::newRow("no info lines")
        << dayWithInfo({}) << 2 << 1 << oneDayHeader << reportWithInfo({});

    for (const QString &flag : {u"-1"_s, u"x"_s, QString()}) {
        QTest::addRow("flag line \"%s\" shows nothing", qPrintable(flag))
            << QStringList{u"1a|"_s, u"Mo.|"_s, flag, kSeparator} << 2 << 1 << oneDayHeader
            << u"\r\nNr.: 1\r\nDatum: Mo.\r\nAnmerkung: \r\n"_s + kSeparator + u"\r\n"_s;
        QTest::addRow("flag line \"%s\" is not counted", qPrintable(flag))
            << QStringList{u"1a|"_s, u"Mo.|"_s, flag, kSeparator} << 3 << 1 << oneDayHeader
            << u"\r\nAbwesend: 0\r\n\r\nAnwesend: 0\r\n"_s;
    }
    QTest::newRow("flag line 2 is present")
        << QStringList{u"1a|"_s, u"Mo.|"_s, u"2"_s, kSeparator} << 2 << 1 << oneDayHeader
        << u"\r\nNr.: 1\r\nDatum: Mo.\r\nAnmerkung: \r\nAnwesend: Ja\r\n"_s + kSeparator
            + u"\r\n"_s;
    QTest::newRow("flag line 2 counts as present")
        << QStringList{u"1a|"_s, u"Mo.|"_s, u"2"_s, kSeparator} << 3 << 1 << oneDayHeader
        << u"\r\nAbwesend: 0\r\n\r\nAnwesend: 1\r\n- Mo.\r\n"_s;
    QTest::newRow("date line without separator")
        << QStringList{u"1a|"_s, u"Mo., 6. Jänner 2025"_s, u"0"_s, kSeparator} << 3 << 1
        << oneDayHeader << u"\r\nAbwesend: 1\r\n- Mo., 6. Jänner 2025\r\n\r\nAnwesend: 0\r\n"_s;
    QTest::newRow("vertical tab splits first, fields untrimmed")
        << QStringList{u"1a|"_s, u" Mo. \v b|c "_s, u"1"_s, kSeparator} << 1 << 1 << oneDayHeader
        << u"\r\nNr.: 1\r\nDatum:  Mo. \r\nAnmerkung:  b|c \r\nAnwesend: Ja\r\n"_s + kSeparator
            + u"\r\n"_s;
    const QStringList created{u"1a|"_s, u"Mo., 6. Jänner 2025"_s, kSeparator};
    QTest::newRow("new participant, attendance")
        << created << 3 << 1 << oneDayHeader << u"\r\nAbwesend: 0\r\n\r\nAnwesend: 0\r\n"_s;
    QTest::newRow("new participant, all days")
        << created << 2 << 1 << oneDayHeader
        << u"\r\nNr.: 1\r\nDatum: Mo., 6. Jänner 2025\r\nAnmerkung: \r\n"_s;

    QTest::newRow("day 1000") << manyDays(1000) << 1 << 1000 << oneDayHeader
                              << u"\r\nNr.: 1.000\r\nDatum: Tag 1000\r\nAnmerkung: \r\n"
                                 "Anwesend: Ja\r\n"_s
            + kSeparator + u"\r\n"_s;
    QString presentDays;
    for (int day = 1; day <= 1000; ++day)
        presentDays += u"- Tag %1\r\n"_s.arg(day);
    QTest::newRow("1000 present days")
        << manyDays(1000) << 3 << 1 << oneDayHeader
        << u"\r\nAbwesend: 0\r\n\r\nAnwesend: 1.000\r\n"_s + presentDays;
}

void TestReportTexts::participantReport()
{
    QFETCH(QStringList, lines);
    QFETCH(int, kind);
    QFETCH(int, dayNumber);
    QFETCH(QString, header);
    QFETCH(QString, body);
    const bool meier = header.isEmpty();
    ParticipantReportInput input{lines, u"Meier"_s, meier ? u"3B"_s : u"1a"_s,
        meier ? u"kommt mit dem Bus"_s : QString(), dayNumber, countDays(lines), u"Nein"_s,
        u"Ja"_s};
    const QString expected = meier ? kMeierHeader + body : u"Name: Meier\r\n"_s + header + body;
    QCOMPARE(::participantReport(ReportKind(kind), input), expected);
}

void TestReportTexts::commentOverview_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<QByteArray>>("contents");
    QTest::addColumn<QString>("overview");
    QTest::newRow("berta, Anton, Carl")
        << QStringList{u"berta"_s, u"Anton"_s, u"Carl"_s}
        << QList<QByteArray>{"2a|krank\r\nMo.|\r\n1\r\n<--------------->\r\n", "1a|neu", "3c|"}
        << u"1.: Anton (1a): \"neu\"\r\n2.: berta (2a): \"krank\"\r\n"_s;
    QTest::newRow("the later separator splits")
        << QStringList{u"Otto"_s} << QList<QByteArray>{"1a\vx|y\r\n"}
        << u"1.: Otto (1a\vx): \"y\"\r\n"_s;
    QTest::newRow("vertical tab alone, untrimmed")
        << QStringList{u"Otto"_s} << QList<QByteArray>{" 1a \v kommt "}
        << u"1.: Otto ( 1a ): \" kommt \"\r\n"_s;
    QTest::newRow("umlauts ignoring case, UTF-8 file, upper-case extension")
        << QStringList{u"Zora"_s, u"äpfel"_s, u"Ärger"_s}
        << QList<QByteArray>{"1|z",
               "\xEF\xBB\xBF"
               "2|\xC3\xA4",
               "3|\xC4"}
        << u"1.: äpfel (2): \"ä\"\r\n2.: Ärger (3): \"Ä\"\r\n3.: Zora (1): \"z\"\r\n"_s;
    QTest::newRow("no comments") << QStringList{u"Carl"_s, u"Leer"_s, u"Klasse"_s}
                                 << QList<QByteArray>{"3c|", "", "4d"} << QString();
    QTest::newRow("no participant files") << QStringList() << QList<QByteArray>() << QString();
}

void TestReportTexts::commentOverview()
{
    QFETCH(QStringList, names);
    QFETCH(QList<QByteArray>, contents);
    QFETCH(QString, overview);
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    for (qsizetype i = 0; i < names.size(); ++i) {
        QFile file(folder + names.at(i) + (names.at(i) == u"Ärger" ? u".DAT"_s : u".dat"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents.at(i));
    }
    // Neither backup copies nor other files are participants.
    QFile other(folder + u"Anton.dat.bak"_s);
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("9z|alt");
    other.close();
    QVERIFY(QDir(folder).mkdir(u"Ordner.dat"_s));
    QCOMPARE(::commentOverview(folder), overview);
}

void TestReportTexts::unreadableFileStopsTheOverview_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::newRow("pipe") << true;
    QTest::newRow("vanished file behind a link") << false;
}

void TestReportTexts::unreadableFileStopsTheOverview()
{
    QFETCH(bool, pipe);
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    QFile anna(folder + u"Anna.dat"_s);
    QVERIFY(anna.open(QIODevice::WriteOnly));
    anna.write("1a|neu");
    anna.close();
    const QString bad = folder + u"Zora.dat"_s;
    if (pipe ? !makePipe(bad) : !makeSymbolicLink(folder + u"weg.dat.bak"_s, bad))
        QSKIP("no pipes or symbolic links here");
    try {
        ::commentOverview(folder);
        QFAIL("the overview went on");
    } catch (const TessaroError &error) {
        QVERIFY2(error.text().startsWith(u"Datei %1 kann nicht geöffnet werden. "_s.arg(bad)),
            qPrintable(error.text()));
    }
}

QTEST_GUILESS_MAIN(TestReportTexts)
#include "tst_reporttexts.moc"
