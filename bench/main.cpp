// Google Benchmark's main with one addition: after the runs it prints every promised ratio
// (ratios.h) from the medians, so that a comparison is read off in the run that made it.
// CPU time, not wall time: on a shared machine another process's time slices inflate the
// wall clock of whichever benchmark they land in. A ratio whose runs did not both report a
// median (a filter, or no --benchmark_repetitions) is left out.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ratios.h"

namespace zentnet::bench {
namespace {

struct Ratio {
  std::string ours, floor;
  double atMost;
};

std::vector<Ratio>& Ratios() {
  static std::vector<Ratio> ratios;
  return ratios;
}

class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        medians_[run.run_name.str()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }

  // The number of ratios over their target.
  int PrintRatios() const {
    int missed = 0;
    for (const auto& r : Ratios()) {
      const auto ours = medians_.find(r.ours), floor = medians_.find(r.floor);
      if (ours == medians_.end() || floor == medians_.end() || floor->second <= 0) continue;
      const double ratio = ours->second / floor->second;
      const bool met = ratio <= r.atMost;
      missed += met ? 0 : 1;
      std::printf("%-24s / %-24s %6.2f (median CPU time; target: at most %.1f): %s\n",
                  r.ours.c_str(), r.floor.c_str(), ratio, r.atMost, met ? "met" : "MISSED");
    }
    return missed;
  }

 private:
  std::map<std::string, double> medians_;
};

}  // namespace

int AddRatio(std::string ours, std::string floor, double atMost) {
  Ratios().push_back({std::move(ours), std::move(floor), atMost});
  return 0;
}

}  // namespace zentnet::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  zentnet::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.PrintRatios() == 0 ? 0 : 1;
}
