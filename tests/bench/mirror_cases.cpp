// Mirror runs of the plug-in's engine in-process against the stand-in host,
// one case per kind of scene: how the run's time grows with a mesh's, a
// spline's and a lattice's points, with a wide group, a deep chain and a rig
// of every object type, and how long undoing and redoing a run takes. Each
// scene is built once per size; each timed run is taken back with the timer
// paused, so that every iteration does the same work on the same scene and
// the undo history does not grow.
#include <string>

#include "bench_cases.h"
#include "engine_session.h"
#include "scene_builders.h"

namespace vitrel::bench {
namespace {

// The document holding the scene `build` makes at the case's size.
standin::Document& SceneAtSize(benchmark::State& state, const std::string& kind, SceneBuilder build) {
  const int64_t size = state.range(0);
  return EngineSession::Get().SceneFor(kind + "/" + std::to_string(size),
                                       [&](standin::Document& doc) { build(doc, size); });
}

int64_t CountObjects(const standin::Document& doc) {
  int64_t count = 0;
  for (const standin::Object* op = doc.first(); op != nullptr; op = standin::NextInDocument(op)) ++count;
  return count;
}

// Why the run just made cannot be timed again, or null. The builders place
// every top object at a positive x: a run moves it across the plane.
const char* RunFault(const standin::Document& doc, bool mirrored) {
  if (!EngineSession::Get().EveryChangeRegistered())
    return "the run changed objects it did not register for undo";
  const bool across = doc.first()->data.matrix.off.x < 0;
  if (mirrored && !across) return "the run did not mirror the selected object";
  if (!mirrored && across) return "undo did not take the run back";
  return nullptr;
}

// Times one mirror run per iteration, each taken back by an undo outside
// the timing.
void TimeMirrorRuns(benchmark::State& state, standin::Document& doc) {
  EngineSession& session = EngineSession::Get();
  for (auto _ : state) {
    session.Run();
    state.PauseTiming();
    const char* fault = RunFault(doc, true);
    if (fault == nullptr && !session.Undo()) fault = "the run left nothing to undo";
    if (fault == nullptr) fault = RunFault(doc, false);
    if (fault != nullptr) {
      state.SkipWithError(fault);
      break;
    }
    state.ResumeTiming();
  }
}

void ReportPoints(benchmark::State& state, const standin::Object& op) {
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(op.data.points->size()));
  state.SetBytesProcessed(state.iterations() * GeometryBytes(op));
}

// A mirror run over the scene of `build`, counted as its points.
void TimePointObject(benchmark::State& state, const std::string& kind, SceneBuilder build) {
  standin::Document& doc = SceneAtSize(state, kind, build);
  TimeMirrorRuns(state, doc);
  ReportPoints(state, *doc.first());
}

// A mirror run over the hierarchy of `build`, counted as its objects.
void TimeHierarchy(benchmark::State& state, const std::string& kind, SceneBuilder build) {
  standin::Document& doc = SceneAtSize(state, kind, build);
  TimeMirrorRuns(state, doc);
  state.SetItemsProcessed(state.iterations() * CountObjects(doc));
}

}  // namespace

void MirrorPolygonObject(benchmark::State& state) { TimePointObject(state, "mesh", &BuildQuadMesh); }

void MirrorSpline(benchmark::State& state) { TimePointObject(state, "spline", &BuildSpline); }

void MirrorLattice(benchmark::State& state) { TimePointObject(state, "lattice", &BuildLattice); }

void MirrorWideGroup(benchmark::State& state) { TimeHierarchy(state, "group", &BuildWideGroup); }

void MirrorDeepChain(benchmark::State& state) { TimeHierarchy(state, "chain", &BuildDeepChain); }

void MirrorMixedRig(benchmark::State& state) { TimeHierarchy(state, "rig", &BuildMixedRig); }

void UndoRedo(benchmark::State& state) {
  // The mesh as one run left it: each iteration undoes that run and redoes
  // it, which leaves the scene and its history as they were.
  standin::Document& doc = SceneAtSize(
      state, "mirrored mesh", [](standin::Document & d, int64_t size) -> auto& {
        standin::Object& mesh = BuildQuadMesh(d, size);
        EngineSession::Get().Run();
        return mesh;
      });
  EngineSession& session = EngineSession::Get();
  for (auto _ : state) {
    if (!session.Undo() || !session.Redo()) {
      state.SkipWithError("the mirrored mesh has no run to undo and redo");
      break;
    }
  }
  // The timer stopped with the loop: the check costs the case nothing.
  const char* fault = state.error_occurred() ? nullptr : RunFault(doc, true);
  if (fault != nullptr) state.SkipWithError(fault);
  ReportPoints(state, *doc.first());
}

}  // namespace vitrel::bench
