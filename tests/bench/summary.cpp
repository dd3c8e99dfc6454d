// The summary: the growth exponent of each case between two sizes, and its
// distance from its reference at the larger one. A growth of 1.00 is linear;
// a case well above it, or far from its reference, is where performance work
// pays.
#include "summary.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench_cases.h"

namespace vitrel::bench {
namespace {

// One case at one size, as the runner measured it.
struct Measure {
  double seconds_per_run = 0;
  double bytes_per_second = 0;
  double items_per_second = 0;
  std::string error;  // why the case could not be measured; empty when it was
};

using MeasureKey = std::pair<std::string, int64_t>;  // case name, size

double CounterOf(const benchmark::BenchmarkReporter::Run& run, const char* name) {
  const auto found = run.counters.find(name);
  return found == run.counters.end() ? 0 : found->second.value;
}

// Keeps every run's figures instead of printing them.
class Collector : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context&) override { return true; }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      Measure& m =
          measures_[{run.run_name.function_name, std::strtoll(run.run_name.args.c_str(), nullptr, 10)}];
      if (run.error_occurred) {
        m.error = run.error_message;
        continue;
      }
      // Of repeated measures, the fastest: what the case costs with the
      // least interference from the rest of the machine.
      const double seconds_per_run = run.real_accumulated_time / static_cast<double>(run.iterations);
      if (m.seconds_per_run > 0 && m.seconds_per_run <= seconds_per_run) continue;
      m.seconds_per_run = seconds_per_run;
      m.bytes_per_second = CounterOf(run, "bytes_per_second");
      m.items_per_second = CounterOf(run, "items_per_second");
    }
  }

  const Measure* Find(const std::string& name, int64_t size) const {
    const auto found = measures_.find({name, size});
    return found == measures_.end() ? nullptr : &found->second;
  }

 private:
  std::map<MeasureKey, Measure> measures_;
};

std::pair<int64_t, int64_t> SizesOf(const BenchCase& c, SummarySizes which) {
  if (c.sizes.size() < 2) return {c.sizes.front(), c.sizes.front()};
  return which == SummarySizes::kEnds ? std::pair{c.sizes.front(), c.sizes.back()}
                                      : std::pair{c.sizes[0], c.sizes[1]};
}

// A filter that runs exactly the chosen sizes of every case.
std::string FilterFor(SummarySizes which) {
  std::string filter;
  for (const BenchCase& c : BenchCases()) {
    const auto [small, large] = SizesOf(c, which);
    filter += (filter.empty() ? "^(" : "|") + c.name + "/(" + std::to_string(small) + "|" +
              std::to_string(large) + ")";
  }
  // Names end with the size or go on with the time's kind ("/real_time").
  return filter + ")(/|$)";
}

// A duration in the unit that shows it best: "12.3 us", "653.7 ms", "1.81 s".
std::string Duration(double seconds) {
  char text[32];
  if (seconds >= 1) {
    std::snprintf(text, sizeof text, "%.3g s", seconds);
  } else if (seconds >= 1e-3) {
    std::snprintf(text, sizeof text, "%.3g ms", seconds * 1e3);
  } else if (seconds >= 1e-6) {
    std::snprintf(text, sizeof text, "%.3g us", seconds * 1e6);
  } else {
    std::snprintf(text, sizeof text, "%.3g ns", seconds * 1e9);
  }
  return text;
}

// What the case's time at its larger size is set against.
std::string Comparison(const BenchCase& c, const Measure& large, const Measure* reference) {
  char text[160];
  switch (c.yardstick) {
    case Yardstick::kIsReference:
      std::snprintf(text, sizeof text, "%.3g GB/s", large.bytes_per_second / 1e9);
      break;
    case Yardstick::kPerObject:
      if (large.items_per_second <= 0) return "no objects counted";
      return Duration(1 / large.items_per_second) + " per object";
    case Yardstick::kStreamReference:
    case Yardstick::kCopyFileReference:
      if (reference == nullptr || !reference->error.empty() || large.bytes_per_second <= 0)
        return "no reference";
      // Time per byte against the reference's: at equal sizes and bytes,
      // simply the ratio of the two times.
      std::snprintf(text, sizeof text, "%.3gx %s per byte",
                    reference->bytes_per_second / large.bytes_per_second,
                    ReferenceOf(c.yardstick)->name.c_str());
      break;
  }
  return text;
}

// The runner's least time per size and its repetitions: every case runs
// again and again for half a second, three times over, and the fastest
// counts, so that both sizes are measured in the same steady state and the
// growth is that of the work, not of the first touch of memory (which on a
// virtual machine can cost more than the work) or of a busy neighbour. The
// quick summary for the tests only shows that every case runs.
std::vector<char*> RunnerArguments(int argc, char** argv, SummarySizes which) {
  static char ends_time[] = "--benchmark_min_time=0.5";
  static char ends_repetitions[] = "--benchmark_repetitions=3";
  static char smallest_time[] = "--benchmark_min_time=0.01";
  std::vector<char*> args = {argv[0]};
  if (which == SummarySizes::kEnds) {
    args.insert(args.end(), {ends_time, ends_repetitions});
  } else {
    args.push_back(smallest_time);
  }
  // Arguments given after the summary's own come later and so win.
  args.insert(args.end(), argv + 1, argv + argc);
  args.push_back(nullptr);
  return args;
}

}  // namespace

int RunSummary(int argc, char** argv, SummarySizes which) {
  std::vector<char*> args = RunnerArguments(argc, argv, which);
  int count = static_cast<int>(args.size()) - 1;
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;
  RegisterBenchCases();
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector, FilterFor(which));
  benchmark::Shutdown();

  int status = 0;
  for (const BenchCase& c : BenchCases()) {
    const auto [small_size, large_size] = SizesOf(c, which);
    const Measure* small = collector.Find(c.name, small_size);
    const Measure* large = collector.Find(c.name, large_size);
    const std::string problem = small == nullptr || large == nullptr ? "did not run"
                                : !small->error.empty()              ? small->error
                                                                     : large->error;
    if (!problem.empty()) {
      std::printf("%-24s not measured: %s\n", c.name.c_str(), problem.c_str());
      status = 1;
      continue;
    }
    const BenchCase* reference_case = ReferenceOf(c.yardstick);
    const Measure* reference =
        reference_case == nullptr
            ? nullptr
            : collector.Find(reference_case->name, SizesOf(*reference_case, which).second);
    const double growth = std::log(large->seconds_per_run / small->seconds_per_run) /
                          std::log(static_cast<double>(large_size) / static_cast<double>(small_size));
    std::printf("%-24s %10s at %-8lld %-38s growth %5.2f from %lld\n", c.name.c_str(),
                Duration(large->seconds_per_run).c_str(), static_cast<long long>(large_size),
                Comparison(c, *large, reference).c_str(), growth, static_cast<long long>(small_size));
  }
  return status;
}

}  // namespace vitrel::bench
