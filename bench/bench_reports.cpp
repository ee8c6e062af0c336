// The reports over large data, each beside a baseline from the same run: the comment overview of
// a data folder of 1,000 participants of 1,000 days beside finding the files and reading the
// first line of each; the all-days report of a participant of 10,000 days, composed from the
// open file's lines, beside reading and splitting that file.

#include "benchdata.h"
#include "ratioreporter.h"

#include "records/linelist.h"
#include "reports/reporttexts.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void BM_CommentOverview(benchmark::State &state)
{
    const QString folder = participantFolder();
    for (auto _ : state) {
        const QString text = commentOverview(folder);
        if (text.count(u"\r\n"_s) != kFolderParticipants)
            state.SkipWithError("wrong overview");
        benchmark::DoNotOptimize(text.size());
    }
}

void BM_ReadAndSplit(benchmark::State &state)
{
    const QString path = participantFileFolder() + participantOf(int(state.range(0))) + u".dat"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(readAndSplit(path));
}

void BM_AllDaysReport(benchmark::State &state)
{
    const int days = int(state.range(0));
    LineList file;
    file.loadFromFile(participantFileFolder() + participantOf(days) + u".dat"_s);
    const ParticipantReportInput input{file.lines(), u"Teilnehmer"_s, u"4b"_s,
        u"Kommentar zum Teilnehmer"_s, 1, days, u"Nein"_s, u"Ja"_s};
    for (auto _ : state) {
        const QString text = participantReport(ReportKind::AllDays, input);
        if (!text.contains(u"Nr.: %1"_s.arg(days == 10000 ? u"10.000"_s : QString::number(days))))
            state.SkipWithError("wrong report");
        benchmark::DoNotOptimize(text.size());
    }
}

BENCHMARK(BM_FirstLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommentOverview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndSplit)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AllDaysReport)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(
        {{"BM_CommentOverview", "BM_FirstLines"}, {"BM_AllDaysReport", "BM_ReadAndSplit"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
