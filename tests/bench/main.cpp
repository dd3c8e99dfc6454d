// vitrel-bench: the mirror engine, undo and scene files timed at sizes that
// show how their cost grows with the scene. Without options of its own it is
// a plain Google Benchmark program (--benchmark_filter=... and the rest).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string_view>

#include "bench_cases.h"
#include "summary.h"
#include "write_scene_command.h"

namespace {

void PrintHelp() {
  std::puts(
      "vitrel-bench [--summary | --summary-small] [Google Benchmark options]\n"
      "vitrel-bench --write-scene KIND N FILE\n"
      "\n"
      "  --summary          every case at its smallest and largest size: one line per case with its\n"
      "                     distance from its reference and its growth exponent (1.00 is linear)\n"
      "  --summary-small    the same at the two smallest sizes, in a few seconds\n"
      "  --write-scene      writes the scene a case builds (KIND: mesh, group, chain, rig; N points\n"
      "                     or objects) as a scene file\n");
  benchmark::PrintDefaultHelp();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view first = argc > 1 ? argv[1] : "";
  if (first == "--write-scene") return vitrel::bench::WriteSceneCommand(argc - 2, argv + 2);
  if (first == "--summary-case") {
    argv[1] = argv[0];
    return vitrel::bench::RunSummaryCase(argc - 1, argv + 1);
  }
  if (first == "--summary" || first == "--summary-small") {
    // The summary's option is taken out; the program's name stays first.
    argv[1] = argv[0];
    return vitrel::bench::RunSummary(
        argc - 1, argv + 1,
        first == "--summary" ? vitrel::bench::SummarySizes::kEnds : vitrel::bench::SummarySizes::kSmallest);
  }
  benchmark::Initialize(&argc, argv, PrintHelp);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  vitrel::bench::RegisterBenchCases();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
