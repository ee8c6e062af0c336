// What the comparison reads: the medium, not the memory the copy was written from.

#include "backup/backuprun.h"

#include "support/testfiles.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/vfs.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray pattern(int size, int offset)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + offset) % 253);
    return bytes;
}

// An ext2 image mounted through a loop device: a medium of its own, whose blocks the test can
// change behind the back of the file system and its page cache.
class LoopVolume
{
public:
    LoopVolume(const QString &folder, qint64 bytes)
        : m_image(folder + u"/medium.img"_s), m_root(folder + u"/medium"_s)
    {
        QFile image(m_image);
        if (!QDir().mkpath(m_root) || !image.open(QIODevice::WriteOnly) || !image.resize(bytes)) {
            m_problem = u"cannot write the image"_s;
            return;
        }
        image.close();
        if (!runTool(u"mkfs.ext2"_s, {u"-q"_s, u"-F"_s, m_image})
            || !runTool(u"mount"_s, {u"-o"_s, u"loop"_s, m_image, m_root}))
            return;
        m_mounted = true;
    }
    ~LoopVolume()
    {
        if (m_mounted)
            ::umount(QFile::encodeName(m_root).constData());
    }
    LoopVolume(const LoopVolume &) = delete;
    LoopVolume &operator=(const LoopVolume &) = delete;

    // Why no volume could be mounted; empty when it is.
    QString problem() const { return m_problem; }
    QString root() const { return m_root; }

    // Changes one byte of the file on the medium itself, where the file system's cache does not
    // see it.
    bool changeOnMedium(const QString &path, qint64 offset)
    {
        const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        constexpr int kExtents = 64;
        alignas(fiemap) char request[sizeof(fiemap) + kExtents * sizeof(fiemap_extent)] = {};
        auto *map = reinterpret_cast<fiemap *>(request);
        map->fm_length = FIEMAP_MAX_OFFSET;
        map->fm_flags = FIEMAP_FLAG_SYNC;
        map->fm_extent_count = kExtents;
        const bool mapped = file >= 0 && ::ioctl(file, FS_IOC_FIEMAP, map) == 0;
        ::close(file);
        const fiemap_extent *extent = nullptr;
        for (quint32 i = 0; mapped && i < map->fm_mapped_extents; ++i) {
            const fiemap_extent &candidate = map->fm_extents[i];
            if (candidate.fe_logical <= quint64(offset)
                && quint64(offset) < candidate.fe_logical + candidate.fe_length)
                extent = &candidate;
        }
        if (!extent)
            return false;
        const int image = ::open(QFile::encodeName(m_image).constData(), O_RDWR);
        const off_t where = off_t(extent->fe_physical + (quint64(offset) - extent->fe_logical));
        char byte = 0;
        const bool changed = ::pread(image, &byte, 1, where) == 1 && (byte = char(~byte), true)
            && ::pwrite(image, &byte, 1, where) == 1;
        ::close(image);
        return changed;
    }

private:
    bool runTool(const QString &name, const QStringList &arguments)
    {
        const QString program
            = QStandardPaths::findExecutable(name, {u"/usr/sbin"_s, u"/sbin"_s, u"/usr/bin"_s});
        QProcess tool;
        if (!program.isEmpty()) {
            tool.start(program, arguments);
            if (tool.waitForFinished(20000) && tool.exitStatus() == QProcess::NormalExit
                && tool.exitCode() == 0)
                return true;
        }
        m_problem = u"%1 failed (%2)"_s.arg(
            name, QString::fromLocal8Bit(tool.readAllStandardError()).trimmed());
        return false;
    }

    QString m_image;
    QString m_root;
    QString m_problem;
    bool m_mounted = false;
};

qint64 bytesReadFromStorage()
{
    QFile io(u"/proc/self/io"_s);
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("read_bytes: "))
            return line.mid(12).toLongLong();
    }
    return -1;
}

} // namespace

class TestMedium : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void comparisonSeesAChangeOnTheMedium();
    void comparisonFetchesTheCopiesFromStorage();
    void fullMediumKeepsTheOldBackup();

private:
    QString dataFolder() const { return m_dir->path() + u"/Daten/"_s; }
    // A loop-mounted volume, or a skip with the reason when this system refuses one.
    std::unique_ptr<LoopVolume> mountVolume(qint64 bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMedium::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(dataFolder()));
}

void TestMedium::cleanup()
{
    m_dir.reset();
}

std::unique_ptr<LoopVolume> TestMedium::mountVolume(qint64 bytes)
{
    auto volume = std::make_unique<LoopVolume>(m_dir->path(), bytes);
    if (!volume->problem().isEmpty()) {
        qWarning("no loop-mounted volume: %s", qPrintable(volume->problem()));
        return nullptr;
    }
    return volume;
}

void TestMedium::comparisonSeesAChangeOnTheMedium()
{
    const std::unique_ptr<LoopVolume> volume = mountVolume(8 << 20);
    if (!volume)
        QSKIP("loop mounts are refused here (they need root and a loop device); "
              "comparisonFetchesTheCopiesFromStorage shows the property instead");
    const QByteArray bytes = pattern(200000, 1);
    QVERIFY(writeBytes(dataFolder() + u"Anna.dat"_s, pattern(5000, 2)));
    QVERIFY(writeBytes(dataFolder() + u"Bert.dat"_s, bytes));
    const QString copy = volume->root() + u"/TsDaten/Bert.dat"_s;

    BackupRun run(BackupDirection::Backup, dataFolder(), volume->root());
    run.beforeComparing = [&] {
        QVERIFY(volume->changeOnMedium(copy, 70000));
        // The file system still shows the bytes it cached when they were written: a comparison
        // that read them would find the copy equal.
        QCOMPARE(readBytes(copy), bytes);
    };
    const RunOutcome outcome = run.run();

    QVERIFY(!outcome.succeeded);
    QCOMPARE(outcome.message,
        u"Fehler beim Vergleichen der Datei \"%1\" mit \"%2\"!\r\nDer Vergleichvorgang wird "
        "abgebrochen."_s.arg(dataFolder() + u"Bert.dat"_s, copy));
}

void TestMedium::comparisonFetchesTheCopiesFromStorage()
{
    struct statfs fileSystem
    {
    };
    QCOMPARE(::statfs(QFile::encodeName(m_dir->path()).constData(), &fileSystem), 0);
    if (fileSystem.f_type == TMPFS_MAGIC || fileSystem.f_type == RAMFS_MAGIC)
        QSKIP("the temporary folder lies in memory, where no medium can be read");
    if (bytesReadFromStorage() < 0)
        QSKIP("this kernel keeps no count of the bytes a process reads from storage");
    const int size = 256 * 1024;
    for (int i = 0; i < 4; ++i)
        QVERIFY(writeBytes(dataFolder() + u"T%1.dat"_s.arg(i), pattern(size, i)));
    const QString root = m_dir->path() + u"/Stick"_s;
    QVERIFY(QDir().mkpath(root));

    // Right after the copy its bytes are in memory; read from there, nothing would be fetched.
    BackupRun run(BackupDirection::Backup, dataFolder(), root);
    qint64 before = -1;
    run.beforeComparing = [&] {
        before = bytesReadFromStorage();
    };
    const RunOutcome outcome = run.run();

    QVERIFY(outcome.succeeded);
    QVERIFY2(bytesReadFromStorage() - before >= 4 * size,
        qPrintable(u"fetched %1 bytes"_s.arg(bytesReadFromStorage() - before)));
}

void TestMedium::fullMediumKeepsTheOldBackup()
{
    const std::unique_ptr<LoopVolume> volume = mountVolume(2 << 20);
    if (!volume)
        QSKIP("loop mounts are refused here (they need root and a loop device); "
              "tst_backup_backuprun shows a copy failing half-way through a file size limit");
    const QString backupFolder = volume->root() + u"/TsDaten/"_s;
    QVERIFY(QDir().mkpath(backupFolder));
    QVERIFY(writeBytes(backupFolder + u"Bert.dat"_s, "alte Sicherung"));
    const QByteArray anna = pattern(100000, 3);
    QVERIFY(writeBytes(dataFolder() + u"Anna.dat"_s, anna));
    QVERIFY(writeBytes(dataFolder() + u"Bert.dat"_s, pattern(3 << 20, 4)));

    BackupRun run(BackupDirection::Backup, dataFolder(), volume->root());
    const RunOutcome outcome = run.run();

    QVERIFY(!outcome.succeeded);
    QCOMPARE(outcome.message,
        u"Fehler beim Kopieren der Datei \"%1\" nach \"%2\"!\r\nDer Kopiervorgang wird "
        "abgebrochen."_s.arg(dataFolder() + u"Bert.dat"_s, backupFolder));
    QCOMPARE(readBytes(backupFolder + u"Bert.dat"_s), QByteArray("alte Sicherung"));
    QCOMPARE(readBytes(backupFolder + u"Anna.dat"_s), anna);
    QCOMPARE(QDir(backupFolder).entryList(QDir::Files | QDir::Hidden),
        (QStringList{u"Anna.dat"_s, u"Bert.dat"_s}));
}

QTEST_GUILESS_MAIN(TestMedium)
#include "tst_medium.moc"
