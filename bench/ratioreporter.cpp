#include "ratioreporter.h"

#include <algorithm>
#include <cstdio>

RatioReporter::RatioReporter(std::vector<std::pair<std::string, std::string>> comparisons)
    : m_comparisons(std::move(comparisons))
{ }

void RatioReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.run_type != Run::RT_Iteration)
            continue;
        const std::string name = run.benchmark_name();
        m_nanoseconds[name] = run.GetAdjustedRealTime();
        const auto slash = name.find('/');
        const std::string argument
            = slash == std::string::npos ? std::string() : name.substr(slash);
        if (std::find(m_arguments.begin(), m_arguments.end(), argument) == m_arguments.end())
            m_arguments.push_back(argument);
    }
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\nRatios to the baseline of the same run:\n");
    for (const auto &[operation, baseline] : m_comparisons) {
        for (const std::string &argument : m_arguments) {
            const auto measured = m_nanoseconds.find(operation + argument);
            const auto base = m_nanoseconds.find(baseline + argument);
            if (measured == m_nanoseconds.end() || base == m_nanoseconds.end())
                continue;
            std::printf("  %-40s %6.2f x %s%s\n", (operation + argument).c_str(),
                measured->second / base->second, baseline.c_str(), argument.c_str());
        }
    }
}
