// The memory-bandwidth limit of mirroring a mesh: one pass that reads and
// writes only the bytes a mirror must touch at the least. As undo does, the
// points and polygons are copied once each; then the x of every point is
// negated and every polygon's corners are turned the other way round, in
// place. A mirror run's time against this one's is what the engine and the
// host add on top of moving the data. The copies are made as undo makes
// them (on large pages), so that both pay the same for fresh memory.
#include <vector>

#include "bench_cases.h"
#include "scene/clone.h"
#include "scene/document.h"
#include "scene_builders.h"

namespace vitrel::bench {
void StreamReference(benchmark::State& state) {
  standin::Scene scene;
  standin::Object& mesh = BuildQuadMesh(scene.NewDocument(), state.range(0));
  std::vector<standin::Vec3>& points = *mesh.data.points;
  std::vector<standin::Polygon>& polygons = *mesh.data.polygons;
  for (auto _ : state) {
    // The undo copies, made and let go within the pass as a run's are.
    const auto kept_points = standin::CopyList(mesh.data.points);
    const auto kept_polygons = standin::CopyList(mesh.data.polygons);
    benchmark::DoNotOptimize(kept_points->data());
    benchmark::DoNotOptimize(kept_polygons->data());
    for (standin::Vec3& p : points) p.x = -p.x;
    // The first corner stays; the others go the other way round.
    for (standin::Polygon& q : polygons) q = {q.a, q.d, q.c, q.b};
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
  state.SetBytesProcessed(state.iterations() * GeometryBytes(mesh));
}

}  // namespace vitrel::bench
