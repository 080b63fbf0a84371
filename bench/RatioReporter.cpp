#include "RatioReporter.h"

#include <unistd.h>

#include <cstdio>

namespace limn::bench {

RatioReporter::RatioReporter(std::vector<Ratio> ratios)
    // Colour only on a terminal, so that saved output stays plain text.
    : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular),
      ratios_(std::move(ratios)) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        // The name without repetition or timing suffixes, as the ratios give it.
        const auto& id = run.run_name;
        // Benchmarks timed in wall time (UseRealTime) are compared in it.
        const double time =
            id.time_type.empty() ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
        const double seconds = time / benchmark::GetTimeUnitMultiplier(run.time_unit);
        const std::string name =
            id.args.empty() ? id.function_name : id.function_name + "/" + id.args;
        if (run.run_type == Run::RT_Aggregate) {
            // With repetitions the median stands for the benchmark.
            if (run.aggregate_name == "median") medians_[name] = seconds;
            continue;
        }
        // Without aggregates, keep the fastest repetition: the least disturbed.
        auto [it, added] = fastest_.emplace(name, seconds);
        if (!added && seconds < it->second) it->second = seconds;
    }
}

double RatioReporter::secondsOf(const std::string& name) const {
    if (auto m = medians_.find(name); m != medians_.end()) return m->second;
    if (auto f = fastest_.find(name); f != fastest_.end()) return f->second;
    return 0;
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\n%-58s %9s %9s %7s  %s\n", "ratio (time per iteration)", "measured", "baseline",
                "ratio", "goal");
    for (const Ratio& r : ratios_) {
        const double measured = secondsOf(r.measured);
        const double baseline = secondsOf(r.baseline);
        if (measured <= 0 || baseline <= 0) continue;
        const double ratio = measured / baseline;
        std::string goal = "-";
        if (r.goal > 0) {
            char text[48];
            std::snprintf(text, sizeof text, "<= %.1fx %s", r.goal,
                          ratio <= r.goal ? "met" : "NOT MET");
            goal = text;
        }
        std::printf("%-58s %7.1fns %7.1fns %6.2fx  %s\n", r.label.c_str(), measured * 1e9,
                    baseline * 1e9, ratio, goal.c_str());
    }
    std::fflush(stdout);
}

}  // namespace limn::bench
