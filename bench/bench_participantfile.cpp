// Opening, reading and storing participant files of many days, each beside a baseline that
// reads the same bytes and splits them at line breaks with no further work. Run with the
// default of 1,000 and 10,000 days to see that every operation grows linearly.

#include "benchdata.h"
#include "ratioreporter.h"

#include "records/participantfile.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void BM_Baseline(benchmark::State &state)
{
    const QString path = participantFileFolder() + participantOf(int(state.range(0))) + u".dat"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(readAndSplit(path));
}

void BM_Open(benchmark::State &state)
{
    const QString name = participantOf(int(state.range(0)));
    for (auto _ : state) {
        ParticipantFile file;
        file.open(participantFileFolder(), name);
        benchmark::DoNotOptimize(file.dayCount());
        benchmark::DoNotOptimize(file.readDay(1));
    }
}

void BM_ReadLastDay(benchmark::State &state)
{
    ParticipantFile file;
    file.open(participantFileFolder(), participantOf(int(state.range(0))));
    const int last = file.dayCount();
    for (auto _ : state)
        benchmark::DoNotOptimize(file.readDay(last));
}

void BM_Store(benchmark::State &state)
{
    ParticipantFile file;
    file.open(participantFileFolder(), participantOf(int(state.range(0))));
    const DayRecord day = file.readDay(1);
    ShownDay shown{file.displayName(), u"4b"_s, u"Kommentar zum Teilnehmer"_s, day.date, day.remark,
        day.present, day.infoLines.join(u'\n')};
    for (auto _ : state)
        benchmark::DoNotOptimize(file.store(shown, day.infoLines, 1, true));
}

BENCHMARK(BM_Baseline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Open)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadLastDay)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"BM_Open", "BM_Baseline"}, {"BM_ReadLastDay", "BM_Baseline"},
        {"BM_Store", "BM_Baseline"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
