#include "reports/textfilewriter.h"

#include "records/error.h"
#include "records/linelist.h"
#include "support/filesystemtesting.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <optional>

using namespace Qt::StringLiterals;

class TestTextFileWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plainTextBytes_data();
    void plainTextBytes();
    void richTextBytes_data();
    void richTextBytes();
    void savedRichTextReadsBackInAReader();
    void saveReplacesAtomically();
    void failedSaveLeavesNothing_data();
    void failedSaveLeavesNothing();
    void readOnlyFolderIsWrittenInPlace_data();
    void readOnlyFolderIsWrittenInPlace();
};

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TextFileFont fontOf(const QString &family, qreal points, const QColor &color)
{
    QFont font(family);
    font.setPointSizeF(points);
    return {font, color, 0};
}

} // namespace

void TestTextFileWriter::plainTextBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ANSI: no mark, CR LF after the last line") << u"Grüße\r\nZeile 2"_s << 1
                                                              << QByteArray("Gr\xFC\xDF"
                                                                            "e\r\nZeile 2\r\n");
    QTest::newRow("ANSI: substitutes outside Windows-1252") << u"Łódź → €"_s << 1
                                                            << QByteArray("L\xF3"
                                                                          "dz ? \x80\r\n");
    QTest::newRow("ANSI: lone CR and LF become CR LF")
        << u"a\rb\nc\r\n"_s << 1 << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("UTF-16: FF FE, then little endian")
        << u"ä\n→"_s << 2 << QByteArray("\xFF\xFE\xE4\x00\r\x00\n\x00\x92\x21\r\x00\n\x00", 14);
    QTest::newRow("UTF-16: characters beyond the plane")
        << u"😀"_s << 2 << QByteArray("\xFF\xFE\x3D\xD8\x00\xDE\r\x00\n\x00", 10);
    QTest::newRow("UTF-8: EF BB BF") << u"ő"_s << 4 << QByteArray("\xEF\xBB\xBF\xC5\x91\r\n");
    QTest::newRow("empty ANSI text") << QString() << 1 << QByteArray();
    QTest::newRow("empty UTF-16 text") << QString() << 2 << QByteArray("\xFF\xFE");
}

void TestTextFileWriter::plainTextBytes()
{
    QFETCH(QString, text);
    QFETCH(int, format);
    QFETCH(QByteArray, bytes);
    QCOMPARE(textFileBytes(text, TextFileFormat(format)), bytes);
}

void TestTextFileWriter::richTextBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<TextFileFont>>("font");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray start = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
    TextFileFont bold = fontOf(u"Arial"_s, 12, Qt::red);
    bold.font.setBold(true);
    QTest::newRow("bold red Arial, escapes")
        << u"Grün {x} \\ 1\n→😀\t.\n\n  zwei"_s << std::optional(bold)
        << start
            + "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\r\n"
              "\\pard\\plain\\f0\\fs24\\cf1\\b Gr\\u252\\'fcn \\{x\\} \\\\ 1\\par\r\n"
              "\\u8594\\'3f\\u-10179\\'3f\\u-8704\\'3f\\tab .\\par\r\n\\par\r\n  "
              "zwei\\par\r\n}\r\n";
    TextFileFont styled = fontOf(u"Liberation Serif"_s, 14.5, QColor(0, 0, 128));
    styled.font.setItalic(true);
    styled.font.setUnderline(true);
    styled.font.setStrikeOut(true);
    styled.charSet = 238;
    QTest::newRow("half points, italic, underline, strike-out, character set")
        << u"x"_s << std::optional(styled)
        << start
            + "{\\fonttbl{\\f0\\fnil\\fcharset238 Liberation Serif;}}"
              "{\\colortbl;\\red0\\green0\\blue128;}\r\n"
              "\\pard\\plain\\f0\\fs29\\cf1\\i\\ul\\strike x\\par\r\n}\r\n";
    QTest::newRow("without a font")
        << u"a"_s << std::optional<TextFileFont>()
        << start + "{\\fonttbl{\\f0\\fnil Arial;}}\r\n\\pard a\\par\r\n}\r\n";
}

void TestTextFileWriter::richTextBytes()
{
    QFETCH(QString, text);
    QFETCH(std::optional<TextFileFont>, font);
    QFETCH(QByteArray, bytes);
    QCOMPARE(textFileBytes(text, TextFileFormat::RichText, font), bytes);
}

void TestTextFileWriter::savedRichTextReadsBackInAReader()
{
#ifdef Q_OS_WIN
    QSKIP("unrtf reads the file back on Linux");
#endif
    const QString unrtf = QStandardPaths::findExecutable(u"unrtf"_s);
    if (unrtf.isEmpty())
        QFAIL("unrtf is missing; scripts/install-packages.sh --tests installs it");
    const QStringList lines{u"Name: Müller-Łukasiewicz"_s, u"Kommentar: Grüße {aus} C:\\Öl"_s,
        QString(), u"[Ein Pfeil → und ein Gesicht 😀, €, „Anführung“]"_s, u"<--------------->"_s};
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bericht.rtf"_s);
    TextFileFont font = fontOf(u"Liberation Serif"_s, 16, QColor(0, 128, 0));
    font.font.setBold(true);
    saveTextFile(path, joinLines(lines), TextFileFormat::RichText, font);

    QProcess reader;
    reader.start(unrtf, {u"--html"_s, path});
    QVERIFY(reader.waitForFinished(10000));
    QCOMPARE(reader.exitCode(), 0);
    const QString html = QString::fromUtf8(reader.readAllStandardOutput());
    QVERIFY2(html.contains(u"face=\"Liberation Serif\""_s), qPrintable(html));
    QVERIFY2(html.contains(u"color=\"#008000\""_s), qPrintable(html));
    QVERIFY2(html.contains(u"<b>"_s), qPrintable(html));
    QTextDocument shown;
    shown.setHtml(html);
    QCOMPARE(splitLines(shown.toPlainText()), lines);
}

void TestTextFileWriter::saveReplacesAtomically()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bericht.txt"_s);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("ein viel längerer alter Inhalt, der ganz ersetzt werden muss");
    old.close();
    saveTextFile(path, u"neu"_s, TextFileFormat::Utf16);
    QCOMPARE(readAll(path), QByteArray("\xFF\xFEn\0e\0u\0\r\0\n\0", 12));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"bericht.txt"_s});
}

void TestTextFileWriter::failedSaveLeavesNothing_data()
{
    QTest::addColumn<bool>("readOnlyFile");
    QTest::newRow("missing folder") << false;
    QTest::newRow("write-protected file") << true;
}

void TestTextFileWriter::failedSaveLeavesNothing()
{
    QFETCH(bool, readOnlyFile);
    QTemporaryDir dir;
    const QString path = dir.filePath(readOnlyFile ? u"alt.rtf"_s : u"fehlt/bericht.rtf"_s);
    if (readOnlyFile) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("alt");
        old.close();
        QVERIFY(old.setPermissions(QFile::ReadOwner | QFile::ReadGroup));
    }
    try {
        saveTextFile(path, u"neu"_s, TextFileFormat::RichText);
        QFAIL("the save succeeded");
    } catch (const TessaroError &error) {
        QVERIFY2(error.text().startsWith(u"Datei \"%1\" kann nicht erstellt werden. "_s.arg(path)),
            qPrintable(error.text()));
    }
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, readOnlyFile ? QStringList{u"alt.rtf"_s} : QStringList());
    if (readOnlyFile)
        QCOMPARE(readAll(path), QByteArray("alt"));
}

void TestTextFileWriter::readOnlyFolderIsWrittenInPlace_data()
{
    QTest::addColumn<int>("sizeLimit"); // 0: none
    QTest::addColumn<bool>("saved");
    QTest::newRow("the new text, also under the file's other link") << 0 << true;
    QTest::newRow("a write failing half-way puts the old text back") << 40 << false;
}

void TestTextFileWriter::readOnlyFolderIsWrittenInPlace()
{
    QFETCH(int, sizeLimit);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"Nur lesen"_s);
    const QString path = folder + u"/bericht.txt"_s;
    const QString link = folder + u"/verknüpft.txt"_s;
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeBytes(path, "alter Bericht"));
    PermissionsObeyed obeyed;
    if (!obeyed.isActive())
        QSKIP("permissions cannot be obeyed here: root without capabilities, or Windows");
    QVERIFY(makeHardLink(path, link));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto writableAgain = qScopeGuard([&] {
        QFile::setPermissions(
            folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });
    const QString text = QString(u'x').repeated(100);
    QString error;
    {
        std::optional<FileSizeLimit> limit;
        if (sizeLimit > 0)
            limit.emplace(sizeLimit);
        try {
            saveTextFile(path, text, TextFileFormat::Ansi);
        } catch (const TessaroError &failure) {
            error = failure.text();
        }
    }
    const QByteArray expected
        = saved ? textFileBytes(text, TextFileFormat::Ansi) : QByteArray("alter Bericht");
    QVERIFY2(error.isEmpty() == saved, qPrintable(error));
    QVERIFY(error.isEmpty()
        || error.startsWith(u"Datei \"%1\" kann nicht erstellt werden. "_s.arg(path)));
    QCOMPARE(readAll(path), expected);
    QCOMPARE(readAll(link), expected);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
        (QStringList{u"bericht.txt"_s, u"verknüpft.txt"_s}));
}

QTEST_GUILESS_MAIN(TestTextFileWriter)
#include "tst_textfilewriter.moc"
