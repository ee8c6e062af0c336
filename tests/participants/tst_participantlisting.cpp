#include "participants/participantlisting.h"
#include "support/testfiles.h"

#include "records/error.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QStringList upperCasedAll(const QStringList &texts)
{
    QStringList upper;
    for (const QString &text : texts)
        upper.append(upperCased(text));
    return upper;
}

} // namespace

class TestParticipantListing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void equalIgnoringCase_data();
    void equalIgnoringCase();
    void germanOrder_data();
    void germanOrder();
    void lookUp_data();
    void lookUp();
    void pathParts_data();
    void pathParts();
    void classSpelledAsInTheFirstFile_data();
    void classSpelledAsInTheFirstFile();
    void listing_data();
    void listing();
    void missingFolderListsNothing();
    void unreadableFileEndsTheListing();
    void existingParticipant_data();
    void existingParticipant();

private:
    QString folder() const { return m_dir->path() + u'/'; }
    void writeListingFolder();

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestParticipantListing::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestParticipantListing::equalIgnoringCase_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("equal");
    QTest::newRow("umlaut") << u"ä"_s << u"Ä"_s << true;
    QTest::newRow("class") << u"1a"_s << u"1A"_s << true;
    QTest::newRow("sharp s") << u"Straße"_s << u"STRASSE"_s << true;
    QTest::newRow("accent counts") << u"a"_s << u"ä"_s << false;
    QTest::newRow("blank counts") << u"1a"_s << u"1a "_s << false;
    QTest::newRow("empty") << QString() << QString() << true;
}

void TestParticipantListing::equalIgnoringCase()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, equal);
    QCOMPARE(sameIgnoringCase(a, b), equal);
    QCOMPARE(sameIgnoringCase(b, a), equal);
}

void TestParticipantListing::germanOrder_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("case and umlauts ignored") << QStringList{u"Berta"_s, u"anton"_s, u"Äpfel"_s}
                                              << QStringList{u"anton"_s, u"Äpfel"_s, u"Berta"_s};
    QTest::newRow("sharp s beside ss") << QStringList{u"Strauss"_s, u"Straße"_s, u"Strasse"_s}
                                       << QStringList{u"Strasse"_s, u"Straße"_s, u"Strauss"_s};
    // Names equal but for case keep one order whatever order they came in.
    QTest::newRow("ties, one way") << QStringList{u"anna"_s, u"Anna"_s, u"ANNA"_s}
                                   << QStringList{u"ANNA"_s, u"Anna"_s, u"anna"_s};
    QTest::newRow("ties, other way") << QStringList{u"ANNA"_s, u"anna"_s, u"Anna"_s}
                                     << QStringList{u"ANNA"_s, u"Anna"_s, u"anna"_s};
    QTest::newRow("classes") << QStringList{u"2b"_s, u"10a"_s, u"1A"_s, QString()}
                             << QStringList{QString(), u"10a"_s, u"1A"_s, u"2b"_s};
}

void TestParticipantListing::germanOrder()
{
    QFETCH(QStringList, texts);
    QFETCH(QStringList, sorted);
    sortIgnoringCase(texts);
    QCOMPARE(texts, sorted);
}

void TestParticipantListing::lookUp_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    const QStringList names{u"anna"_s, u"Äpfel"_s, u"Anna"_s};
    QTest::newRow("exact match first") << names << u"Anna"_s << 2;
    QTest::newRow("first equal ignoring case") << names << u"ANNA"_s << 0;
    QTest::newRow("umlaut in other case") << names << u"äPFEL"_s << 1;
    QTest::newRow("missing") << names << u"Apfel"_s << -1;
    QTest::newRow("empty text") << names << QString() << -1;
}

void TestParticipantListing::lookUp()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, text);
    QFETCH(int, index);
    QCOMPARE(indexIgnoringCase(texts, text), index);
}

void TestParticipantListing::pathParts_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("file") << u"/d/Tessaro/Anna Berger.dat"_s << u"/d/Tessaro/"_s
                          << u"Anna Berger"_s;
    QTest::newRow("last extension only") << u"/d/A.B.dat"_s << u"/d/"_s << u"A.B"_s;
    QTest::newRow("folder alone") << u"/d/Tessaro/"_s << u"/d/Tessaro/"_s << QString();
    QTest::newRow("dot in the folder") << u"/d.x/Anna"_s << u"/d.x/"_s << u"Anna"_s;
    QTest::newRow("relative") << u"Tessaro/Anna.dat"_s << u"Tessaro/"_s << u"Anna"_s;
    QTest::newRow("no folder") << u"Anna.dat"_s << QString() << u"Anna"_s;
    QTest::newRow("hidden file") << u"/d/.y.dat"_s << u"/d/"_s << u".y"_s;
}

void TestParticipantListing::pathParts()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QCOMPARE(folderPart(path), folder);
    QCOMPARE(participantName(path), name);
}

void TestParticipantListing::classSpelledAsInTheFirstFile_data()
{
    QTest::addColumn<QByteArrayList>("headers");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<bool>>("passes");
    QTest::addColumn<QStringList>("classes");
    QTest::newRow("1a first") << QByteArrayList{"1a|Text\r\n", "1A"} << QString()
                              << QList<bool>{true, true} << QStringList{u"1a"_s};
    QTest::newRow("1A first") << QByteArrayList{"1A", "1a|Text\r\n"} << QString()
                              << QList<bool>{true, true} << QStringList{u"1A"_s};
    QTest::newRow("filter ignores case")
        << QByteArrayList{"1a|x", "2b|y", "1A"} << u"1A"_s << QList<bool>{true, false, true}
        << QStringList{u"1a"_s, u"2b"_s};
    QTest::newRow("vertical tab before the bar") << QByteArrayList{"  2b \vText|x\r\n"} << u"2b"_s
                                                 << QList<bool>{true} << QStringList{u"2b"_s};
    QTest::newRow("file without lines passes every filter")
        << QByteArrayList{"", "\xEF\xBB\xBF"} << u"1a"_s << QList<bool>{true, true}
        << QStringList();
    QTest::newRow("empty class is a class") << QByteArrayList{"\r\n", "|Kommentar"} << u"1a"_s
                                            << QList<bool>{false, false} << QStringList{QString()};
    QTest::newRow("umlaut class") << QByteArrayList{"\xEF\xBB\xBF\xC3\xA4|x", "\xC4"} << QString()
                                  << QList<bool>{true, true} << QStringList{u"ä"_s};
}

void TestParticipantListing::classSpelledAsInTheFirstFile()
{
    QFETCH(QByteArrayList, headers);
    QFETCH(QString, filter);
    QFETCH(QList<bool>, passes);
    QFETCH(QStringList, classes);
    QStringList collected;
    QList<bool> passed;
    for (qsizetype i = 0; i < headers.size(); ++i) {
        const QString path = folder() + u"T%1.dat"_s.arg(i);
        QVERIFY(writeBytes(path, headers.at(i)));
        passed.append(classPasses(path, filter, collected));
    }
    QCOMPARE(passed, passes);
    QCOMPARE(collected, classes);
}

void TestParticipantListing::writeListingFolder()
{
    QVERIFY(writeBytes(folder() + u"Berta.dat"_s, "1A\r\n"));
    QVERIFY(writeBytes(folder() + u"anton.dat"_s, "1a|Text\r\n"));
    QVERIFY(writeBytes(folder() + u"Äpfel.DAT"_s, "  2b \vText|x\r\nTag|\r\n"));
    QVERIFY(writeBytes(folder() + u"A.B.dat"_s, "\r\n"));
    QVERIFY(writeBytes(folder() + u"Leer.dat"_s, ""));
    QVERIFY(writeBytes(folder() + u".y.dat"_s, "3c"));
    QVERIFY(writeBytes(folder() + u".dat"_s, "4d|nur die Klasse"));
    QVERIFY(writeBytes(folder() + u"Anna.dat.bak"_s, "8x"));
    QVERIFY(writeBytes(folder() + u"notiz.txt"_s, "9y"));
    QVERIFY(QDir(folder()).mkdir(u"x.dat"_s));
    QVERIFY(writeBytes(folder() + u"x.dat/Innen.dat"_s, "7z"));
    QVERIFY(QFile::link(folder() + u"x.dat"_s, folder() + u"Verweis.dat"_s));
}

void TestParticipantListing::listing_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("all") << QString()
                         << QStringList{
                                u".y"_s, u"A.B"_s, u"anton"_s, u"Äpfel"_s, u"Berta"_s, u"Leer"_s};
    QTest::newRow("1a") << u"1a"_s << QStringList{u"anton"_s, u"Berta"_s, u"Leer"_s};
    QTest::newRow("1A") << u"1A"_s << QStringList{u"anton"_s, u"Berta"_s, u"Leer"_s};
    QTest::newRow("2B, after a vertical tab") << u"2B"_s << QStringList{u"Äpfel"_s, u"Leer"_s};
    QTest::newRow("hidden file") << u"3c"_s << QStringList{u".y"_s, u"Leer"_s};
    QTest::newRow("class of \".dat\" alone") << u"4d"_s << QStringList{u"Leer"_s};
    QTest::newRow("no such class") << u"5e"_s << QStringList{u"Leer"_s};
}

void TestParticipantListing::listing()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, names);
    writeListingFolder();
    QStringList classes;
    QCOMPARE(listParticipants(folder(), filter, classes), names);
    // "1a" or "1A", whichever file the folder gave first; ".dat" adds its class, "Leer" none.
    QCOMPARE(upperCasedAll(classes), (QStringList{QString(), u"1A"_s, u"2B"_s, u"3C"_s, u"4D"_s}));
}

void TestParticipantListing::missingFolderListsNothing()
{
    QStringList classes{u"alt"_s};
    QCOMPARE(listParticipants(folder() + u"fehlt/"_s, QString(), classes), QStringList());
    QCOMPARE(classes, QStringList{u"alt"_s});
    QCOMPARE(listParticipants(folder(), QString(), classes), QStringList());
}

void TestParticipantListing::unreadableFileEndsTheListing()
{
    QVERIFY(writeBytes(folder() + u"Anna.dat"_s, "1a|x"));
    QVERIFY(writeBytes(folder() + u"Otto.dat"_s, "2b|x"));
    const QString pipe = folder() + u"Zora.dat"_s;
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    // The classes of the files the folder gives before the pipe are kept.
    QStringList before;
    QDirIterator entries(folder(), QDir::Files | QDir::System);
    while (entries.hasNext() && entries.next() != pipe)
        before.append(entries.fileName() == u"Anna.dat" ? u"1a"_s : u"2b"_s);

    QStringList classes;
    try {
        listParticipants(folder(), QString(), classes);
        QFAIL("the pipe was read");
    } catch (const TessaroError &error) {
        QCOMPARE(error.text(),
            u"Datei %1 kann nicht geöffnet werden. Die Datei ist keine gewöhnliche Datei."_s.arg(
                pipe));
    }
    QCOMPARE(classes, before);
}

void TestParticipantListing::existingParticipant_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::optional<QString>>("listed");
    QTest::newRow("other case") << u"berta"_s << std::optional<QString>(u"Berta"_s);
    QTest::newRow("umlaut in other case") << u"äPFEL"_s << std::optional<QString>(u"Äpfel"_s);
    QTest::newRow("hidden by no filter") << u"leer"_s << std::optional<QString>(u"Leer"_s);
    QTest::newRow("name with a dot") << u"a.b"_s << std::optional<QString>(u"A.B"_s);
    QTest::newRow("backup copy is no participant") << u"Anna.dat"_s << std::optional<QString>();
    QTest::newRow("folder is no participant") << u"x"_s << std::optional<QString>();
    QTest::newRow("new name") << u"Otto"_s << std::optional<QString>();
}

void TestParticipantListing::existingParticipant()
{
    QFETCH(QString, name);
    QFETCH(std::optional<QString>, listed);
    writeListingFolder();
    QCOMPARE(::existingParticipant(folder(), name), listed);
}

QTEST_GUILESS_MAIN(TestParticipantListing)
#include "tst_participantlisting.moc"
