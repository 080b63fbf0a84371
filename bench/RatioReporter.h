#pragma once
// Console output of Google Benchmark followed by a table of ratios between
// pairs of benchmarks of the same run, so results read as "N times the
// baseline" rather than machine-dependent nanoseconds.
//
//   RatioReporter reporter({{"by-name write", "BM_ByName", "BM_Direct", 3.0}});
//   benchmark::RunSpecifiedBenchmarks(&reporter);

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace limn::bench {

struct Ratio {
    std::string label;
    std::string measured;  // benchmark name, with its argument ("BM_Dispatch/10")
    std::string baseline;
    double goal = 0;  // the highest acceptable ratio; 0 when there is none
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::vector<Ratio> ratios);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

protected:
    // Seconds per iteration of a benchmark (CPU time, or wall time for those
    // timed in it), 0 when it did not run.
    [[nodiscard]] double secondsOf(const std::string& name) const;

private:
    std::vector<Ratio> ratios_;
    std::map<std::string, double> medians_;
    std::map<std::string, double> fastest_;
};

}  // namespace limn::bench
