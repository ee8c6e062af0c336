#include "participants/participantimport.h"
#include "participants/schoolyear.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The widget-free rules of the import and the year change; both are walked with real files
// through the main window in tst_mainwindow_schoolyearcommands.
class TestSchoolYearPlanning : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importRows_data();
    void importRows();
    void proposedNames_data();
    void proposedNames();
    void yearFolder_data();
    void yearFolder();
};

void TestSchoolYearPlanning::importRows_data()
{
    QTest::addColumn<QString>("text");
    // The participants to create as "name|class|comment", and the rows left out.
    QTest::addColumn<QStringList>("created");
    QTest::addColumn<QStringList>("leftOut");
    QTest::newRow("no head row: name, class, comment")
        << u"Anna Berger;4A;Brille\r\nBert;4A\r\n"_s
        << QStringList{u"Anna Berger|4A|Brille"_s, u"Bert|4A|"_s} << QStringList();
    QTest::newRow("head row in any letter case, columns by their names")
        << u"KLASSE,name,Geburtstag\n4A,Anna,1.1.2015"_s << QStringList{u"Anna|4A|"_s}
        << QStringList();
    QTest::newRow("Familienname with Vorname, tabs")
        << u"Familienname\tVorname\rBerger\tAnna\r"_s << QStringList{u"Anna Berger||"_s}
        << QStringList();
    QTest::newRow("quoted separators, quotes and line breaks")
        << u"Name;Kommentar\r\n\"Berger; Anna\";\"sagt \"\"hallo\"\"\r\nund geht\"\r\n"_s
        << QStringList{u"Berger; Anna||sagt \"hallo\"  und geht"_s} << QStringList();
    QTest::newRow("separator of the first line")
        << u"Name,Klasse\r\n\"Berger, Anna\",4A;x\r\n"_s << QStringList{u"Berger, Anna|4A;x|"_s}
        << QStringList();
    QTest::newRow("blank rows passed over, a row without a name counted")
        << u"Anna;4A\r\n;;\r\n\r\n;4B\r\n"_s << QStringList{u"Anna|4A|"_s}
        << QStringList{u"Zeile 4: kein Name"_s};
    QTest::newRow("names the creation dialog refuses, a bar in the class")
        << u"A/B;4A\r\nCON;4A\r\n\"An\nna\";4A\r\nAnna;4|A\r\n"_s << QStringList()
        << QStringList{u"Zeile 1: \"A/B\": Der Name darf das Zeichen \"/\" nicht enthalten."_s,
               u"Zeile 2: \"CON\": Der Name \"CON\" ist nicht erlaubt, weil \"CON\" unter "
               "Windows ein Gerät bezeichnet."_s,
               u"Zeile 3: \"An\nna\": Der Name darf kein Steuerzeichen (Code 10) enthalten."_s,
               u"Zeile 5: \"Anna\": Die Klasse darf kein \"|\" enthalten."_s};
    QTest::newRow("existing and repeated names, in any letter case")
        << u"berger anton;4A\r\nÄpfel Anna;4A\r\näpfel anna;4B\r\n"_s
        << QStringList{u"Äpfel Anna|4A|"_s}
        << QStringList{u"Zeile 1: \"berger anton\" gibt es schon."_s,
               u"Zeile 3: \"äpfel anna\" steht schon in Zeile 2."_s};
}

void TestSchoolYearPlanning::importRows()
{
    QFETCH(QString, text);
    QFETCH(QStringList, created);
    QFETCH(QStringList, leftOut);
    const ImportPlan plan = planImport(text, {u"Berger Anton"_s});
    QStringList participants;
    for (const ImportedParticipant &p : plan.participants)
        participants.append(p.name + u'|' + p.schoolClass + u'|' + p.comment);
    QCOMPARE(participants, created);
    QCOMPARE(plan.leftOut, leftOut);
    QCOMPARE(plan.existing + plan.withoutName + plan.refused + plan.repeated, leftOut.size());
}

void TestSchoolYearPlanning::proposedNames_data()
{
    QTest::addColumn<QString>("schoolClass");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("number first") << u"4A"_s << u"5A"_s;
    QTest::newRow("two digits") << u"10b"_s << u"11b"_s;
    QTest::newRow("leading zero kept") << u"09c"_s << u"10c"_s;
    QTest::newRow("carried into a new digit") << u"Q99"_s << u"Q100"_s;
    QTest::newRow("only the first number") << u"2a-3"_s << u"3a-3"_s;
    QTest::newRow("without a number") << u"Chor"_s << u"Chor"_s;
}

void TestSchoolYearPlanning::proposedNames()
{
    QFETCH(QString, schoolClass);
    QFETCH(QString, proposed);
    QCOMPARE(proposedClassName(schoolClass), proposed);
}

void TestSchoolYearPlanning::yearFolder_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("folder");
    QTest::newRow("at the end of the year") << QDate(2026, 7, 10) << u"Schuljahr 2025-26"_s;
    QTest::newRow("after the summer") << QDate(2026, 9, 1) << u"Schuljahr 2025-26"_s;
    QTest::newRow("in January") << QDate(2026, 1, 2) << u"Schuljahr 2025-26"_s;
    QTest::newRow("turn of the century") << QDate(2000, 7, 1) << u"Schuljahr 1999-00"_s;
}

void TestSchoolYearPlanning::yearFolder()
{
    QFETCH(QDate, today);
    QFETCH(QString, folder);
    QCOMPARE(schoolYearFolderName(today), folder);
}

QTEST_GUILESS_MAIN(TestSchoolYearPlanning)
#include "tst_schoolyearplanning.moc"
