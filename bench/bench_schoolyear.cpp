// The import of a class list and the year change, each beside plain writes of the same files in
// the same run: importing 1,000 names beside creating their 1,000 files with QFile, and the year
// change of 1,000 participants of 100 days beside reading each file and writing it back with a
// new header line. Each baseline is measured twice: as plain writes only, and with each file
// flushed to disk, as every write of the program is.

#include "benchdata.h"
#include "ratioreporter.h"

#include "participants/participantimport.h"
#include "participants/participantlisting.h"
#include "participants/schoolyear.h"
#include "records/delimitedtext.h"
#include "records/filereading.h"
#include "records/linelist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kNames = 1000;
const QString kDate = u"Di., 7. Jänner 2025"_s;

QString nameOf(int i)
{
    return u"Schüler %1"_s.arg(i);
}

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// A new empty folder for one iteration, ending in "/"; the time to make it is not measured.
QString emptyFolder(benchmark::State &state)
{
    static int made = 0;
    state.PauseTiming();
    const QString folder = scratch().path() + u"/run %1/"_s.arg(++made);
    QDir().mkpath(folder);
    state.ResumeTiming();
    return folder;
}

void dropFolder(benchmark::State &state, const QString &folder)
{
    state.PauseTiming();
    QDir(folder).removeRecursively();
    state.ResumeTiming();
}

bool writePlainly(const QString &path, const QByteArray &bytes, bool flushed)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.flush())
        return false;
    return !flushed || ::fsync(file.handle()) == 0;
}

void plainCreate(benchmark::State &state, bool flushed)
{
    const QByteArray bytes = "4b|\r\n" + kDate.toUtf8() + "\r\n<--------------->\r\n";
    for (auto _ : state) {
        const QString folder = emptyFolder(state);
        for (int i = 0; i < kNames; ++i) {
            if (!writePlainly(folder + nameOf(i) + u".dat"_s, bytes, flushed))
                state.SkipWithError("cannot write");
        }
        dropFolder(state, folder);
    }
}

void BM_PlainCreate(benchmark::State &state)
{
    plainCreate(state, false);
}

void BM_PlainCreateFlushed(benchmark::State &state)
{
    plainCreate(state, true);
}

void BM_Import(benchmark::State &state)
{
    const QString list = scratch().path() + u"/klasse.csv"_s;
    QString text = u"Name;Klasse;Kommentar\r\n"_s;
    for (int i = 0; i < kNames; ++i)
        text += nameOf(i) + u";4b;\r\n"_s;
    writePlainly(list, text.toUtf8(), true);
    for (auto _ : state) {
        const QString folder = emptyFolder(state);
        QStringList classes;
        const ImportPlan plan = planImport(
            decodeDelimitedText(readWholeFile(list)), listParticipants(folder, QString(), classes));
        const ImportOutcome outcome
            = createParticipants(folder, plan.participants, kDate, TextEncoding::Ansi);
        if (outcome.created != kNames)
            state.SkipWithError("the import failed");
        dropFolder(state, folder);
    }
}

// A data folder of 1,000 participants of 100 days, all of the class "4b"; ends in "/".
QString yearFolder(const QString &name)
{
    const QString folder = scratch().path() + u'/' + name + u'/';
    QDir().mkpath(folder);
    LineList file;
    file.setLines(QStringList{u"4b|Kommentar"_s} + dayLines(100));
    const QByteArray bytes = file.toBytes();
    for (int i = 0; i < kFolderParticipants; ++i)
        writePlainly(folder + nameOf(i) + u".dat"_s, bytes, false);
    return folder;
}

void plainHeaderRewrite(benchmark::State &state, bool flushed)
{
    const QString folder = yearFolder(flushed ? u"plain flushed"_s : u"plain"_s);
    QByteArray next = "5b";
    for (auto _ : state) {
        for (const QString &fileName : QDir(folder).entryList(QDir::Files)) {
            QFile file(folder + fileName);
            if (!file.open(QIODevice::ReadOnly))
                state.SkipWithError("cannot read");
            QByteArray bytes = file.readAll();
            file.close();
            bytes.replace(0, bytes.indexOf('|'), next);
            if (!writePlainly(folder + fileName, bytes, flushed))
                state.SkipWithError("cannot write");
        }
        next = next == "5b" ? "4b" : "5b";
    }
}

void BM_PlainHeaderRewrite(benchmark::State &state)
{
    plainHeaderRewrite(state, false);
}

void BM_PlainHeaderRewriteFlushed(benchmark::State &state)
{
    plainHeaderRewrite(state, true);
}

void BM_YearChange(benchmark::State &state)
{
    const QString folder = yearFolder(u"year change"_s);
    QString from = u"4b"_s;
    QString to = u"5b"_s;
    for (auto _ : state) {
        const SchoolYearOutcome outcome
            = changeSchoolYear(folder, SchoolYearChange({{from, to}}), u"Schuljahr 2024-25"_s);
        if (outcome.renamed != kFolderParticipants)
            state.SkipWithError("the year change failed");
        std::swap(from, to);
    }
}

BENCHMARK(BM_PlainCreate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainCreateFlushed)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainHeaderRewrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainHeaderRewriteFlushed)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_YearChange)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"BM_Import", "BM_PlainCreate"}, {"BM_Import", "BM_PlainCreateFlushed"},
        {"BM_YearChange", "BM_PlainHeaderRewrite"},
        {"BM_YearChange", "BM_PlainHeaderRewriteFlushed"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
