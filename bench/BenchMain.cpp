// Runs the benchmarks and prints, for each measured operation, how it compares with the plain
// file work it is built on ("<name>" against "<name>/plain").
#include "bench/InstallBench.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void PrintRatios() const
    {
        std::printf("\n");
        for (const auto& [name, time] : m_times) {
            const auto slash = name.find("/plain");
            if (slash == std::string::npos)
                continue;
            const std::string measured = name.substr(0, slash) + name.substr(slash + 6);
            const auto found = m_times.find(measured);
            if (found != m_times.end() && time > 0)
                std::printf("%-45s %6.2f x the plain file work\n", measured.c_str(), found->second / time);
        }
        const auto first = m_times.find("FirstStartGunship2000");
        const auto second = m_times.find("SecondStartGunship2000");
        if (first != m_times.end() && second != m_times.end() && first->second > 0)
            std::printf("%-45s %6.2f %% of the first\n", "SecondStartGunship2000",
                        100.0 * second->second / first->second);
    }

private:
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == talvero::kPeakMemoryArgument)
        return talvero::InstallForPeakMemory(argv[2]);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
