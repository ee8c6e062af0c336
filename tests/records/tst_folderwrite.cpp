#include "records/error.h"
#include "records/folderwrite.h"

#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum class Before { Missing, AsRead, ChangedMeanwhile };

} // namespace

class TestFolderWrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placingDecidesWhatIsReplaced_data();
    void placingDecidesWhatIsReplaced();
};

void TestFolderWrite::placingDecidesWhatIsReplaced_data()
{
    QTest::addColumn<int>("placing");
    QTest::addColumn<int>("before");
    QTest::addColumn<bool>("placed");
    const auto row
        = [](const char *name, FolderWrite::Placing placing, Before before, bool placed) {
              QTest::newRow(name) << int(placing) << int(before) << placed;
          };
    using Placing = FolderWrite::Placing;
    row("create where the name is free", Placing::Create, Before::Missing, true);
    row("create never replaces a participant", Placing::Create, Before::AsRead, false);
    row("replace a file still as read", Placing::ReplaceUnchanged, Before::AsRead, true);
    row("keep a file another copy changed", Placing::ReplaceUnchanged, Before::ChangedMeanwhile,
        false);
    row("make no file where it went meanwhile", Placing::ReplaceUnchanged, Before::Missing, false);
}

// A refused file leaves its name as it was and the files after it are still put in place; no
// temporary file stays behind. A replaced file keeps its permissions.
void TestFolderWrite::placingDecidesWhatIsReplaced()
{
    QFETCH(int, placing);
    QFETCH(int, before);
    QFETCH(bool, placed);
    QTemporaryDir dir;
    const QString anna = dir.filePath(u"Anna.dat"_s);
    if (Before(before) != Before::Missing) {
        QVERIFY(writeBytes(anna, "alt"));
        QVERIFY(
            QFile::setPermissions(anna, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    }
    FolderWrite write(dir.path());
    write.writeIn(u"Anna.dat"_s, "neu", FolderWrite::Placing(placing), "alt");
    write.writeIn(u"Bert.dat"_s, "Bert", FolderWrite::Placing::Create);
    if (Before(before) == Before::ChangedMeanwhile)
        QVERIFY(writeBytes(anna, "anderswo"));
    const FolderWrite::Commit committed = write.commit(FolderWrite::AfterAFailure::PlaceTheOthers);

    QCOMPARE(committed.placed, (QList<bool>{placed, true}));
    QVERIFY(committed.confirmed);
    const QByteArray expected = placed      ? "neu"
        : Before(before) == Before::Missing ? "<missing>"
        : Before(before) == Before::AsRead  ? "alt"
                                            : "anderswo";
    QCOMPARE(readBytes(anna), expected);
    QCOMPARE(readBytes(dir.filePath(u"Bert.dat"_s)), QByteArray("Bert"));
#ifndef Q_OS_WIN
    // The owner's, group's and others' bits: what the file system keeps.
    const QFile::Permissions kept = QFile::permissions(anna) & QFile::Permissions(0x7077);
    if (placed && Before(before) == Before::AsRead)
        QCOMPARE(kept, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
#endif
    QCOMPARE(QDir(dir.path()).entryList({u"*.tmp"_s}, QDir::Files | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestFolderWrite)
#include "tst_folderwrite.moc"
