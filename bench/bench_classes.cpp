// The roll and the absence summary of a class, each beside a baseline from the same run: the roll
// of 1,000 participants beside storing one new day of each of them one by one as the main window
// does (open, insert, store); the summary of 1,000 participants of 1,000 days beside reading and
// splitting every file's bytes.

#include "benchdata.h"
#include "ratioreporter.h"

#include "records/classroll.h"
#include "records/datafolder.h"
#include "records/participantfile.h"
#include "reports/absencesummary.h"

#include <QDirIterator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const QString kDate = u"Di., 7. Jänner 2025"_s;

// A data folder of 1,000 participants of 100 days each; ends in "/".
const QString &rollFolder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString path = dir.path() + u'/';
        for (int i = 0; i < kFolderParticipants; ++i) {
            LineList file;
            file.setLines(QStringList{u"4b|Kommentar"_s} + dayLines(100));
            file.saveToFile(path + u"Teilnehmer %1.dat"_s.arg(i));
        }
        return path;
    }();
    return folder;
}

QList<RollMark> rollMarks()
{
    QList<RollMark> marks;
    for (int i = 0; i < kFolderParticipants; ++i)
        marks.append({u"Teilnehmer %1"_s.arg(i), i % 10 == 0 ? kAbsent : kPresent, QString()});
    return marks;
}

void BM_StoreOneByOne(benchmark::State &state)
{
    const QString folder = rollFolder();
    const QList<RollMark> marks = rollMarks();
    for (auto _ : state) {
        for (const RollMark &mark : marks) {
            ParticipantFile file;
            file.open(folder, mark.name);
            const DayRecord day{kDate, mark.remark, mark.present, {}};
            file.insertDay(day);
            const Fields header = file.header();
            file.store({file.displayName(), header.first, header.second, day.date, day.remark,
                           day.present, QString()},
                {}, 1, true);
        }
    }
}

void BM_Roll(benchmark::State &state)
{
    const QString folder = rollFolder();
    const QList<RollMark> marks = rollMarks();
    for (auto _ : state) {
        const RollOutcome outcome = storeRoll(folder, kDate, marks);
        if (!outcome.failures.isEmpty())
            state.SkipWithError("the roll failed");
    }
}

void BM_ReadAndSplitAll(benchmark::State &state)
{
    const QString folder = participantFolder();
    for (auto _ : state) {
        qsizetype lines = 0;
        QDirIterator entries(folder, QDir::Files);
        while (entries.hasNext())
            lines += readAndSplit(entries.next());
        benchmark::DoNotOptimize(lines);
    }
}

void BM_AbsenceSummary(benchmark::State &state)
{
    const QString folder = participantFolder();
    const QDate from(2024, 8, 1);
    const QDate to(2025, 7, 31);
    for (auto _ : state) {
        const QList<ParticipantAbsences> participants
            = collectAbsences(folder, QString(), from, to);
        if (participants.size() != kFolderParticipants || participants.first().present != 1000)
            state.SkipWithError("wrong summary");
        benchmark::DoNotOptimize(absenceSummaryText(QString(), from, to, participants).size());
        benchmark::DoNotOptimize(absenceSummaryCsv(participants).size());
    }
}

BENCHMARK(BM_StoreOneByOne)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Roll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadAndSplitAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbsenceSummary)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(
        {{"BM_Roll", "BM_StoreOneByOne"}, {"BM_AbsenceSummary", "BM_ReadAndSplitAll"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
