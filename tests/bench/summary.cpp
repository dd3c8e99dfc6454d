// The summary: the growth exponent of each case between two sizes, and its
// distance from its reference at the larger one. A growth of 1.00 is linear;
// a case well above it, or far from its reference, is where performance work
// pays.
//
// Each case at each size runs in a process of its own, exactly as a plain
// run of that one case would. Run one after another in one process, cases
// leave the allocator in states a plain run never sees: after a large case,
// glibc trimmed and regrew its heap at every iteration of a small one, so
// every iteration paid for fresh pages, and the small sizes looked 18 times
// slower than they are.
#include "summary.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
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

// How a case's own process hands its measure, or why there is none, back.
constexpr std::string_view kMeasuredTag = "vitrel-bench measured: ";
constexpr std::string_view kErrorTag = "vitrel-bench not measured: ";

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

// The time per byte of `large` against that of `reference` at the same
// size: simply the ratio of the two times; empty when there is none.
std::string PerByteRatio(const Measure& large, const Measure* reference, const char* name) {
  if (reference == nullptr || !reference->error.empty() || large.bytes_per_second <= 0) return "";
  char text[80];
  std::snprintf(text, sizeof text, "%.3gx %s", reference->bytes_per_second / large.bytes_per_second, name);
  return text;
}

// What the case's time at its larger size is set against. A mesh's mirror
// is set against both floors: the copy-then-change pass (what a plug-in
// can reach, since the host copies for undo first) and the fused pass.
std::string Comparison(const BenchCase& c, const Measure& large, const Measure* reference,
                       const Measure* fused) {
  char text[160];
  switch (c.yardstick) {
    case Yardstick::kIsReference:
      std::snprintf(text, sizeof text, "%.3g GB/s", large.bytes_per_second / 1e9);
      break;
    case Yardstick::kPerObject:
      if (large.items_per_second <= 0) return "no objects counted";
      return Duration(1 / large.items_per_second) + " per object";
    case Yardstick::kStreamReference: {
      const std::string floor = PerByteRatio(large, reference, "copy-then-change");
      const std::string fused_floor = PerByteRatio(large, fused, "fused");
      if (floor.empty() || fused_floor.empty()) return "no reference";
      return floor + ", " + fused_floor + " per byte";
    }
    case Yardstick::kCopyFileReference: {
      const std::string copy = PerByteRatio(large, reference, ReferenceOf(c.yardstick)->name.c_str());
      return copy.empty() ? "no reference" : copy + " per byte";
    }
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

// `text` as one word of a POSIX shell's command line.
std::string ShellWord(std::string_view text) {
  std::string word = "'";
  for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

// The case `run_name` ("BM_MirrorPolygonObject/10000") measured by a
// process of its own, this program run with --summary-case.
Measure MeasureInOwnProcess(const std::string& run_name, const std::vector<char*>& runner_args) {
  Measure m;
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) {
    m.error = "cannot find this program to run the case in a process of its own";
    return m;
  }
  std::string command = ShellWord(std::string_view(self, static_cast<size_t>(length))) + " --summary-case " +
                        ShellWord(run_name);
  for (size_t i = 1; i + 1 < runner_args.size(); ++i) command += " " + ShellWord(runner_args[i]);
  command += " 2>&1";
  std::string output;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char block[4096];
    for (size_t got; (got = std::fread(block, 1, sizeof block, pipe)) > 0;) output.append(block, got);
    const int status = pclose(pipe);
    const size_t at = output.rfind(kMeasuredTag);
    if (status == 0 && at != std::string::npos &&
        std::sscanf(output.c_str() + at + kMeasuredTag.size(), "%lf %lf %lf", &m.seconds_per_run,
                    &m.bytes_per_second, &m.items_per_second) == 3)
      return m;
  }
  const size_t error_at = output.rfind(kErrorTag);
  m.error = error_at != std::string::npos ? output.substr(error_at + kErrorTag.size())
                                          : "its process ended without a measure: " + output;
  while (!m.error.empty() && m.error.back() == '\n') m.error.pop_back();
  return m;
}

}  // namespace

int RunSummaryCase(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string run_name = argv[1];
  argv[1] = argv[0];  // the program's name first, for the runner
  int count = argc - 1;
  benchmark::Initialize(&count, argv + 1);
  if (benchmark::ReportUnrecognizedArguments(count, argv + 1)) return 2;
  RegisterBenchCases();
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector, "^" + run_name + "(/|$)");
  benchmark::Shutdown();
  const size_t slash = run_name.rfind('/');
  const Measure* m = slash == std::string::npos
                         ? nullptr
                         : collector.Find(run_name.substr(0, slash),
                                          std::strtoll(run_name.c_str() + slash + 1, nullptr, 10));
  if (m == nullptr || !m->error.empty()) {
    std::printf("%s%s\n", kErrorTag.data(), m == nullptr ? "no such case" : m->error.c_str());
    return 1;
  }
  std::printf("%s%.17g %.17g %.17g\n", kMeasuredTag.data(), m->seconds_per_run, m->bytes_per_second,
              m->items_per_second);
  return 0;
}

int RunSummary(int argc, char** argv, SummarySizes which) {
  const std::vector<char*> args = RunnerArguments(argc, argv, which);
  std::map<MeasureKey, Measure> measures;
  for (const BenchCase& c : BenchCases()) {
    const auto [small, large] = SizesOf(c, which);
    for (int64_t size : {small, large}) {
      if (!measures.contains({c.name, size}))
        measures[{c.name, size}] = MeasureInOwnProcess(c.name + "/" + std::to_string(size), args);
    }
  }
  const auto find = [&measures](const BenchCase* c, int64_t size) -> const Measure* {
    if (c == nullptr) return nullptr;
    const auto found = measures.find({c->name, size});
    return found == measures.end() ? nullptr : &found->second;
  };

  int status = 0;
  for (const BenchCase& c : BenchCases()) {
    const auto [small_size, large_size] = SizesOf(c, which);
    const Measure* small = find(&c, small_size);
    const Measure* large = find(&c, large_size);
    const std::string problem = !small->error.empty() ? small->error : large->error;
    if (!problem.empty()) {
      std::printf("%-24s not measured: %s\n", c.name.c_str(), problem.c_str());
      status = 1;
      continue;
    }
    const BenchCase* reference = ReferenceOf(c.yardstick);
    const BenchCase* fused = FusedReferenceCase();
    const double growth = std::log(large->seconds_per_run / small->seconds_per_run) /
                          std::log(static_cast<double>(large_size) / static_cast<double>(small_size));
    std::printf("%-24s %10s at %-8lld %-56s growth %5.2f from %lld\n", c.name.c_str(),
                Duration(large->seconds_per_run).c_str(), static_cast<long long>(large_size),
                Comparison(c, *large, find(reference, reference ? SizesOf(*reference, which).second : 0),
                           find(fused, SizesOf(*fused, which).second))
                    .c_str(),
                growth, static_cast<long long>(small_size));
  }
  return status;
}

}  // namespace vitrel::bench
