// Backing up 1,000 participant files of 100 MB in all, copied and compared with what the medium
// holds, beside the shell's way of doing the same in the same run: one `cp` of all files, one
// `sync`, then `cmp` of every file with its copy, whose cached pages were dropped first so that
// cmp, too, reads the copy back from the medium. Most of that baseline's time goes into starting
// 1,000 cmp processes, so a second, stricter baseline compares in this process instead: `cp`,
// `sync`, and a plain block-by-block read-back of each copy. All start from an empty backup
// folder.

#include "ratioreporter.h"

#include "backup/backuprun.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

extern char **environ;

namespace {

constexpr int kFiles = 1000;
constexpr int kFileSize = 100 * 1024 * 1024 / kFiles;

struct Folders
{
    QTemporaryDir dir;
    QString data;
    QString root;
    QString backup;
    QStringList names;
};

// The data folder, written once with files of random bytes.
const Folders &folders()
{
    static const Folders *made = [] {
        auto *f = new Folders;
        f->data = f->dir.path() + u"/Daten/"_s;
        f->root = f->dir.path() + u"/Stick"_s;
        f->backup = f->root + u"/TsDaten/"_s;
        QDir().mkpath(f->data);
        QDir().mkpath(f->root);
        QRandomGenerator random(12);
        QByteArray bytes(kFileSize, Qt::Uninitialized);
        for (int i = 0; i < kFiles; ++i) {
            random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), kFileSize / 4);
            const QString name = u"Teilnehmer %1.dat"_s.arg(i, 4, 10, QLatin1Char('0'));
            QFile file(f->data + name);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != kFileSize)
                qFatal("cannot write the benchmark folder");
            f->names.append(name);
        }
        return f;
    }();
    return *made;
}

void emptyBackupFolder()
{
    QDir(folders().backup).removeRecursively();
    QDir().mkpath(folders().backup);
    ::sync();
}

// Runs a program found on PATH and waits for it; true when it ended with 0.
bool runProgram(const QList<QByteArray> &arguments)
{
    std::vector<char *> argv;
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void dropCachedPages(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

// One cp of every participant file into the backup folder.
QList<QByteArray> shellCopyCommand(const Folders &f)
{
    QList<QByteArray> copy{"cp", "--"};
    for (const QString &name : f.names)
        copy.append(QFile::encodeName(f.data + name));
    copy.append(QFile::encodeName(f.backup));
    return copy;
}

// The shell's copy into an emptied backup folder and a sync; the emptying is not timed.
bool copyAndSync(benchmark::State &state, const QList<QByteArray> &copy)
{
    state.PauseTiming();
    emptyBackupFolder();
    state.ResumeTiming();
    return runProgram(copy) && runProgram({"sync"});
}

void BM_CpSyncCmp(benchmark::State &state)
{
    const Folders &f = folders();
    const QList<QByteArray> copy = shellCopyCommand(f);
    for (auto _ : state) {
        bool equal = copyAndSync(state, copy);
        for (const QString &name : f.names)
            dropCachedPages(f.backup + name);
        for (const QString &name : f.names) {
            equal = equal
                && runProgram({"cmp", "-s", "--", QFile::encodeName(f.data + name),
                    QFile::encodeName(f.backup + name)});
        }
        if (!equal)
            state.SkipWithError("the shell's copy failed");
    }
}

// The bytes of both files compared in blocks, the copy's cached pages dropped first.
bool readBackEqual(const QString &original, const QString &copy)
{
    dropCachedPages(copy);
    QFile a(original);
    QFile b(copy);
    if (!a.open(QIODevice::ReadOnly | QIODevice::Unbuffered)
        || !b.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    QByteArray blockA(65536, Qt::Uninitialized);
    QByteArray blockB(65536, Qt::Uninitialized);
    for (;;) {
        const qint64 readA = a.read(blockA.data(), blockA.size());
        const qint64 readB = b.read(blockB.data(), blockB.size());
        if (readA != readB || readA < 0 || std::memcmp(blockA.data(), blockB.data(), size_t(readA)))
            return false;
        if (readA == 0)
            return true;
    }
}

void BM_CpSyncReadBack(benchmark::State &state)
{
    const Folders &f = folders();
    const QList<QByteArray> copy = shellCopyCommand(f);
    for (auto _ : state) {
        bool equal = copyAndSync(state, copy);
        for (const QString &name : f.names)
            equal = equal && readBackEqual(f.data + name, f.backup + name);
        if (!equal)
            state.SkipWithError("the shell's copy failed");
    }
}

void BM_BackupRun(benchmark::State &state)
{
    const Folders &f = folders();
    for (auto _ : state) {
        state.PauseTiming();
        emptyBackupFolder();
        state.ResumeTiming();
        BackupRun run(BackupDirection::Backup, f.data, f.root);
        if (!run.run().succeeded)
            state.SkipWithError("the backup failed");
    }
}

BENCHMARK(BM_CpSyncCmp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_CpSyncReadBack)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_BackupRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(
        {{"BM_BackupRun", "BM_CpSyncCmp"}, {"BM_BackupRun", "BM_CpSyncReadBack"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
