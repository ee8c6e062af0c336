#include "records/datafolder.h"
#include "records/dates.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestDates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dateTexts_data();
    void dateTexts();
    void localeMonthNames_data();
    void localeMonthNames();
    void weekdayNamesLoseTheirDot();
    void onlyTheFirstJanuarIsRewritten();
    void readsDateTexts_data();
    void readsDateTexts();
    void digitGroups_data();
    void digitGroups();
    void dataFolder_data();
    void dataFolder();
};

void TestDates::dateTexts_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("Monday in January") << QDate(2025, 1, 6) << u"Mo., 6. Jänner 2025"_s;
    QTest::newRow("Christmas Eve") << QDate(2024, 12, 24) << u"Di., 24. Dezember 2024"_s;
    QTest::newRow("Saturday in March") << QDate(2025, 3, 1) << u"Sa., 1. März 2025"_s;
    QTest::newRow("no leading zero") << QDate(2025, 1, 1) << u"Mi., 1. Jänner 2025"_s;
    QTest::newRow("leap day, yesterday of 1 March")
        << QDate(2024, 3, 1).addDays(-1) << u"Do., 29. Februar 2024"_s;
    QTest::newRow("Sunday") << QDate(2026, 12, 6) << u"So., 6. Dezember 2026"_s;
    QTest::newRow("tomorrow over the year end")
        << QDate(2025, 12, 31).addDays(1) << u"Do., 1. Jänner 2026"_s;
}

void TestDates::dateTexts()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(dateText(date, germanDateNames()), text);
    // The names set up for a German locale give the same text.
    initDateNames(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(dateText(date), text);
}

void TestDates::localeMonthNames_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("German Germany: Januar becomes Jänner")
        << QLocale(QLocale::German, QLocale::Germany) << u"Mo., 6. Jänner 2025"_s;
    QTest::newRow("German Austria")
        << QLocale(QLocale::German, QLocale::Austria) << u"Mo., 6. Jänner 2025"_s;
    QTest::newRow("English: weekday stays German")
        << QLocale(QLocale::English, QLocale::UnitedStates) << u"Mo., 6. January 2025"_s;
    QTest::newRow("C locale takes the German table") << QLocale::c() << u"Mo., 6. Jänner 2025"_s;
}

void TestDates::localeMonthNames()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    initDateNames(locale);
    QCOMPARE(dateText(QDate(2025, 1, 6)), text);
    initDateNames(QLocale::c());
}

void TestDates::weekdayNamesLoseTheirDot()
{
    DateNames names;
    names.shortDayNames = {u"So."_s, u"Mo"_s, QString(), u"."_s, u"Do.."_s, u"Fr"_s, u"Sa."_s};
    dropWeekdayDots(names);
    QCOMPARE(names.shortDayNames,
        (QStringList{u"So"_s, u"Mo"_s, QString(), QString(), u"Do."_s, u"Fr"_s, u"Sa"_s}));
}

void TestDates::onlyTheFirstJanuarIsRewritten()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    DateNames names;
    names.shortMonthNames = {u"jan"_s, u"Mrz"_s, u"Jan."_s, u"MRZ"_s};
    names.longMonthNames = {u"Februar"_s, u"januar"_s, u"Januar"_s};
    useAustrianMonthNames(names, german);
    QCOMPARE(names.shortMonthNames, (QStringList{u"Jän"_s, u"Mär"_s, u"Jan."_s, u"Mär"_s}));
    QCOMPARE(names.longMonthNames, (QStringList{u"Februar"_s, u"Jänner"_s, u"Januar"_s}));
}

void TestDates::readsDateTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    const QDate unreadable;
    QTest::newRow("own text, Jänner") << u"Mo., 6. Jänner 2025"_s << QDate(2025, 1, 6);
    QTest::newRow("own text, März") << u"Sa., 1. März 2025"_s << QDate(2025, 3, 1);
    QTest::newRow("Januar, lower case") << u"mo., 6. januar 2025"_s << QDate(2025, 1, 6);
    QTest::newRow("month name in use") << u"Mo., 6. January 2025"_s << QDate(2025, 1, 6);
    QTest::newRow("upper case umlaut") << u"6. JÄNNER 2025"_s << QDate(2025, 1, 6);
    QTest::newRow("no weekday, blanks around") << u"  24. Dezember 2024\t"_s << QDate(2024, 12, 24);
    QTest::newRow("weekday without dot") << u"Di, 24.Dezember 2024"_s << QDate(2024, 12, 24);
    QTest::newRow("dd.mm.yyyy") << u"08.01.2019"_s << QDate(2019, 1, 8);
    QTest::newRow("d.m.yyyy") << u"8.1.2019"_s << QDate(2019, 1, 8);
    QTest::newRow("leap day") << u"29.02.2024"_s << QDate(2024, 2, 29);
    QTest::newRow("no such day") << u"29.02.2025"_s << unreadable;
    QTest::newRow("no such month") << u"1.13.2025"_s << unreadable;
    QTest::newRow("two-digit year") << u"8.1.19"_s << unreadable;
    QTest::newRow("five-digit year") << u"8.1.20190"_s << unreadable;
    QTest::newRow("weekday does not fit") << u"Di., 6. Jänner 2025"_s << unreadable;
    QTest::newRow("short month name") << u"6. Jän 2025"_s << unreadable;
    QTest::newRow("text after the year") << u"Mo., 6. Jänner 2025 Ausflug"_s << unreadable;
    QTest::newRow("text alone") << u"gestern"_s << unreadable;
    QTest::newRow("empty") << QString() << unreadable;
}

void TestDates::readsDateTexts()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    // The names of an English locale are in use; the German ones are read as well.
    const DateNames names = dateNamesOf(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(readDateText(text, names).value_or(QDate()), date);
}

void TestDates::digitGroups_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << u"0"_s;
    QTest::newRow("999") << qint64(999) << u"999"_s;
    QTest::newRow("1000") << qint64(1000) << u"1.000"_s;
    QTest::newRow("10000") << qint64(10000) << u"10.000"_s;
    QTest::newRow("100000") << qint64(100000) << u"100.000"_s;
    QTest::newRow("1234567") << qint64(1234567) << u"1.234.567"_s;
    QTest::newRow("largest day number") << qint64(2147483647) << u"2.147.483.647"_s;
    QTest::newRow("negative") << qint64(-1000) << u"-1.000"_s;
}

void TestDates::digitGroups()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(withThousandsDots(value), text);
}

void TestDates::dataFolder_data()
{
    QTest::addColumn<DataFolderChoice>("choice");
    QTest::addColumn<QString>("documents");
    QTest::addColumn<QString>("folder");
    QTest::newRow("program folder")
        << DataFolderChoice::ProgramFolder << u"/home/u/Dokumente/"_s << u"/opt/tessaro/Tessaro/"_s;
    QTest::newRow("documents folder")
        << DataFolderChoice::Documents << u"/home/u/Dokumente"_s << u"/home/u/Dokumente/Tessaro/"_s;
    QTest::newRow("no documents folder known")
        << DataFolderChoice::Documents << QString() << u"Tessaro/"_s;
}

void TestDates::dataFolder()
{
    QFETCH(DataFolderChoice, choice);
    QFETCH(QString, documents);
    QFETCH(QString, folder);
    QCOMPARE(dataFolderPath(choice, documents, u"/opt/tessaro/"_s), folder);
}

QTEST_APPLESS_MAIN(TestDates)
#include "tst_dates.moc"
