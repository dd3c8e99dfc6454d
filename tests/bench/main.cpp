// vitrel-bench: the mirror engine, undo and scene files timed at sizes that
// show how their cost grows with the scene. Without options of its own it is
// a plain Google Benchmark program (--benchmark_filter=... and the rest).
#include <benchmark/benchmark.h>
#include <malloc.h>

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

// Memory a run lets go of is kept for the next, as a host that runs for
// hours keeps it. glibc would otherwise give the top of its heap back after
// every run of a small case and take it again, so every run of the floors
// at 10,000 points paid for fresh pages (3 ms instead of 0.04 ms) and their
// growth exponents were the allocator's. Lists of 32 MiB and more are still
// mapped afresh by every run, as glibc does by default at its largest
// threshold: that cost is real for the largest meshes.
void KeepFreedMemory() {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
}

}  // namespace

int main(int argc, char** argv) {
  KeepFreedMemory();
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
