#include "records/error.h"
#include "records/headerline.h"
#include "records/linelist.h"
#include "support/filesystemtesting.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using OptionalLine = std::optional<QString>;
Q_DECLARE_METATYPE(OptionalLine)

namespace {

QByteArray utf16(QStringView text, bool littleEndian)
{
    QByteArray bytes(littleEndian ? "\xFF\xFE" : "\xFE\xFF");
    for (QChar c : text) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
    }
    return bytes;
}

// The message of the TessaroError that reading raises, or "<none>".
QString readError(const QString &path)
{
    try {
        readHeaderLine(path);
    } catch (const TessaroError &error) {
        return error.text();
    }
    return u"<none>"_s;
}

} // namespace

class TestHeaderLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void firstLine_data();
    void firstLine();
    void shortFirstLineOfAHugeFile();
    void unreadableFiles_data();
    void unreadableFiles();
    void headerClass_data();
    void headerClass();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestHeaderLine::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestHeaderLine::firstLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<OptionalLine>("expected");

    const QString longLine(10000, u'x');
    QTest::newRow("no bytes") << QByteArray() << OptionalLine();
    QTest::newRow("UTF-8 mark alone") << QByteArray("\xEF\xBB\xBF") << OptionalLine();
    QTest::newRow("UTF-16LE mark alone") << QByteArray("\xFF\xFE") << OptionalLine();
    QTest::newRow("UTF-16BE mark alone") << QByteArray("\xFE\xFF") << OptionalLine();
    QTest::newRow("ANSI, CR LF") << QByteArray("1a|K\xF6rper\r\nTag|\r\n")
                                 << OptionalLine(u"1a|Körper"_s);
    QTest::newRow("LF alone") << QByteArray("1a|x\nTag") << OptionalLine(u"1a|x"_s);
    QTest::newRow("CR alone") << QByteArray("1a|x\rTag") << OptionalLine(u"1a|x"_s);
    QTest::newRow("LF CR") << QByteArray("1a|x\n\rTag") << OptionalLine(u"1a|x"_s);
    QTest::newRow("header without break") << QByteArray("3c") << OptionalLine(u"3c"_s);
    QTest::newRow("empty header line") << QByteArray("\r\n2b|x\r\n") << OptionalLine(QString());
    QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF"
                                         "1a|J\xC3\xA4nner\r\n")
                           << OptionalLine(u"1a|Jänner"_s);
    QTest::newRow("second UTF-8 mark is text") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                             "1a\r\n")
                                               << OptionalLine(u"\uFEFF1a"_s);
    QTest::newRow("incomplete UTF-8 mark is ANSI")
        << QByteArray("\xEF\xBB") << OptionalLine(u"ï»"_s);
    // U+0D0A and U+0A0D hold the bytes of CR and LF without being line breaks.
    QTest::newRow("UTF-16LE") << utf16(u"1a|\u0D0A\u0A0D\r\nTag", true)
                              << OptionalLine(u"1a|\u0D0A\u0A0D"_s);
    QTest::newRow("UTF-16BE") << utf16(u"1a|\u0D0A\u0A0D\nTag", false)
                              << OptionalLine(u"1a|\u0D0A\u0A0D"_s);
    QTest::newRow("UTF-16LE dangling byte")
        << utf16(u"1a", true) + 'x' << OptionalLine(u"1a\uFFFD"_s);
    QTest::newRow("line longer than a chunk")
        << longLine.toLatin1() + "\r\nTag" << OptionalLine(longLine);
    QTest::newRow("UTF-16 line longer than a chunk")
        << utf16(QString(longLine + u"\r\nTag"_s), true) << OptionalLine(longLine);
}

void TestHeaderLine::firstLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(OptionalLine, expected);
    const QString path = m_dir->filePath(u"Anna.dat"_s);
    QVERIFY(writeBytes(path, bytes));
    QCOMPARE(readHeaderLine(path), expected);

    // The same first line as the file layer reads from the whole file.
    LineList lines;
    lines.loadFromBytes(bytes);
    QCOMPARE(readHeaderLine(path), lines.isEmpty() ? OptionalLine() : OptionalLine(lines.at(0)));

    // The class read from the whole content is the same, and another class replaces it alone:
    // put back, the old class gives the file's bytes again.
    const QString schoolClass = headerClassOf(bytes);
    QCOMPARE(schoolClass, lines.isEmpty() ? QString() : ::headerClass(lines.at(0)));
    const QByteArray changed = withHeaderClass(bytes, u"5Ä"_s);
    QCOMPARE(headerClassOf(changed), u"5Ä"_s);
    if (!schoolClass.contains(QChar::ReplacementCharacter))
        QCOMPARE(withHeaderClass(changed, schoolClass), bytes);
}

void TestHeaderLine::shortFirstLineOfAHugeFile()
{
    // A sparse file of 64 GiB: reading it as a whole could neither be held nor finish soon.
    const QString path = m_dir->filePath(u"Riese.dat"_s);
    QVERIFY(writeBytes(path, "4b|Kommentar\r\nTag|\r\n"));
    QFile file(path);
    QVERIFY(file.resize(qint64(64) << 30));
    QCOMPARE(readHeaderLine(path), OptionalLine(u"4b|Kommentar"_s));
}

void TestHeaderLine::unreadableFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << u"missing"_s << missingFileReason();
    // A pipe without a writer would block a plain read for ever.
    QTest::newRow("pipe") << u"pipe"_s << u"Die Datei ist keine gewöhnliche Datei."_s;
    QTest::newRow("folder") << u"folder"_s << u"Die Datei ist keine gewöhnliche Datei."_s;
}

void TestHeaderLine::unreadableFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString path = m_dir->filePath(u"Zora.dat"_s);
    if (kind == u"pipe" && !makePipe(path))
        QSKIP("no pipes in a folder here");
    else if (kind == u"folder")
        QVERIFY(QDir(m_dir->path()).mkdir(u"Zora.dat"_s));
    QCOMPARE(readError(path), u"Datei %1 kann nicht geöffnet werden. %2"_s.arg(path, reason));
}

void TestHeaderLine::headerClass_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("schoolClass");
    // The line with the class "5e" in its place.
    QTest::addColumn<QString>("changed");
    QTest::newRow("before the bar") << u"1a|Text"_s << u"1a"_s << u"5e|Text"_s;
    QTest::newRow("vertical tab wins over the bar")
        << u"  2b \vText|x"_s << u"2b"_s << u"  5e \vText|x"_s;
    QTest::newRow("no separator") << u"3c"_s << u"3c"_s << u"5e"_s;
    QTest::newRow("control characters trimmed") << u"\t4d\x01|x"_s << u"4d"_s << u"\t5e\x01|x"_s;
    QTest::newRow("empty class") << u" |Kommentar"_s << QString() << u" 5e|Kommentar"_s;
}

void TestHeaderLine::headerClass()
{
    QFETCH(QString, line);
    QFETCH(QString, schoolClass);
    QFETCH(QString, changed);
    QCOMPARE(::headerClass(line), schoolClass);
    const QByteArray days = "\r\nTag|\r\n";
    QCOMPARE(headerClassOf(line.toLatin1() + days), schoolClass);
    QCOMPARE(withHeaderClass(line.toLatin1() + days, u"5e"_s), changed.toLatin1() + days);
}

QTEST_GUILESS_MAIN(TestHeaderLine)
#include "tst_headerline.moc"
