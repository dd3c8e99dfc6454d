// The table of cases and their sizes. Sizes grow by about four times a step
// up to what a large production scene holds, so that a cost growing faster
// than the scene shows between neighbouring sizes as well as end to end.
#include "bench_cases.h"

#include <string_view>

namespace vitrel::bench {
namespace {

// Point counts of the meshes and splines: squares, so that a mesh is a full
// grid of quads.
const std::vector<int64_t> kPointCounts = {10'000, 160'000, 1'000'000, 4'000'000};
// Lattices of k x k x k points, about the point counts above.
const std::vector<int64_t> kLatticePoints = {22 * 22 * 22, 34 * 34 * 34,    54 * 54 * 54,
                                             86 * 86 * 86, 137 * 137 * 137, 159 * 159 * 159};
const std::vector<int64_t> kGroupSizes = {1'000, 4'000, 16'000, 64'000, 200'000};
const std::vector<int64_t> kChainDepths = {1'000, 4'000, 16'000, 64'000, 100'000};
const std::vector<int64_t> kRigSizes = {1'000, 4'000, 16'000, 64'000, 200'000};

}  // namespace

const std::vector<BenchCase>& BenchCases() {
  static const std::vector<BenchCase> cases = {
      {"BM_MirrorPolygonObject", &MirrorPolygonObject, kPointCounts, Yardstick::kStreamReference},
      {"BM_StreamReference", &StreamReference, kPointCounts, Yardstick::kIsReference},
      {"BM_FusedReference", &FusedReference, kPointCounts, Yardstick::kIsReference},
      {"BM_MirrorSpline", &MirrorSpline, kPointCounts, Yardstick::kStreamReference},
      {"BM_MirrorLattice", &MirrorLattice, kLatticePoints, Yardstick::kStreamReference},
      {"BM_MirrorWideGroup", &MirrorWideGroup, kGroupSizes, Yardstick::kPerObject},
      {"BM_MirrorDeepChain", &MirrorDeepChain, kChainDepths, Yardstick::kPerObject},
      {"BM_MirrorMixedRig", &MirrorMixedRig, kRigSizes, Yardstick::kPerObject},
      {"BM_UndoRedo", &UndoRedo, kPointCounts, Yardstick::kStreamReference},
      {"BM_ReadScene", &ReadScene, kPointCounts, Yardstick::kCopyFileReference},
      {"BM_WriteScene", &WriteScene, kPointCounts, Yardstick::kCopyFileReference},
      {"BM_CopyFile", &CopyFile, kPointCounts, Yardstick::kIsReference},
  };
  return cases;
}

namespace {

const BenchCase* CaseNamed(std::string_view name) {
  for (const BenchCase& c : BenchCases()) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

}  // namespace

const BenchCase* ReferenceOf(Yardstick yardstick) {
  if (yardstick == Yardstick::kStreamReference) return CaseNamed("BM_StreamReference");
  if (yardstick == Yardstick::kCopyFileReference) return CaseNamed("BM_CopyFile");
  return nullptr;
}

const BenchCase* FusedReferenceCase() { return CaseNamed("BM_FusedReference"); }

void RegisterBenchCases() {
  for (const BenchCase& c : BenchCases()) {
    benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(c.name.c_str(), c.function);
    for (int64_t size : c.sizes) b->Arg(size);
    // Wall-clock time: the file cases wait for the disk, and every case is
    // one thread, so its wall-clock time is what a user waits.
    b->UseRealTime()->Unit(benchmark::kMillisecond);
  }
}

}  // namespace vitrel::bench
