// The scenes the benchmark measures, built in C++ into a document: each top
// object is selected and placed off the mirror plane, so that a run mirrors
// it and everything below it, and named so that `standin mirror --select`
// finds it in the scene files `vitrel-bench --write-scene` writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "scene/document.h"

namespace vitrel::bench {

// A quad mesh "Mesh" of `points` points on a grid of about sqrt(points)
// columns: one quad for every grid cell, so about as many quads as points.
standin::Object& BuildQuadMesh(standin::Document& doc, int64_t points);
// A spline "Spline" of `points` points, each with its two tangents.
standin::Object& BuildSpline(standin::Document& doc, int64_t points);
// A lattice "Lattice" of k x k x k grid points, k the whole cube root of `points`.
standin::Object& BuildLattice(standin::Document& doc, int64_t points);
// A null "Group" with `children` null children side by side.
standin::Object& BuildWideGroup(standin::Document& doc, int64_t children);
// A chain of `depth` nulls, each the only child of the one before; the top
// one is "Chain".
standin::Object& BuildDeepChain(standin::Document& doc, int64_t depth);
// A null "Rig" holding `objects` objects that cycle over every object type
// the mirror treats (point objects, primitives, generators, deformers,
// forces, lights, cameras, nulls), each with the parameters its handler
// reads, in limbs a few objects deep.
standin::Object& BuildMixedRig(standin::Document& doc, int64_t objects);

// The scene kinds `--write-scene` takes: "mesh", "group", "chain", "rig".
using SceneBuilder = standin::Object& (*)(standin::Document&, int64_t);
std::optional<SceneBuilder> BuilderForKind(std::string_view kind);

// How many bytes of point, tangent and polygon data `op` holds: what a
// mirror must at the least read and write of it.
int64_t GeometryBytes(const standin::Object& op);

}  // namespace vitrel::bench
