// Opening, reading and storing participant files of many days, each beside a baseline that
// reads the same bytes and splits them at line breaks with no further work. Run with the
// default of 1,000 and 10,000 days to see that every operation grows linearly.

#include "ratioreporter.h"

#include "records/participantfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir &benchFolder()
{
    static QTemporaryDir folder;
    return folder;
}

QString folderPath()
{
    return benchFolder().path() + u'/';
}

// A participant of the given number of days, written as the program writes it.
QString participantOf(int days)
{
    const QString name = u"Teilnehmer %1"_s.arg(days);
    const QString path = folderPath() + name + u".dat"_s;
    if (QFile::exists(path))
        return name;
    QStringList lines{u"4b|Kommentar zum Teilnehmer"_s};
    for (int day = 0; day < days; ++day) {
        lines << u"Mo., 6. Jänner 2025|Bemerkung zum Tag %1"_s.arg(day) << u"1"_s
              << u"Erste Zeile der Informationen zu diesem Tag"_s
              << u"Zweite Zeile der Informationen"_s << kSeparatorLine;
    }
    LineList list;
    list.setLines(lines);
    list.saveToFile(path);
    return name;
}

void BM_Baseline(benchmark::State &state)
{
    const QString path = folderPath() + participantOf(int(state.range(0))) + u".dat"_s;
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = file.readAll().split('\n');
        benchmark::DoNotOptimize(lines.size());
    }
}

void BM_Open(benchmark::State &state)
{
    const QString name = participantOf(int(state.range(0)));
    for (auto _ : state) {
        ParticipantFile file;
        file.open(folderPath(), name);
        benchmark::DoNotOptimize(file.dayCount());
        benchmark::DoNotOptimize(file.readDay(1));
    }
}

void BM_ReadLastDay(benchmark::State &state)
{
    ParticipantFile file;
    file.open(folderPath(), participantOf(int(state.range(0))));
    const int last = file.dayCount();
    for (auto _ : state)
        benchmark::DoNotOptimize(file.readDay(last));
}

void BM_Store(benchmark::State &state)
{
    ParticipantFile file;
    file.open(folderPath(), participantOf(int(state.range(0))));
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
