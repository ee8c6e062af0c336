#include "reports/dayfinding.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestDayFinding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readDayNumber_data();
    void readDayNumber();
    void digitCount_data();
    void digitCount();
    void findDayByDate_data();
    void findDayByDate();
};

void TestDayFinding::readDayNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("highest");
    QTest::addColumn<std::optional<int>>("number");
    QTest::newRow("within the range") << u"5"_s << 12 << std::optional(5);
    QTest::newRow("above is lowered") << u"99"_s << 12 << std::optional(12);
    QTest::newRow("0 is raised") << u"0"_s << 12 << std::optional(1);
    QTest::newRow("leading zeros") << u"007"_s << 12 << std::optional(7);
    QTest::newRow("hexadecimal literal") << u"$A"_s << 12 << std::optional(10);
    QTest::newRow("no days: the lowest, then the highest") << u"3"_s << 0 << std::optional(0);
    QTest::newRow("negative") << u"-3"_s << 12 << std::optional<int>();
    QTest::newRow("letters") << u"abc"_s << 12 << std::optional<int>();
    QTest::newRow("empty") << QString() << 12 << std::optional<int>();
    QTest::newRow("trailing blank") << u"5 "_s << 12 << std::optional<int>();
    QTest::newRow("beyond 32 bits") << u"99999999999"_s << 12 << std::optional<int>();
}

void TestDayFinding::readDayNumber()
{
    QFETCH(QString, text);
    QFETCH(int, highest);
    QFETCH(std::optional<int>, number);
    QCOMPARE(::readDayNumber(text, 1, highest), number);
}

void TestDayFinding::digitCount_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("digits");
    QTest::newRow("0") << 0 << 1;
    QTest::newRow("12") << 12 << 2;
    QTest::newRow("1000") << 1000 << 4;
    QTest::newRow("largest") << 2147483647 << 10;
}

void TestDayFinding::digitCount()
{
    QFETCH(int, number);
    QFETCH(int, digits);
    QCOMPARE(::digitCount(number), digits);
}

namespace {

QStringList januaryDays()
{
    const QString separator = u"<--------------->"_s;
    return {u"1a|"_s, u"Mo., 6. Jänner 2025|Mi."_s, u"1"_s, separator, u"Di., 7. Jänner 2025|"_s,
        u"0"_s, u"Infos"_s, separator, u"Mi., 8. Jänner 2025|"_s, u"1"_s, separator};
}

} // namespace

void TestDayFinding::findDayByDate_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("afterDay");
    QTest::addColumn<int>("found");
    const QStringList days = januaryDays();
    QTest::newRow("JÄNNER after day 1") << days << u"JÄNNER"_s << 1 << 2;
    QTest::newRow("JÄNNER after day 2") << days << u"JÄNNER"_s << 2 << 3;
    QTest::newRow("JÄNNER after the last day") << days << u"JÄNNER"_s << 3 << 0;
    QTest::newRow("8. J after day 1") << days << u"8. J"_s << 1 << 3;
    QTest::newRow("the current day is not searched") << days << u"MO."_s << 1 << 0;
    QTest::newRow("day 1 is searched from no day") << days << u"MO."_s << 0 << 1;
    QTest::newRow("a remark does not match") << days << u"MI."_s << 0 << 3;
    QTest::newRow("a trailing blank must be there") << days << u"2025 "_s << 0 << 0;
    QTest::newRow("lower case never matches") << days << u"jänner"_s << 0 << 0;
    QTest::newRow("empty search text") << days << QString() << 0 << 0;
    QTest::newRow("date line without separator") << QStringList{u"1a|"_s, u"Mo., 6. Jänner 2025"_s,
        u"<--------------->"_s} << u"MO."_s << 0 << 0;
    QTest::newRow("the later separator ends the date part")
        << QStringList{u"1a|"_s, u"Mo.\vTermin|x"_s, u"<--------------->"_s} << u"TERMIN"_s << 0
        << 1;
    QTest::newRow("sharp s upper-cased to SS")
        << QStringList{u"1a|"_s, u"Großer Tag|"_s, u"<--------------->"_s} << u"GROSSER"_s << 0
        << 1;
}

void TestDayFinding::findDayByDate()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, search);
    QFETCH(int, afterDay);
    QFETCH(int, found);
    QCOMPARE(::findDayByDate(lines, search, afterDay), found);
}

QTEST_GUILESS_MAIN(TestDayFinding)
#include "tst_dayfinding.moc"
