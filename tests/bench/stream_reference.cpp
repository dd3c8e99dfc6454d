// Two floors for mirroring a mesh: passes that read and write only the bytes
// a mirror must touch at the least, and nothing else. A mirror run's time
// against them is what the engine and the host add on top of moving the
// data. Both keep a copy of the points and polygons as undo does (on large
// pages, made and let go within the pass as a run's are), so that they pay
// for fresh memory as a run does.
//
// - BM_StreamReference, the copy-then-change floor: the copies are made
//   first, then the x of every point is negated and every polygon's corners
//   turned the other way round, in place. A plug-in cannot do better: the
//   host copies for undo before the plug-in may change anything.
// - BM_FusedReference, the fused-pass floor: copy and change in one pass,
//   each byte read once. Only a host that let the plug-in write the undo
//   copy itself could reach it; it is what moving the data costs at all.
#include <memory>
#include <new>
#include <span>
#include <type_traits>
#include <vector>

#include "base/large_pages.h"
#include "bench_cases.h"
#include "scene/clone.h"
#include "scene/document.h"
#include "scene_builders.h"

namespace vitrel::bench {
namespace {

// The first corner stays; the others go the other way round.
standin::Polygon Turned(const standin::Polygon& q) { return {q.a, q.d, q.c, q.b}; }

struct FreeRoom {
  void operator()(void* room) const { ::operator delete(room); }
};

// Room for a copy of `list`, on large pages as undo's copies are, not yet
// written: the advice must come before the first write, so the elements are
// not constructed (the points' zero-initialising constructor would touch
// every page first). The lists hold plain values, which the copy creates.
template <typename T>
std::unique_ptr<T[], FreeRoom> FreshCopyRoom(const std::vector<T>& list) {
  static_assert(std::is_trivially_copyable_v<T>);
  std::unique_ptr<T[], FreeRoom> room(static_cast<T*>(::operator new(list.size() * sizeof(T))));
  standin::AdviseLargePages(room.get(), list.size() * sizeof(T));
  return room;
}

void ReportGeometry(benchmark::State& state, const standin::Object& mesh) {
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(mesh.data.points->size()));
  state.SetBytesProcessed(state.iterations() * GeometryBytes(mesh));
}

}  // namespace

void StreamReference(benchmark::State& state) {
  standin::Scene scene;
  standin::Object& mesh = BuildQuadMesh(scene.NewDocument(), state.range(0));
  std::vector<standin::Vec3>& points = *mesh.data.points;
  std::vector<standin::Polygon>& polygons = *mesh.data.polygons;
  for (auto _ : state) {
    const auto kept_points = standin::CopyList(mesh.data.points);
    const auto kept_polygons = standin::CopyList(mesh.data.polygons);
    benchmark::DoNotOptimize(kept_points->data());
    benchmark::DoNotOptimize(kept_polygons->data());
    for (standin::Vec3& p : points) p.x = -p.x;
    for (standin::Polygon& q : polygons) q = Turned(q);
    benchmark::ClobberMemory();
  }
  ReportGeometry(state, mesh);
}

void FusedReference(benchmark::State& state) {
  standin::Scene scene;
  standin::Object& mesh = BuildQuadMesh(scene.NewDocument(), state.range(0));
  std::span<standin::Vec3> points = *mesh.data.points;
  std::span<standin::Polygon> polygons = *mesh.data.polygons;
  for (auto _ : state) {
    const auto kept_points = FreshCopyRoom(*mesh.data.points);
    const auto kept_polygons = FreshCopyRoom(*mesh.data.polygons);
    for (size_t i = 0; i < points.size(); ++i) {
      kept_points[i] = points[i];
      points[i].x = -points[i].x;
    }
    for (size_t i = 0; i < polygons.size(); ++i) {
      kept_polygons[i] = polygons[i];
      polygons[i] = Turned(polygons[i]);
    }
    benchmark::DoNotOptimize(kept_points.get());
    benchmark::DoNotOptimize(kept_polygons.get());
    benchmark::ClobberMemory();
  }
  ReportGeometry(state, mesh);
}

}  // namespace vitrel::bench
