#include "app/editorsearch.h"
#include "app/helptexts.h"
#include "app/updatefile.h"

#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes, QFile::Permissions permissions)
{
    return writeBytes(path, bytes) && QFile::setPermissions(path, permissions);
}

constexpr QFile::Permissions kExecutable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions kReadOnly = QFile::ReadOwner;

} // namespace

class TestHelpFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void updateFileBytes_data();
    void updateFileBytes();
    void updateFileReplacesWhatIsThere_data();
    void updateFileReplacesWhatIsThere();
    void pathSearch_data();
    void pathSearch();
    void editorSearchOrder();
    void editorTitles_data();
    void editorTitles();
    void aboutTextAndAddresses();

private:
    QString path(const QString &name) const { return m_dir->path() + u'/' + name; }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestHelpFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestHelpFiles::updateFileBytes_data()
{
    QTest::addColumn<UpdateInfo>("info");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("no participant open")
        << UpdateInfo{u"KeinName - Tessaro V1.01"_s, u"/opt/tessaro/tessaro"_s, 12, u"Arial"_s}
        << "Tessaro V1.01\r\nKeinName - Tessaro V1.01\r\n/opt/tessaro/tessaro\r\nTessaro\r\n"
           "12 Arial\r\n"_ba;
    QTest::newRow("Windows-1252, blanks kept")
        << UpdateInfo{u"Jürgen - Tessaro V1.01"_s, u"/home/a b/Programme/tessaro"_s, 20,
               u"DejaVu Sans"_s}
        << "Tessaro V1.01\r\nJ\xfcrgen - Tessaro V1.01\r\n/home/a b/Programme/tessaro\r\n"
           "Tessaro\r\n20 DejaVu Sans\r\n"_ba;
    QTest::newRow("a line break in a file's name: still five lines")
        << UpdateInfo{u"An\nna\r - Tessaro V1.01"_s, u"/opt/t"_s, 12, u"Arial"_s}
        << "Tessaro V1.01\r\nAn na  - Tessaro V1.01\r\n/opt/t\r\nTessaro\r\n12 Arial\r\n"_ba;
}

void TestHelpFiles::updateFileBytes()
{
    QFETCH(UpdateInfo, info);
    QFETCH(QByteArray, bytes);
    QCOMPARE(::updateFileBytes(info), bytes);
}

void TestHelpFiles::updateFileReplacesWhatIsThere_data()
{
    QTest::addColumn<QString>("inPlace");
    QTest::addColumn<bool>("written");

    QTest::newRow("nothing") << u"nothing"_s << true;
    QTest::newRow("a read-only file") << u"read-only"_s << true;
    // In a shared temporary folder a link could point at any file of the user.
    QTest::newRow("a link, which is replaced and never followed") << u"link"_s << true;
    QTest::newRow("a folder") << u"folder"_s << false;
}

void TestHelpFiles::updateFileReplacesWhatIsThere()
{
    QFETCH(QString, inPlace);
    QFETCH(bool, written);
    const QString file = path(u"Tessaro.cfg"_s);
    const QString other = path(u"Anna.dat"_s);
    QVERIFY(writeFile(other, "data", kReadOnly));
    if (inPlace == u"read-only")
        QVERIFY(writeFile(file, "old", kReadOnly));
    else if (inPlace == u"link")
        QVERIFY(QFile::link(other, file));
    else if (inPlace == u"folder")
        QVERIFY(QDir().mkdir(file));

    QCOMPARE(writeUpdateFile(file, "new\r\n"), written);
    QCOMPARE(readBytes(other), "data"_ba);
    if (written) {
        QCOMPARE(readBytes(file), "new\r\n"_ba);
        QVERIFY(!QFileInfo(file).isSymLink());
        QVERIFY(QFileInfo(file).permissions() & QFile::WriteOwner);
        // Every use writes it again.
        QVERIFY(writeUpdateFile(file, "newer\r\n"));
        QCOMPARE(readBytes(file), "newer\r\n"_ba);
    }
}

void TestHelpFiles::pathSearch_data()
{
    QTest::addColumn<QString>("pathList");
    QTest::addColumn<QString>("found");

    QTest::newRow("first folder holding it") << u"@/empty:@/a:@/b"_s << u"@/a/gedit"_s;
    QTest::newRow("a folder of that name is no program") << u"@/folder:@/b"_s << u"@/b/gedit"_s;
    QTest::newRow("a file that cannot run is no program")
        << u"@/notexecutable:@/b"_s << u"@/b/gedit"_s;
    QTest::newRow("empty and relative entries never count") << u"::.:a:@/b"_s << u"@/b/gedit"_s;
    QTest::newRow("none") << u"@/empty"_s << QString();
    QTest::newRow("no path") << QString() << QString();
}

void TestHelpFiles::pathSearch()
{
    QFETCH(QString, pathList);
    QFETCH(QString, found);
    for (const QString &folder :
        {u"empty"_s, u"a"_s, u"b"_s, u"folder/gedit"_s, u"notexecutable"_s})
        QVERIFY(QDir().mkpath(path(folder)));
    QVERIFY(writeFile(path(u"a/gedit"_s), "#!/bin/sh\n", kExecutable));
    QVERIFY(writeFile(path(u"b/gedit"_s), "#!/bin/sh\n", kExecutable));
    QVERIFY(writeFile(path(u"notexecutable/gedit"_s), "#!/bin/sh\n", kReadOnly));
    // From here the relative entry "a" would find a/gedit.
    QDir::setCurrent(m_dir->path());
    QCOMPARE(findOnPath(u"gedit"_s, QString(pathList).replace(u'@', m_dir->path())),
        QString(found).replace(u'@', m_dir->path()));
}

void TestHelpFiles::editorSearchOrder()
{
    QCOMPARE(knownTextEditors(),
        (QStringList{u"gnome-text-editor"_s, u"gedit"_s, u"pluma"_s, u"xed"_s, u"mousepad"_s,
            u"kwrite"_s, u"kate"_s, u"featherpad"_s}));
    QVERIFY(QDir().mkpath(path(u"early"_s)));
    QVERIFY(QDir().mkpath(path(u"late"_s)));
    QVERIFY(writeFile(path(u"early/kate"_s), "#!/bin/sh\n", kExecutable));
    QVERIFY(writeFile(path(u"late/mousepad"_s), "#!/bin/sh\n", kExecutable));
    const QString pathList = path(u"early"_s) + u':' + path(u"late"_s);
    const QString history = u"/opt/mein Programm/History.txt"_s;

    // The editor's place in the list counts, not its folder's place on the path.
    QCOMPARE(editorLaunch(history, pathList), (EditorLaunch{path(u"late/mousepad"_s), {history}}));
    QVERIFY(QFile::remove(path(u"late/mousepad"_s)));
    QCOMPARE(editorLaunch(history, pathList), (EditorLaunch{path(u"early/kate"_s), {history}}));
    QVERIFY(QFile::remove(path(u"early/kate"_s)));
    QVERIFY(!editorLaunch(history, pathList));
}

void TestHelpFiles::editorTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("shows");

    QTest::newRow("gedit") << u"History.txt (~/tessaro) - gedit"_s << true;
    QTest::newRow("mousepad, changed") << u"*History.txt - Mousepad"_s << true;
    QTest::newRow("kwrite") << u"History.txt — KWrite"_s << true;
    QTest::newRow("the name alone") << u"History.txt"_s << true;
    QTest::newRow("another file") << u"History.txt.bak - gedit"_s << false;
    QTest::newRow("the name later in the title") << u"Neu - History.txt"_s << false;
    QTest::newRow("letter case counts") << u"history.txt - gedit"_s << false;
}

void TestHelpFiles::editorTitles()
{
    QFETCH(QString, title);
    QFETCH(bool, shows);
    QCOMPARE(titleShowsFile(title, u"History.txt"_s), shows);
}

void TestHelpFiles::aboutTextAndAddresses()
{
    const MakerContact none;
    QCOMPARE(aboutText(none),
        u"Tessaro V1.01\r\nDieses Programm verwaltet an- und abwesende Schüler und kann sie "
        "auswerten.\r\nDieses Programm wurde mit C++20 und Qt " QT_VERSION_STR " programmiert."_s);
    QVERIFY(homepageUrl(none).isEmpty() && donationUrl(none).isEmpty() && mailUrl(none).isEmpty());

    const MakerContact maker{{u"Schule am Berg"_s, u"Wien"_s}, u"https://example.org/tessaro"_s,
        u"tessaro@example.org"_s, QString()};
    QVERIFY(aboutText(maker).contains(u"auswerten.\r\nSchule am Berg\r\nWien\r\nDieses"_s));
    QCOMPARE(homepageUrl(maker).toString(), u"https://example.org/tessaro"_s);
    QCOMPARE(donationUrl(maker).toString(), u"https://example.org/tessaro/spenden.htm"_s);
    QCOMPARE(mailUrl(maker).toEncoded(), "mailto:tessaro@example.org?subject=Tessaro%20V1.01"_ba);
    MakerContact ownDonationPage = maker;
    ownDonationPage.donationPage = u"https://example.org/geben"_s;
    QCOMPARE(donationUrl(ownDonationPage).toString(), u"https://example.org/geben"_s);
}

QTEST_GUILESS_MAIN(TestHelpFiles)
#include "tst_helpfiles.moc"
