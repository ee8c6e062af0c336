#include "speech/jawsbraillecall.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestJawsBrailleCall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void callText_data();
    void callText();
};

void TestJawsBrailleCall::callText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain caption") << u"Datum:"_s << u"BrailleString(\"Datum:\")"_s;
    QTest::newRow("double quotes become apostrophes")
        << u"Teilnehmer \"Anna\" gelöscht"_s << u"BrailleString(\"Teilnehmer 'Anna' gelöscht\")"_s;
    QTest::newRow("apostrophes and backslashes stay")
        << u"Anna's C:\\Tessaro"_s << u"BrailleString(\"Anna's C:\\Tessaro\")"_s;
    QTest::newRow("only a quote") << u"\""_s << u"BrailleString(\"'\")"_s;
}

void TestJawsBrailleCall::callText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdU16String(jawsBrailleCall(text.toStdU16String())), expected);
}

QTEST_APPLESS_MAIN(TestJawsBrailleCall)
#include "tst_jawsbraillecall.moc"
