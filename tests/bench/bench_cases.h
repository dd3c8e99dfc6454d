// The benchmark's cases: each with its sizes and the yardstick the summary
// measures it by. The cases are registered with Google Benchmark from this
// table, so that the full runs and the summary cover the same cases.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vitrel::bench {

// What a case's time at its largest size is set against in the summary.
enum class Yardstick {
  kStreamReference,    // the two floors of a pass over the same bytes in memory
  kCopyFileReference,  // a plain copy of the same file
  kPerObject,          // no byte reference: the time per object
  kIsReference,        // a reference itself: its rate in bytes per second
};

struct BenchCase {
  std::string name;  // "BM_MirrorPolygonObject"
  void (*function)(benchmark::State&);
  std::vector<int64_t> sizes;  // ascending; the summary takes the ends
  Yardstick yardstick;
};

const std::vector<BenchCase>& BenchCases();

// The yardstick case of `yardstick` (null for kPerObject and kIsReference):
// for kStreamReference the copy-then-change floor.
const BenchCase* ReferenceOf(Yardstick yardstick);
// The fused-pass floor, the second yardstick of kStreamReference cases.
const BenchCase* FusedReferenceCase();

// Registers every case at every size, in the table's order.
void RegisterBenchCases();

// The cases themselves (mirror_cases.cpp, stream_reference.cpp,
// file_cases.cpp). Each reports items per second and, where the work is
// bound by bytes, bytes per second.
void MirrorPolygonObject(benchmark::State& state);
void StreamReference(benchmark::State& state);
void FusedReference(benchmark::State& state);
void MirrorSpline(benchmark::State& state);
void MirrorLattice(benchmark::State& state);
void MirrorWideGroup(benchmark::State& state);
void MirrorDeepChain(benchmark::State& state);
void MirrorMixedRig(benchmark::State& state);
void UndoRedo(benchmark::State& state);
void ReadScene(benchmark::State& state);
void WriteScene(benchmark::State& state);
void CopyFile(benchmark::State& state);

}  // namespace vitrel::bench
