#include "records/linelist.h"
#include "records/textencoding.h"
#include "records/windows1252.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestTextEncoding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyAnsiByteDecodesAndEncodesBack();
    void ansiHighRangeDecodesAsWindows();
    void unencodableCharacters_data();
    void unencodableCharacters();
    void byteOrderMarks_data();
    void byteOrderMarks();
    void splitting_data();
    void splitting();
    void fileRoundTripIsByteExact_data();
    void fileRoundTripIsByteExact();
    void setLinesPassesThroughText_data();
    void setLinesPassesThroughText();
    void nulIsAnOrdinaryCharacter();
};

void TestTextEncoding::everyAnsiByteDecodesAndEncodesBack()
{
    QByteArray all;
    for (int value = 0; value < 256; ++value)
        all.append(char(value));
    const QString text = Windows1252::decode(all);
    QCOMPARE(text.size(), 256);
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
    QCOMPARE(Windows1252::encode(text), all);
}

void TestTextEncoding::ansiHighRangeDecodesAsWindows()
{
    QCOMPARE(Windows1252::decode("\x80\x8A\x9F\xE4\xDF"), u"€ŠŸäß"_s);
    // The unassigned bytes become the control characters of the same value.
    QCOMPARE(Windows1252::decode("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D"_s);
}

void TestTextEncoding::unencodableCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("letter with a mark the code page lacks") << u"őŐăčŠ"_s << QByteArray("oOac\x8A");
    QTest::newRow("letter with a stroke") << u"Łódź"_s
                                          << QByteArray("L\xF3"
                                                        "dz");
    QTest::newRow("full-width letter") << u"\uFF21"_s << QByteArray("A");
    QTest::newRow("no base letter") << u"Ж→"_s << QByteArray("??");
    QTest::newRow("character outside the plane is one ?") << u"a\U0001F600b"_s << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("C1 control without a byte") << QString(QChar(0x0080)) << QByteArray("?");
}

void TestTextEncoding::unencodableCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Windows1252::encode(text), bytes);
}

void TestTextEncoding::byteOrderMarks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::newRow("no mark is ANSI") << QByteArray("\xE4x") << u"äx"_s << TextEncoding::Ansi;
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF\xC3\xA4") << u"ä"_s
                                << TextEncoding::Utf8;
    QTest::newRow("UTF-16LE mark")
        << QByteArray("\xFF\xFE\xE4\x00", 4) << u"ä"_s << TextEncoding::Utf16LE;
    QTest::newRow("UTF-16BE mark")
        << QByteArray("\xFE\xFF\x00\xE4", 4) << u"ä"_s << TextEncoding::Utf16BE;
    QTest::newRow("second UTF-8 mark stays text")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") << u"\uFEFF"_s << TextEncoding::Utf8;
    QTest::newRow("partial UTF-8 mark is ANSI")
        << QByteArray("\xEF\xBB") << u"ï»"_s << TextEncoding::Ansi;
    QTest::newRow("odd UTF-16 byte is marked, not dropped")
        << QByteArray("\xFF\xFE\x41\x00\x42", 5) << u"A\uFFFD"_s << TextEncoding::Utf16LE;
    QTest::newRow("invalid UTF-8")
        << QByteArray("\xEF\xBB\xBF\xFF") << u"\uFFFD"_s << TextEncoding::Utf8;
}

void TestTextEncoding::byteOrderMarks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    const DecodedText decoded = decodeText(bytes);
    QCOMPARE(decoded.text, text);
    QCOMPARE(decoded.encoding, encoding);
}

void TestTextEncoding::splitting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty text has no line") << QString() << QStringList();
    QTest::newRow("CR LF") << u"a\r\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lone LF") << u"a\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lone CR") << u"a\rb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF CR is two breaks") << u"a\n\rb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("final break adds no line") << u"a\r\n"_s << QStringList{u"a"_s};
    QTest::newRow("final LF CR adds one empty line")
        << u"a\n\r"_s << QStringList{u"a"_s, QString()};
    QTest::newRow("only a break") << u"\r\n"_s << QStringList{QString()};
    QTest::newRow("two breaks") << u"\r\n\r\n"_s << QStringList{QString(), QString()};
    QTest::newRow("CR CR LF") << u"a\r\r\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
}

void TestTextEncoding::splitting()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(text), lines);
}

void TestTextEncoding::fileRoundTripIsByteExact_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ANSI") << QByteArray("1a|Kommentar \xE4\xF6\xFC\r\nMo., 6. J\xE4nner 2025|\r\n"
                                        "1\r\n<--------------->\r\n");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF"
                                                   "1a|\xC3\xA4\xE2\x82\xAC\r\n"
                                                   "<--------------->\r\n");
    QTest::newRow("UTF-16LE") << QByteArray("\xFF\xFE"
                                            "a\0|\0\x20\x20\r\0\n\0",
        12);
    QTest::newRow("UTF-16BE") << QByteArray("\xFE\xFF\0a\0|\x20\x20\0\r\0\n", 12);
    QTest::newRow("UTF-16 lone surrogate survives") << QByteArray("\xFF\xFE\x00\xD8\r\0\n\0", 8);
}

void TestTextEncoding::fileRoundTripIsByteExact()
{
    QFETCH(QByteArray, bytes);
    LineList list;
    list.loadFromBytes(bytes);
    QCOMPARE(list.toBytes(), bytes);
}

void TestTextEncoding::setLinesPassesThroughText_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("plain lines stay")
        << QStringList{u"a"_s, QString()} << QStringList{u"a"_s, QString()};
    QTest::newRow("line with LF splits")
        << QStringList{u"a\nb"_s, u"c"_s} << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("trailing CR gives an empty line")
        << QStringList{u"a\r"_s, u"b"_s} << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("trailing LF gives an empty line")
        << QStringList{u"a\n"_s} << QStringList{u"a"_s, QString()};
}

void TestTextEncoding::setLinesPassesThroughText()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    LineList list;
    list.setLines(lines);
    QCOMPARE(list.lines(), expected);
    // The same result as the real round trip through the text.
    QCOMPARE(list.lines(), splitLines(joinLines(lines)));
}

void TestTextEncoding::nulIsAnOrdinaryCharacter()
{
    const QByteArray bytes("a\0b\r\nc\0\r\n", 9);
    LineList list;
    list.loadFromBytes(bytes);
    QCOMPARE(list.lines(),
        (QStringList{QStringView(u"a\0b", 3).toString(), QStringView(u"c\0", 2).toString()}));
    QCOMPARE(list.toBytes(), bytes);
}

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "tst_textencoding.moc"
