// What a scene picture shows, taken from a document as world-space
// primitives: kept apart from the document, so that a picture of the scene
// as it was can be drawn after the scene changed.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/scene_view.h"
#include "scene/document.h"

namespace standin {

// Primitives refer to points by their index in SceneShapes::points.
struct Edge {
  uint32_t from = 0, to = 0;
};

// A cubic segment of a spline: its end points and the two control points
// between them (each end point plus its tangent).
struct Cubic {
  uint32_t start = 0, start_control = 0, end_control = 0, end = 0;
};

// The placement of an object drawn as axes: its world origin, its world axes
// as unit directions (zero for an axis of length zero) and its name.
struct Tripod {
  Vec3 origin;
  std::array<Vec3, 3> axes;
  uint32_t name_start = 0, name_size = 0;  // in SceneShapes::names
};

struct SceneShapes {
  std::vector<Vec3> points;          // world positions
  std::vector<Edge> mesh_edges;      // polygon objects: every side of every polygon
  std::vector<Edge> lattice_edges;   // lattices: between grid neighbours
  std::vector<Edge> spline_lines;    // spline segments without tangents
  std::vector<Cubic> spline_curves;  // spline segments with tangents
  std::vector<Edge> handle_lines;    // a spline point to the end of one of its tangents
  std::vector<uint32_t> handle_ends;
  std::vector<Tripod> tripods;
  std::string names;
  Box3 bounds;  // every point and tripod origin

  std::string_view NameOf(const Tripod& tripod) const {
    return std::string_view(names).substr(tripod.name_start, tripod.name_size);
  }
};

// The parameters of a lattice that give its grid's point counts along its
// X, Y and Z axes. Its points run with X fastest, then Y, then Z.
inline constexpr int32_t kLatticePointsX = 1001;
inline constexpr int32_t kLatticePointsY = 1002;
inline constexpr int32_t kLatticePointsZ = 1003;

// Everything of `document` in world space: polygon objects' edges, splines
// (cubic where tangents are given, straight otherwise, with their tangent
// handles; splines are drawn open), lattices' grid lines, and a tripod for
// every other object and for a point object that has nothing to draw (no
// polygons, a grid whose counts do not fit its points). Polygon indices
// outside the points are left out. One pass over the document.
SceneShapes CollectShapes(const Document& document);

}  // namespace standin
