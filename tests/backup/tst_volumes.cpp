#include "backup/volumes.h"

#include "backup/volumescan.h"

#include "backuptesting.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

using namespace Qt::StringLiterals;

namespace {

enum class Setup {
    NoBackupFolder,
    EmptyBackupFolder,
    BackupFolderWithFile,
    BackupFolderIsAFile,
    MissingRoot,
    NotReady,
    WriteProtectedRoot,
    WriteProtectedBackupFolder,
};

} // namespace

class TestVolumes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listText_data();
    void listText();
    void mountsAreTyped_data();
    void mountsAreTyped();
    void backupFolderIsInTheRoot();
    void qualifying_data();
    void qualifying();
    void lateAnswerTakesThePlaceOfNotAnswering();
};

void TestVolumes::listText_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("remoteName");
    QTest::addColumn<QString>("text");
    const int removable = int(VolumeKind::Removable);
    const int fixed = int(VolumeKind::Fixed);
    const int network = int(VolumeKind::Network);
    QTest::newRow("removable: label as stored, root with a blank")
        << removable << u"/media/anna/Stick 1"_s << u"Stick"_s << QString()
        << u"/media/anna/Stick 1 [Stick]"_s;
    QTest::newRow("removable without label: empty brackets")
        << removable << u"/media/anna/0A1B"_s << QString() << QString() << u"/media/anna/0A1B []"_s;
    QTest::newRow("fixed: label in upper case")
        << fixed << u"/"_s << u"rootfs"_s << QString() << u"/ [ROOTFS]"_s;
    QTest::newRow("fixed: German upper case")
        << fixed << u"/srv"_s << u"Größe"_s << QString() << u"/srv [GRÖSSE]"_s;
    QTest::newRow("fixed without label")
        << fixed << u"/data"_s << QString() << QString() << u"/data []"_s;
    QTest::newRow("network: remote name in upper case")
        << network << u"/mnt/share"_s << u"x"_s << u"//server/Share"_s
        << u"/mnt/share //SERVER/SHARE"_s;
    QTest::newRow("network without remote name: label as for a fixed volume")
        << network << u"/mnt/nas"_s << u"nas"_s << QString() << u"/mnt/nas [NAS]"_s;
}

void TestVolumes::listText()
{
    QFETCH(int, kind);
    QFETCH(QString, root);
    QFETCH(QString, label);
    QFETCH(QString, remoteName);
    QFETCH(QString, text);
    QCOMPARE(volumeListText({root, VolumeKind(kind), label, remoteName, true}), text);
}

void TestVolumes::mountsAreTyped_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("device");
    QTest::addColumn<bool>("removableDevice");
    QTest::addColumn<int>("kind"); // -1: not listed
    QTest::addColumn<QString>("remoteName");
    const int removable = int(VolumeKind::Removable);
    const int fixed = int(VolumeKind::Fixed);
    const int network = int(VolumeKind::Network);
    QTest::newRow("internal disk")
        << u"/"_s << QByteArray("ext4") << QByteArray("/dev/sda1") << false << fixed << QString();
    QTest::newRow("stick with the removable flag")
        << u"/mnt/usb"_s << QByteArray("vfat") << QByteArray("/dev/sdb1") << true << removable
        << QString();
    QTest::newRow("disk the desktop mounted below /media")
        << u"/media/anna/Backup"_s << QByteArray("ext4") << QByteArray("/dev/sdc1") << false
        << removable << QString();
    QTest::newRow("below /run/media") << u"/run/media/anna/X"_s << QByteArray("exfat")
                                      << QByteArray("/dev/sdc1") << false << removable << QString();
    QTest::newRow("nfs") << u"/mnt/share"_s << QByteArray("nfs4") << QByteArray("server:/export")
                         << false << network << u"server:/export"_s;
    QTest::newRow("cifs") << u"/mnt/win"_s << QByteArray("cifs") << QByteArray("//server/share")
                          << false << network << u"//server/share"_s;
    QTest::newRow("sshfs") << u"/home/anna/host"_s << QByteArray("fuse.sshfs")
                           << QByteArray("anna@host:/") << false << network << u"anna@host:/"_s;
    QTest::newRow("tmpfs keeps nothing on a medium")
        << u"/tmp"_s << QByteArray("tmpfs") << QByteArray("tmpfs") << false << -1 << QString();
    QTest::newRow("proc") << u"/proc"_s << QByteArray("proc") << QByteArray("proc") << false << -1
                          << QString();
}

void TestVolumes::mountsAreTyped()
{
    QFETCH(QString, root);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, device);
    QFETCH(bool, removableDevice);
    QFETCH(int, kind);
    QFETCH(QString, remoteName);
    const std::optional<Volume> volume
        = describeMount(root, type, device, u"Label"_s, removableDevice);
    QCOMPARE(volume.has_value(), kind >= 0);
    if (!volume)
        return;
    QCOMPARE(int(volume->kind), kind);
    QCOMPARE(volume->root, root);
    QCOMPARE(volume->label, u"Label"_s);
    QCOMPARE(volume->remoteName, remoteName);
}

void TestVolumes::backupFolderIsInTheRoot()
{
    QCOMPARE(backupFolderOf(u"/"_s), u"/TsDaten/"_s);
    QCOMPARE(backupFolderOf(u"/media/anna/Stick 1"_s), u"/media/anna/Stick 1/TsDaten/"_s);
}

void TestVolumes::qualifying_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<int>("setup");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<bool>("backupFolderAfter");
    const auto row = [](const char *name, bool backup, Setup setup, bool listed, bool after) {
        QTest::newRow(name) << backup << int(setup) << listed << after;
    };
    row("backup: folder created to test, removed again", true, Setup::NoBackupFolder, true, false);
    row("backup: empty backup folder removed", true, Setup::EmptyBackupFolder, true, false);
    row("backup: backup folder with files kept", true, Setup::BackupFolderWithFile, true, true);
    row("backup: volume not ready, left alone", true, Setup::NotReady, false, true);
    row("backup: root gone, not created", true, Setup::MissingRoot, false, false);
    row("backup: write-protected root", true, Setup::WriteProtectedRoot, false, false);
    row("backup: old backup on a write-protected medium", true, Setup::WriteProtectedBackupFolder,
        false, true);
    row("restore: backup folder present", false, Setup::BackupFolderWithFile, true, true);
    row("restore: empty backup folder", false, Setup::EmptyBackupFolder, true, true);
    row("restore: no backup folder", false, Setup::NoBackupFolder, false, false);
    row("restore: a file named like the backup folder", false, Setup::BackupFolderIsAFile, false,
        false);
    row("restore: volume not ready", false, Setup::NotReady, false, true);
}

void TestVolumes::qualifying()
{
    QFETCH(bool, backup);
    QFETCH(int, setup);
    QFETCH(bool, listed);
    QFETCH(bool, backupFolderAfter);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path() + u"/Stick 1"_s;
    const QString folder = root + u"/TsDaten"_s;
    const Setup how = Setup(setup);
    if (how != Setup::MissingRoot)
        QVERIFY(QDir().mkpath(root));
    if (how != Setup::NoBackupFolder && how != Setup::MissingRoot
        && how != Setup::BackupFolderIsAFile && how != Setup::WriteProtectedRoot)
        QVERIFY(QDir().mkpath(folder));
    if (how == Setup::BackupFolderWithFile || how == Setup::WriteProtectedBackupFolder)
        QVERIFY(QFile(folder + u"/Anna.dat"_s).open(QIODevice::WriteOnly));
    if (how == Setup::BackupFolderIsAFile)
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
    const bool writeProtected
        = how == Setup::WriteProtectedRoot || how == Setup::WriteProtectedBackupFolder;
    const QString protectedFolder = how == Setup::WriteProtectedRoot ? root : folder;
    // Writable again at the end, so that the temporary folder can be removed.
    const auto writableAgain = qScopeGuard([&] {
        QFile::setPermissions(protectedFolder,
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });
    if (writeProtected) {
        QVERIFY(
            QFile::setPermissions(protectedFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }

    Volume volume = removableVolume(root, u"STICK"_s);
    volume.ready = how != Setup::NotReady;
    std::optional<VolumeEntry> entry;
    {
        PermissionsObeyed obeyed;
        if (writeProtected && !obeyed.isActive())
            QSKIP("the test runs as root and cannot give up overriding permissions");
        entry
            = qualifyingEntry(volume, backup ? BackupDirection::Backup : BackupDirection::Restore);
    }
    const std::optional<VolumeEntry> expected
        = listed ? std::optional(VolumeEntry{root, root + u" [STICK]"_s}) : std::nullopt;
    QCOMPARE(entry, expected);
    QCOMPARE(QFileInfo(folder).isDir(), backupFolderAfter);
    QCOMPARE(QFileInfo::exists(root), how != Setup::MissingRoot);
}

void TestVolumes::lateAnswerTakesThePlaceOfNotAnswering()
{
    // A volume that answers only when the test lets it, counting how often it is asked.
    class SlowVolumes : public FolderVolumes
    {
    public:
        using FolderVolumes::FolderVolumes;
        Volume ask(const Volume &mount) const override
        {
            ++asked;
            answer.acquire();
            return mount;
        }
        mutable std::atomic<int> asked = 0;
        mutable QSemaphore answer;
    };
    QTemporaryDir dir;
    auto source = std::make_shared<SlowVolumes>(QList<Volume>{removableVolume(dir.path())});
    VolumeScan scan(source);
    QSignalSpy finished(&scan, &VolumeScan::finished);
    scan.start(BackupDirection::Restore);
    // A second scan takes the waiting question's answer instead of asking again.
    scan.start(BackupDirection::Restore);
    QVERIFY(QDir(dir.path()).mkdir(u"TsDaten"_s));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
    QCOMPARE(scan.entries(),
        (QList<VolumeEntry>{{dir.path(), dir.path() + u" antwortet nicht"_s, false}}));
    source->answer.release();
    QTRY_COMPARE(scan.entries(), (QList<VolumeEntry>{{dir.path(), dir.path() + u" []"_s}}));
    QCOMPARE(source->asked, 1);
    QCOMPARE(finished.size(), 1);
}

QTEST_GUILESS_MAIN(TestVolumes)
#include "tst_volumes.moc"
