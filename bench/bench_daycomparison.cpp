// The day comparison a restore makes before it copies anything (findLosses), over a data folder of
// 1,000 participants of 1,000 days, beside reading both sides' bytes in the same run. The medium
// holds each participant either with one day more than the data folder (a newer backup: nothing
// would be lost, argument 0) or without the data folder's newest day (an older backup: one day of
// each would be lost, argument 1).

#include "benchdata.h"
#include "ratioreporter.h"

#include "backup/backuprun.h"
#include "records/datafolder.h"
#include "records/filereading.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList &fileNames()
{
    static const QStringList names = participantFileNames(participantFolder());
    return names;
}

// The medium's folder of that kind, written once; ends in "/".
const QString &mediumFolder(int older)
{
    static QTemporaryDir dirs[2];
    static QString folders[2];
    if (folders[older].isEmpty()) {
        const QByteArray separator = "<--------------->\r\n";
        for (const QString &name : fileNames()) {
            const QByteArray bytes = readWholeFile(participantFolder() + name);
            const qsizetype days = bytes.indexOf('\n') + 1;
            const QByteArray medium = older
                ? bytes.left(days) + bytes.sliced(bytes.indexOf(separator) + separator.size())
                : bytes.left(days) + "Di., 7. J\xE4nner 2025|Neu\r\n1\r\n" + separator
                    + bytes.sliced(days);
            QFile file(dirs[older].filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(medium) != medium.size())
                qFatal("cannot write the benchmark's medium");
        }
        folders[older] = dirs[older].path() + u'/';
    }
    return folders[older];
}

void BM_ReadBothSides(benchmark::State &state)
{
    const QString &medium = mediumFolder(int(state.range(0)));
    for (auto _ : state) {
        qsizetype size = 0;
        for (const QString &name : fileNames())
            size += readWholeFile(participantFolder() + name).size()
                + readWholeFile(medium + name).size();
        benchmark::DoNotOptimize(size);
    }
}

void BM_DayComparison(benchmark::State &state)
{
    const QString &medium = mediumFolder(int(state.range(0)));
    for (auto _ : state) {
        const QList<DayLoss> losses = findLosses(participantFolder(), medium, fileNames());
        if (losses.size() != (state.range(0) ? kFolderParticipants : 0))
            state.SkipWithError("wrong losses");
    }
}

BENCHMARK(BM_ReadBothSides)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayComparison)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(
        std::vector<std::pair<std::string, std::string>>{{"BM_DayComparison", "BM_ReadBothSides"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
