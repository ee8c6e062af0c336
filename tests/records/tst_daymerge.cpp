#include "records/daymerge.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A participant file of these date lines, top first, each day present with an information line.
QByteArray file(
    const QByteArray &header, const QByteArrayList &top, const QByteArrayList &bottom = {})
{
    QByteArray bytes = header + "\r\n";
    for (const QByteArray &line : top + bottom)
        bytes += line + "\r\n1\r\nInfo\r\n<--------------->\r\n";
    return bytes;
}

// Enough old days for the files to share more than one comparison chunk.
QByteArrayList oldDays()
{
    QByteArrayList days;
    for (int day = 1; day <= 300; ++day)
        days.append("Tag " + QByteArray::number(day) + "|alt");
    return days;
}

// The lines of a file of these date lines, each day present.
QStringList lines(const char *header, std::initializer_list<const char *> dateLines)
{
    QStringList result{QString::fromUtf8(header)};
    for (const char *line : dateLines)
        result << QString::fromUtf8(line) << u"1"_s << u"<--------------->"_s;
    return result;
}

} // namespace

class TestDayMerge : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsLostDays_data();
    void countsLostDays();
    void mergesLostDaysNewestFirst();
    void mergesAChangeIntoTheChangedFile_data();
    void mergesAChangeIntoTheChangedFile();
};

void TestDayMerge::countsLostDays_data()
{
    QTest::addColumn<QByteArray>("replaced");
    QTest::addColumn<QByteArray>("incoming");
    QTest::addColumn<int>("lost");
    const QByteArrayList old = oldDays();
    QByteArrayList changedOld = old;
    changedOld[150] = "Tag 151|korrigiert";
    const QByteArray same = file("4b|", old);
    QTest::newRow("the same file") << same << same << 0;
    QTest::newRow("the incoming file has a newer day") << same << file("4b|", {"Neu|"}, old) << 0;
    QTest::newRow("a day of its own on top") << file("4b|", {"Nur hier|"}, old) << same << 1;
    QTest::newRow("each has a day of its own")
        << file("4b|", {"A|"}, old) << file("4b|", {"B|"}, old) << 1;
    QTest::newRow("an old day changed") << file("4b|", changedOld) << same << 1;
    QTest::newRow("only the header differs") << file("5b|neu", old) << same << 0;
    QTest::newRow("a second copy of a day the other holds")
        << file("4b|", {"Tag 7|alt"}, old) << same << 0;
    QTest::newRow("a day twice, lacking twice") << file("4b|", {"X|", "X|"}, old) << same << 2;
    QTest::newRow("Windows-1252 against UTF-8, the same days")
        << file("4b|", {"J\xE4nner|"}, old) << "\xEF\xBB\xBF" + file("4b|", {"J\xC3\xA4nner|"}, old)
        << 0;
    QTest::newRow("line feeds alone against CR LF, the same days")
        << QByteArray(same).replace("\r\n", "\n") << same << 0;
    QTest::newRow("a line with a lone CR is two lines")
        << file("4b|", {"A|\rB|"}, old) << file("4b|", {"A|"}, old) << 1;
    QTest::newRow("no participant file")
        << QByteArray("alt5|Tag\r\n") << QByteArray("neu5|Tag\r\n") << 0;
}

void TestDayMerge::countsLostDays()
{
    QFETCH(QByteArray, replaced);
    QFETCH(QByteArray, incoming);
    QFETCH(int, lost);
    QCOMPARE(countLostDays(replaced, incoming), lost);
}

void TestDayMerge::mergesLostDaysNewestFirst()
{
    const QByteArray replaced = file("4b|alt",
        {"Di., 7. J\xE4nner 2025|x", "Mo., 6. J\xE4nner 2025|a", "ohne Datum|u",
            "So., 5. J\xE4nner 2025|b"});
    const QByteArray incoming = "\xEF\xBB\xBF"
        + file("4b|neu",
            {"Mi., 8. J\xC3\xA4nner 2025|c", "Mo., 6. J\xC3\xA4nner 2025|a",
                "Sa., 4. J\xC3\xA4nner 2025|d"})
        + "Rest\r\n";
    // The undated day follows the day before it among those added; the lines after the last
    // day stay last.
    QCOMPARE(mergeLostDays(replaced, incoming),
        "\xEF\xBB\xBF"
            + file("4b|neu",
                {"Mi., 8. J\xC3\xA4nner 2025|c", "Di., 7. J\xC3\xA4nner 2025|x", "ohne Datum|u",
                    "Mo., 6. J\xC3\xA4nner 2025|a", "So., 5. J\xC3\xA4nner 2025|b",
                    "Sa., 4. J\xC3\xA4nner 2025|d"})
            + "Rest\r\n");
}

void TestDayMerge::mergesAChangeIntoTheChangedFile_data()
{
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<QStringList>("changed");
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("merged");
    QTest::addColumn<QStringList>("conflicting"); // "Kopf" for the header line
    const char *h = "4b|";
    QTest::newRow("a day changed here, one added there")
        << lines(h, {"a|", "b|", "c|"}) << lines(h, {"a|", "b|neu", "c|"})
        << lines(h, {"n|", "a|", "b|", "c|"}) << lines(h, {"n|", "a|", "b|neu", "c|"})
        << QStringList();
    QTest::newRow("a day added here, the old first day changed there")
        << lines(h, {"a|", "b|"}) << lines(h, {"m|", "a|", "b|"}) << lines(h, {"a|dort", "b|"})
        << lines(h, {"m|", "a|dort", "b|"}) << QStringList();
    QTest::newRow("a day removed here, one added there")
        << lines(h, {"a|", "b|", "c|"}) << lines(h, {"a|", "c|"})
        << lines(h, {"n|", "a|", "b|", "c|"}) << lines(h, {"n|", "a|", "c|"}) << QStringList();
    QTest::newRow("the same day changed on both sides: both kept")
        << lines(h, {"a|", "b|alt"}) << lines(h, {"a|", "b|mein"}) << lines(h, {"a|", "b|dort"})
        << lines(h, {"a|", "b|dort", "b|mein"}) << QStringList{u"b"_s};
    QTest::newRow("a day removed here and changed there stays")
        << lines(h, {"a|", "b|"}) << lines(h, {"a|"}) << lines(h, {"a|", "b|dort"})
        << lines(h, {"a|", "b|dort"}) << QStringList{u"b"_s};
    QTest::newRow("equal days: the one at the same place from the end")
        << lines(h, {"x|", "b|", "x|"}) << lines(h, {"x|", "b|", "x|neu"})
        << lines(h, {"n|", "x|", "b|", "x|"}) << lines(h, {"n|", "x|", "b|", "x|neu"})
        << QStringList();
    QTest::newRow("the header changed there, a day here")
        << lines(h, {"a|"}) << lines(h, {"a|neu"}) << lines("5b|", {"a|"})
        << lines("5b|", {"a|neu"}) << QStringList();
    QTest::newRow("the header changed on both sides: this one's")
        << lines(h, {"a|"}) << lines("5b|", {"a|"}) << lines("6b|", {"a|"}) << lines("5b|", {"a|"})
        << QStringList{u"Kopf"_s};
}

void TestDayMerge::mergesAChangeIntoTheChangedFile()
{
    QFETCH(QStringList, read);
    QFETCH(QStringList, changed);
    QFETCH(QStringList, current);
    QFETCH(QStringList, merged);
    QFETCH(QStringList, conflicting);
    const ChangeMerge merge = mergeChange(read, changed, current);
    QCOMPARE(merge.lines, merged);
    QStringList found = merge.conflictingDates;
    if (merge.headerConflict)
        found.append(u"Kopf"_s);
    QCOMPARE(found, conflicting);
    QCOMPARE(merge.clean, conflicting.isEmpty());
}

QTEST_APPLESS_MAIN(TestDayMerge)
#include "tst_daymerge.moc"
