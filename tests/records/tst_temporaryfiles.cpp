#include "records/atomicwrite.h"
#include "records/temporaryfiles.h"

#include "support/filesystemtesting.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

enum class Planted { File, Folder, Link, OtherUsersFile, LockedFile, ChangedAfterTheStart };

} // namespace

class TestTemporaryFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nextWriteRemovesOnlyLeftovers_data();
    void nextWriteRemovesOnlyLeftovers();
};

void TestTemporaryFiles::nextWriteRemovesOnlyLeftovers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("planted");
    QTest::addColumn<bool>("removed");
    const auto row = [](const char *what, const char *name, Planted planted, bool removed) {
        QTest::newRow(what) << QString::fromUtf8(name) << int(planted) << removed;
    };
    // The program's own leftovers: every name its writes give.
    row("leftover of the file written", ".Anna.dat.szd3q9.tessaro.tmp", Planted::File, true);
    row("leftover of a backup copy", ".Bert.dat.bak.0.tessaro.tmp", Planted::File, true);
    row("leftover of a saved report", ".Bericht 1.rtf.1z141z3.tessaro.tmp", Planted::File, true);
    // Look-alikes: a user's files, or the program's names in a state no leftover has.
    row("the mark missing", ".Anna.dat.szd3q9.tmp", Planted::File, false);
    row("upper-case random part", ".Anna.dat.SZD3Q9.tessaro.tmp", Planted::File, false);
    row("random part too long", ".Anna.dat.szd3q9ab.tessaro.tmp", Planted::File, false);
    row("random part beyond 32 bits", ".Anna.dat.1z141z4.tessaro.tmp", Planted::File, false);
    row("no leading dot", "Anna.dat.szd3q9.tessaro.tmp", Planted::File, false);
    row("no name", "..szd3q9.tessaro.tmp", Planted::File, false);
    row("something after the mark", ".Anna.dat.szd3q9.tessaro.tmp.txt", Planted::File, false);
    row("a folder", ".Anna.dat.k2.tessaro.tmp", Planted::Folder, false);
    row("a link", ".Anna.dat.k3.tessaro.tmp", Planted::Link, false);
    row("another user's file", ".Anna.dat.k4.tessaro.tmp", Planted::OtherUsersFile, false);
    row("locked: another copy is writing it", ".Anna.dat.k5.tessaro.tmp", Planted::LockedFile,
        false);
    row("changed after the write began", ".Anna.dat.k6.tessaro.tmp", Planted::ChangedAfterTheStart,
        false);
}

void TestTemporaryFiles::nextWriteRemovesOnlyLeftovers()
{
    QFETCH(QString, name);
    QFETCH(int, planted);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const Planted how = Planted(planted);
    if (how == Planted::Folder)
        QVERIFY(QDir().mkpath(path));
    else if (how == Planted::Link && !makeSymbolicLink(u"Anna.dat"_s, path))
        QSKIP("this user cannot make a symbolic link");
    else if (how != Planted::Link)
        QVERIFY(writeBytes(path, "halb geschrieben"));
    if (how == Planted::OtherUsersFile && !giveToAnotherUser(path))
        QSKIP("only root can give a file to another user");
    // Left by an interrupted write a minute ago, or changed an hour from now.
    QVERIFY(setModificationTime(path,
        QDateTime::currentDateTime().addSecs(how == Planted::ChangedAfterTheStart ? 3600 : -60)));
    std::optional<WriterHold> writer;
    if (how == Planted::LockedFile)
        QVERIFY(writer.emplace(path).isHeld());

    QCOMPARE(
        isTemporaryFileName(QFile::encodeName(name)), planted != int(Planted::File) || removed);
    writeFileAtomically(dir.filePath(u"Anna.dat"_s), "neu");
    writer.reset();

    QCOMPARE(QFileInfo::exists(path) || QFileInfo(path).isSymLink(), !removed);
    QCOMPARE(readBytes(dir.filePath(u"Anna.dat"_s)), QByteArray("neu"));
    QStringList left
        = QDir(dir.path())
              .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    left.removeOne(name);
    QCOMPARE(left, QStringList{u"Anna.dat"_s});
}

QTEST_GUILESS_MAIN(TestTemporaryFiles)
#include "tst_temporaryfiles.moc"
