#include "records/dayformat.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

DayRecord datedDay(const QString &date)
{
    DayRecord day;
    day.date = date;
    return day;
}

const QString S = kSeparatorLine;

QStringList lines(std::initializer_list<QString> list)
{
    return QStringList(list);
}

} // namespace

class TestDayFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trimming();
    void fieldSplit_data();
    void fieldSplit();
    void dayCount_data();
    void dayCount();
    void flagLine_data();
    void flagLine();
    void readingDays();
    void readingStopsAtTheBlockEnd();
    void rebuildReplacesOnlyTheShownDay();
    void rebuildWithoutDayRewritesHeaderOnly();
    void rebuildKeepsLinesAfterTheLastSeparator();
    void daysWithoutLines_data();
    void daysWithoutLines();
    void blockInsertion();
    void dayRemoval_data();
    void dayRemoval();
    void displayNames_data();
    void displayNames();
};

void TestDayFormat::trimming()
{
    QCOMPARE(trimmedText(u" \t\x01 a b \r\n\x1F"_s), u"a b"_s);
    QCOMPARE(trimmedText(u"   "_s), QString());
    // Only codes up to 32 count: a non-breaking space stays.
    QCOMPARE(trimmedText(u"\u00A0a\u00A0"_s), u"\u00A0a\u00A0"_s);
}

void TestDayFormat::fieldSplit_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("bar") << u"1a|Text"_s << u"1a"_s << u"Text"_s;
    QTest::newRow("further bars belong to the second field") << u"a|b|c"_s << u"a"_s << u"b|c"_s;
    QTest::newRow("no separator is all first field") << u"3c"_s << u"3c"_s << QString();
    QTest::newRow("vertical tab wins even behind a bar") << u"a|b\vc"_s << u"a|b"_s << u"c"_s;
    QTest::newRow("vertical tab before a bar") << u"  2b \vText|x"_s << u"  2b "_s << u"Text|x"_s;
    QTest::newRow("empty line") << QString() << QString() << QString();
    QTest::newRow("bar at the end") << u"1a|"_s << u"1a"_s << QString();
}

void TestDayFormat::fieldSplit()
{
    QFETCH(QString, line);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const Fields fields = splitFields(line);
    QCOMPARE(fields.first, first);
    QCOMPARE(fields.second, second);
}

void TestDayFormat::dayCount_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("days");
    QTest::newRow("no lines") << QStringList() << 0;
    QTest::newRow("header only") << lines({u"1a|"_s}) << 0;
    QTest::newRow("two blocks") << lines({u"h"_s, u"d|"_s, u"1"_s, S, u"d|"_s, S}) << 2;
    QTest::newRow("separator in the header counts")
        << lines({u"x"_s + S + u"|"_s, u"d|"_s, S}) << 2;
    QTest::newRow("twice in one line counts twice") << lines({u"h"_s, S + S}) << 2;
    QTest::newRow("inside an information line")
        << lines({u"h"_s, u"d|"_s, u"a "_s + S + u" b"_s}) << 1;
    QTest::newRow("more dashes around it") << lines({u"h"_s, u"--<--------------->--"_s}) << 1;
    QTest::newRow("too many dashes inside") << lines({u"h"_s, u"<----------------->"_s}) << 0;
}

void TestDayFormat::dayCount()
{
    QFETCH(QStringList, lines);
    QFETCH(int, days);
    QCOMPARE(countDays(lines), days);
}

void TestDayFormat::flagLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("present");
    QTest::newRow("0 is absent") << u"0"_s << kAbsent;
    QTest::newRow("1 is present") << u"1"_s << kPresent;
    QTest::newRow("2 is present") << u"2"_s << kPresent;
    QTest::newRow("large number is present") << u"2147483647"_s << kPresent;
    QTest::newRow("-1 keeps present") << u"-1"_s << kPresent;
    QTest::newRow("empty keeps present") << QString() << kPresent;
    QTest::newRow("text keeps present") << u"nein"_s << kPresent;
    QTest::newRow("leading blanks allowed") << u"  0"_s << kAbsent;
    QTest::newRow("trailing blank is not a number") << u"0 "_s << kPresent;
    QTest::newRow("plus sign") << u"+0"_s << kAbsent;
    QTest::newRow("minus zero") << u"-0"_s << kAbsent;
    QTest::newRow("dollar hex zero") << u"$0"_s << kAbsent;
    QTest::newRow("0x hex zero") << u"0x00"_s << kAbsent;
    QTest::newRow("0X hex zero") << u"0X0"_s << kAbsent;
    QTest::newRow("hex one") << u"$1"_s << kPresent;
    QTest::newRow("dollar without digits") << u"$"_s << kPresent;
    QTest::newRow("overflow is not a number") << u"99999999999"_s << kPresent;
    QTest::newRow("hex digit in decimal") << u"0a"_s << kPresent;
}

void TestDayFormat::flagLine()
{
    QFETCH(QString, line);
    QFETCH(int, present);
    QCOMPARE(readDay(lines({u"h"_s, u"d|"_s, line, S}), 1).present, present);
}

void TestDayFormat::readingDays()
{
    const QStringList file = lines({u"1a|K"_s, u"  Mo., 6. Jänner 2025 \t| Bem |x"_s, u"0"_s,
        u"Info 1"_s, u"  Info 2  "_s, S, u"Di.|"_s, S, u"Mi."_s, S});
    const DayRecord first = readDay(file, 1);
    QCOMPARE(first.date, u"Mo., 6. Jänner 2025"_s);
    QCOMPARE(first.remark, u" Bem |x"_s);
    QCOMPARE(first.present, kAbsent);
    QCOMPARE(first.infoLines, lines({u"Info 1"_s, u"  Info 2  "_s}));

    // A date line without "|" and no flag line, as participant creation writes it.
    const DayRecord third = readDay(file, 3);
    QCOMPARE(third.date, u"Mi."_s);
    QCOMPARE(third.remark, QString());
    QCOMPARE(third.present, kPresent);
    QVERIFY(third.infoLines.isEmpty());

    QCOMPARE(readDay(file, 0), DayRecord());
    QCOMPARE(readDay(file, 4), DayRecord());
}

void TestDayFormat::readingStopsAtTheBlockEnd()
{
    // An information line holding the separator text ends the block there.
    const QStringList file = lines({u"h"_s, u"d|"_s, u"1"_s, u"a"_s, u"x"_s + S, u"b"_s, S});
    QCOMPARE(readDay(file, 1).infoLines, lines({u"a"_s}));
    QCOMPARE(readDay(file, 2).date, u"b"_s);
    QCOMPARE(countDays(file), 2);
}

void TestDayFormat::rebuildReplacesOnlyTheShownDay()
{
    const QStringList file
        = lines({u"old|header"_s, u"d1|"_s, u"1"_s, S, u"d2|r"_s, u"0"_s, u"i"_s, S, u"d3|"_s, S});
    const DayRecord day{u"neu"_s, u"a|b"_s, kAbsent, lines({u"x"_s, u"y"_s})};
    const QStringList rebuilt = rebuildWithDay(file, 2, u"1a|K"_s, dayBlock(day));
    QCOMPARE(rebuilt,
        lines({u"1a|K"_s, u"d1|"_s, u"1"_s, S, u"neu|a|b"_s, u"0"_s, u"x"_s, u"y"_s, S, u"d3|"_s,
            S}));
    // A "|" in the remark survives the next reading.
    QCOMPARE(readDay(rebuilt, 2), day);
}

void TestDayFormat::rebuildWithoutDayRewritesHeaderOnly()
{
    const QStringList file = lines({u"h"_s, u"d1|"_s, u"1"_s, S});
    QCOMPARE(rebuildWithDay(file, 0, u"neu|"_s, dayBlock(DayRecord())),
        lines({u"neu|"_s, u"d1|"_s, u"1"_s, S}));
}

void TestDayFormat::rebuildKeepsLinesAfterTheLastSeparator()
{
    const QStringList file = lines({u"h"_s, u"d1|"_s, S, u"rest 1"_s, u"rest 2"_s});
    const QStringList rebuilt = rebuildWithDay(file, 1, u"h"_s, dayBlock(datedDay(u"d"_s)));
    QCOMPARE(rebuilt, lines({u"h"_s, u"d|"_s, u"1"_s, S, u"rest 1"_s, u"rest 2"_s}));
}

void TestDayFormat::daysWithoutLines_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<int>("day");
    QTest::newRow("separator in the header")
        << lines({u"1a"_s + S + u"|"_s, u"d1|"_s, u"1"_s, S}) << 2;
    QTest::newRow("separator twice in one line") << lines({u"h"_s, u"d1|"_s, S + S}) << 2;
    QTest::newRow("three times, last of them") << lines({u"h"_s, u"d1|"_s, S + S + S}) << 3;
    QTest::newRow("lines after the last separator line")
        << lines({u"h"_s, u"d1|"_s, S + S + S, u"Rest|r"_s, u"0"_s}) << 3;
}

void TestDayFormat::daysWithoutLines()
{
    QFETCH(QStringList, file);
    QFETCH(int, day);
    QVERIFY(day <= countDays(file));
    QCOMPARE(readDay(file, day), DayRecord());

    // What is typed for such a day is found again under its number.
    const DayRecord typed{u"Fr., 3. Mai 2024"_s, u"neu"_s, kAbsent, lines({u"info"_s})};
    const QStringList rebuilt = rebuildWithDay(file, day, file.first(), dayBlock(typed));
    QCOMPARE(readDay(rebuilt, day), typed);
    // Every other day keeps what it showed before.
    for (int other = 1; other <= countDays(file); ++other) {
        if (other != day)
            QCOMPARE(readDay(rebuilt, other), readDay(file, other));
    }
    QCOMPARE(rebuilt.mid(0, file.size()), file);
}

void TestDayFormat::blockInsertion()
{
    const QStringList file = lines({u"h"_s, u"alt|"_s, u"1"_s, S});
    const QStringList inserted = insertDayBlock(file, dayBlock(datedDay(u"neu"_s)));
    QCOMPARE(inserted, lines({u"h"_s, u"neu|"_s, u"1"_s, S, u"alt|"_s, u"1"_s, S}));
    QCOMPARE(readDay(inserted, 2).date, u"alt"_s);
}

void TestDayFormat::dayRemoval_data()
{
    const QStringList five
        = lines({u"h|k"_s, u"1|"_s, S, u"2|"_s, S, u"3|"_s, S, u"4|"_s, S, u"5|"_s, S});
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<int>("day");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("day 3 of 5") << five << 3
                                << lines({u"h"_s, u"1|"_s, S, u"2|"_s, S, u"4|"_s, S, u"5|"_s, S});
    QTest::newRow("day 5 of 5") << five << 5
                                << lines({u"h"_s, u"1|"_s, S, u"2|"_s, S, u"3|"_s, S, u"4|"_s, S});
    QTest::newRow("the only day") << lines({u"h|k"_s, u"1|"_s, u"1"_s, S}) << 1 << lines({u"h"_s});
    QTest::newRow("lines after the last separator are kept")
        << lines({u"h"_s, u"1|"_s, S, u"rest"_s}) << 1 << lines({u"h"_s, u"rest"_s});
}

void TestDayFormat::dayRemoval()
{
    QFETCH(QStringList, file);
    QFETCH(int, day);
    QFETCH(QStringList, expected);
    QCOMPARE(removeDay(file, day, u"h"_s), expected);
}

void TestDayFormat::displayNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("file name") << u"Anna Berger.dat"_s << u"Anna Berger"_s;
    QTest::newRow("dot in the name shows the part before it") << u"A.B"_s << u"A"_s;
    QTest::newRow("slash folder") << u"/x/y.z/Meier.dat"_s << u"Meier"_s;
    QTest::newRow("backslash folder") << u"C:\\Daten\\Meier.dat"_s << u"Meier"_s;
    QTest::newRow("dot only in the folder") << u"a.b/Meier"_s << u"Meier"_s;
    QTest::newRow("colon") << u"C:Meier"_s << u"Meier"_s;
    QTest::newRow("only an extension") << u".dat"_s << QString();
}

void TestDayFormat::displayNames()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QCOMPARE(displayName(name), shown);
}

QTEST_APPLESS_MAIN(TestDayFormat)
#include "tst_dayformat.moc"
