// Listing a data folder of 1,000 participants of 1,000 days each (about 130 MB), as the
// participant list does at every showing, beside a baseline that finds the same files and reads
// the first line of each with QFile::readLine and nothing else.

#include "ratioreporter.h"

#include "participants/participantlisting.h"
#include "records/dayformat.h"
#include "records/textencoding.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kParticipants = 1000;
constexpr int kDays = 1000;

// The folder, written once: every file the same 1,000 day blocks behind its own header line,
// in ten classes spelled in both letter cases.
const QString &participantFolder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        QStringList days;
        for (int day = 0; day < kDays; ++day) {
            days << u"Mo., 6. Jänner 2025|Bemerkung zum Tag %1"_s.arg(day) << u"1"_s
                 << u"Erste Zeile der Informationen zu diesem Tag"_s
                 << u"Zweite Zeile der Informationen"_s << kSeparatorLine;
        }
        const QByteArray body = encodeText(days.join(u"\r\n"_s) + u"\r\n"_s, TextEncoding::Ansi);
        const QString path = dir.path() + u'/';
        for (int i = 0; i < kParticipants; ++i) {
            const QString schoolClass = u"%1%2"_s.arg(i % 5 + 1).arg(QChar(i % 2 ? u'a' : u'A'));
            const QString name = u"%1 Teilnehmer %2"_s.arg(i % 3 ? u"Äpfel"_s : u"zora"_s).arg(i);
            QFile file(path + name + u".dat"_s);
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write the benchmark folder");
            file.write(
                encodeText(schoolClass + u"|Kommentar zum Teilnehmer\r\n"_s, TextEncoding::Ansi));
            file.write(body);
        }
        return path;
    }();
    return folder;
}

void BM_Baseline(benchmark::State &state)
{
    const QString folder = participantFolder();
    for (auto _ : state) {
        qsizetype total = 0;
        QDirIterator entries(folder, QDir::Files);
        while (entries.hasNext()) {
            QFile file(entries.next());
            if (!file.open(QIODevice::ReadOnly))
                state.SkipWithError("cannot read");
            total += file.readLine().size();
        }
        benchmark::DoNotOptimize(total);
    }
}

void BM_Listing(benchmark::State &state)
{
    const QString folder = participantFolder();
    for (auto _ : state) {
        QStringList classes;
        const QStringList names = listParticipants(folder, QString(), classes);
        if (names.size() != kParticipants || classes.size() != 5)
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
        if (names.size() != kParticipants / 5)
            state.SkipWithError("wrong listing");
        benchmark::DoNotOptimize(names.size());
    }
}

BENCHMARK(BM_Baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Listing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListingOneClass)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"BM_Listing", "BM_Baseline"}, {"BM_ListingOneClass", "BM_Baseline"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
