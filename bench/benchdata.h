#ifndef TESSARO_BENCH_BENCHDATA_H
#define TESSARO_BENCH_BENCHDATA_H

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

// The participant files the benchmarks measure, written once per run into temporary folders,
// and the baselines they are compared with.

// The lines of that many days, five a day, as the program writes them.
QStringList dayLines(int days);

// The folder of the single participant files, ending in "/".
const QString &participantFileFolder();
// Writes the participant of that many days (header "4b|Kommentar zum Teilnehmer") into that
// folder unless it is there; its name.
QString participantOf(int days);

// A data folder of 1,000 participants of 1,000 days each (about 130 MB), every file the same
// days behind its own header line, in ten class spellings of five classes; ends in "/".
const QString &participantFolder();
inline constexpr int kFolderParticipants = 1000;

// Baseline: the file's bytes split at line feeds; the number of lines.
qsizetype readAndSplit(const QString &path);
// Baseline: finds the folder's files and reads the first line of each with QFile::readLine; the
// total length read.
qsizetype readFirstLines(const QString &folder);
// The benchmark of that baseline over participantFolder(), for the programs that compare with it.
void BM_FirstLines(benchmark::State &state);

#endif
