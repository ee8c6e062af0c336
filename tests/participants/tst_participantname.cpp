#include "participants/participantname.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestParticipantName : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusedNames_data();
    void refusedNames();
    void acceptedNames_data();
    void acceptedNames();
};

void TestParticipantName::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const QString character = u"Der Name darf das Zeichen \"%1\" nicht enthalten."_s;
    for (const QChar c : u"/\\:*?\"<>|"_s)
        QTest::addRow("character %c", c.toLatin1()) << u"An%1na"_s.arg(c) << character.arg(c);
    QTest::newRow("path out of the folder") << u"../Anna"_s << character.arg(u"/"_s);

    const QString control = u"Der Name darf kein Steuerzeichen (Code %1) enthalten."_s;
    QTest::newRow("tab") << u"An\tna"_s << control.arg(9);
    QTest::newRow("code 1") << u"An\x01na"_s << control.arg(1);
    QTest::newRow("code 31") << u"An\x1Fna"_s << control.arg(31);
    QTest::newRow("delete") << u"An\x7Fna"_s << control.arg(127);
    QTest::newRow("first refused character counts") << u"A\x02:b"_s << control.arg(2);

    QTest::newRow("dot") << u"."_s << u"Der Name darf nicht \".\" lauten."_s;
    QTest::newRow("two dots") << u".."_s << u"Der Name darf nicht \"..\" lauten."_s;

    const QString device
        = u"Der Name \"%1\" ist nicht erlaubt, weil \"%2\" unter Windows ein Gerät bezeichnet."_s;
    for (const QString &name :
        {u"CON"_s, u"prn"_s, u"Aux"_s, u"nul"_s, u"COM1"_s, u"com9"_s, u"LPT1"_s, u"lpt9"_s}) {
        QTest::addRow("device %s", qPrintable(name)) << name << device.arg(name, name.toUpper());
    }
    QTest::newRow("device with extension") << u"con.txt"_s << device.arg(u"con.txt"_s, u"CON"_s);
    QTest::newRow("device with two extensions")
        << u"Nul.tar.gz"_s << device.arg(u"Nul.tar.gz"_s, u"NUL"_s);
    QTest::newRow("device, blank before the dot")
        << u"lpt3 .x"_s << device.arg(u"lpt3 .x"_s, u"LPT3"_s);
}

void TestParticipantName::refusedNames()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QCOMPARE(participantNameError(name), std::optional<QString>(message));
}

void TestParticipantName::acceptedNames_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name :
        {u"Anna Berger"_s, u"A.B"_s, u"..."_s, u".y"_s, u"Jänner"_s, u"CONSOLE"_s, u"Conrad.txt"_s,
            u"COM0"_s, u"COM10"_s, u"LPT"_s, u"x.con"_s, u"Anna & Otto"_s, u"Äpfel (1a)"_s})
        QTest::addRow("%s", qPrintable(name)) << name;
}

void TestParticipantName::acceptedNames()
{
    QFETCH(QString, name);
    QCOMPARE(participantNameError(name), std::nullopt);
}

QTEST_APPLESS_MAIN(TestParticipantName)
#include "tst_participantname.moc"
