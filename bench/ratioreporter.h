#ifndef TESSARO_BENCH_RATIOREPORTER_H
#define TESSARO_BENCH_RATIOREPORTER_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

// Prints the usual console table, remembers each run's time, and afterwards prints the ratio
// of each measured operation to its baseline from the same run.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    // Each pair names an operation and the baseline it is compared with, both as the benchmark
    // names without their argument ("BM_Open", "BM_Baseline"); the ratios are printed for every
    // argument both were run with.
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> comparisons);

    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    std::vector<std::pair<std::string, std::string>> m_comparisons;
    std::map<std::string, double> m_nanoseconds; // by full run name
    std::vector<std::string> m_arguments; // in the order first seen
};

#endif
