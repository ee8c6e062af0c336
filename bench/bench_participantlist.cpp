// Listing a data folder of 1,000 participants of 1,000 days each (about 130 MB), as the
// participant list does at every showing, beside a baseline that finds the same files and reads
// the first line of each with QFile::readLine and nothing else.

#include "benchdata.h"
#include "ratioreporter.h"

#include "participants/participantlisting.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void BM_Listing(benchmark::State &state)
{
    const QString folder = participantFolder();
    for (auto _ : state) {
        QStringList classes;
        const QStringList names = listParticipants(folder, QString(), classes);
        if (names.size() != kFolderParticipants || classes.size() != 5)
            state.SkipWithError("wrong listing");
        benchmark::DoNotOptimize(names.size());
    }
}

void BM_ListingOneClass(benchmark::State &state)
{
    const QString folder = participantFolder();
    for (auto _ : state) {
        QStringList classes;
        const QStringList names = listParticipants(folder, u"3a"_s, classes);
        if (names.size() != kFolderParticipants / 5)
            state.SkipWithError("wrong listing");
        benchmark::DoNotOptimize(names.size());
    }
}

BENCHMARK(BM_FirstLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Listing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListingOneClass)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(
        {{"BM_Listing", "BM_FirstLines"}, {"BM_ListingOneClass", "BM_FirstLines"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
