#include "scene_builders.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "scene/types.h"

namespace vitrel::bench {
namespace {

using standin::Object;
using standin::Vec3;

constexpr int32_t kPolygonObject = 5100;
constexpr int32_t kSplineObject = 5101;
constexpr int32_t kLatticeObject = 5108;
constexpr int32_t kNull = 5140;

// Coordinates with the mix of short and long decimal forms real scenes have,
// so that the scene files are as costly to write and read as real ones.
Vec3 GridPoint(int64_t column, int64_t row, int64_t index) {
  return {static_cast<double>(column) * 0.1 + 0.013, static_cast<double>(row) * 0.37,
          static_cast<double>(index % 13) * 1.1};
}

Object& AddObject(standin::Document& doc, int32_t type, std::string name, Object* parent) {
  Object* op = doc.scene().NewObject(type);
  op->data.name = std::move(name);
  doc.Append(op, parent);
  return *op;
}

// A selected top object off the mirror plane, so that the run moves it.
Object& AddTop(standin::Document& doc, int32_t type, std::string name) {
  Object& top = AddObject(doc, type, std::move(name), nullptr);
  top.data.matrix.off = {1.5, 2, 3};
  top.selected = true;
  return top;
}

int64_t AtLeast(int64_t value, int64_t low) { return std::max(value, low); }

// The mixed rig's parameters: the ids each handler reads, with values that
// make it change something.
void FillRigObject(Object& op, int64_t index) {
  standin::ObjectData& data = op.data;
  data.matrix.off = {1.0 + 0.1 * static_cast<double>(index % 7), 2, 3};
  data.vector = {0.5, 0.25, -1};
  const std::string_view group = standin::HandlerGroup(op.type);
  if (op.type == kPolygonObject) {
    data.points = std::vector<Vec3>{{1, 1, 1}, {2, 1, 1}, {2, 2, 1}, {1, 2, 1}, {1, 1, 2}, {2, 1, 2}};
    data.polygons = std::vector<standin::Polygon>{{0, 1, 2, 3}, {0, 1, 5, 4}, {1, 2, 5, 5}};
  } else if (op.type == kSplineObject) {
    data.points = std::vector<Vec3>{{1, 0, 0}, {2, 1, 0}, {3, 0, 1}};
    data.tangents = std::vector<standin::Tangent>(3, {{-0.5, 0, 0.2}, {0.5, 0, -0.2}});
  } else if (op.type == kLatticeObject) {
    for (int32_t id : {1001, 1002, 1003}) data.params[id] = int32_t{2};
    auto& grid = data.points.emplace();
    for (int i = 0; i < 8; ++i) grid.push_back({(i & 1) + 0.5, double((i >> 1) & 1), double(i >> 2)});
  } else if (group == "primitive") {
    data.params[1300] = static_cast<int32_t>(index % 6);
    data.params[1200] = true;
    data.params[1201] = 1.5;
    data.params[1202] = -0.5;
  } else if (group == "spline-primitive") {
    data.params[2300] = static_cast<int32_t>(index % 3);
  } else if (group == "deformer") {
    data.params[1003] = 0.8;
    data.params[1005] = static_cast<int32_t>(index % 6);
  } else if (group == "particle-force") {
    data.params[5004] = Vec3{1, -2, 0.5};
  } else if (group == "extrude") {
    data.params[1002] = Vec3{3, 1, 2};
  } else if (group == "lathe") {
    data.params[1002] = 1.25;
    data.params[1004] = -2.5;
  } else if (group == "sweep") {
    data.params[1004] = 0.75;
    data.params[1016] = standin::SplineCurve{{{0, 0.25}, {0.5, 0.5}, {1, 0.75}}};
  } else if (group == "array") {
    data.params[1002] = 2.5;
  }
}

// Every type the mirror treats, each once: the point objects, a null, and
// every type the host puts in one of the plug-in's handler groups.
const std::vector<int32_t>& RigTypes() {
  static const std::vector<int32_t> types = [] {
    std::vector<int32_t> all = {kPolygonObject, kSplineObject, kLatticeObject, kNull};
    for (int32_t type = kPolygonObject; type < kPolygonObject + 100; ++type) {
      if (!standin::HandlerGroup(type).empty()) all.push_back(type);
    }
    return all;
  }();
  return types;
}

}  // namespace

Object& BuildQuadMesh(standin::Document& doc, int64_t points) {
  points = AtLeast(points, 1);
  Object& mesh = AddTop(doc, kPolygonObject, "Mesh");
  const int64_t columns = AtLeast(static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(points)))), 1);
  auto& grid = mesh.data.points.emplace();
  grid.reserve(static_cast<size_t>(points));
  for (int64_t i = 0; i < points; ++i) grid.push_back(GridPoint(i % columns, i / columns, i));
  // Quads over the rows that are full; a last partial row only has points.
  const int64_t rows = points / columns;
  auto& quads = mesh.data.polygons.emplace();
  quads.reserve(static_cast<size_t>(AtLeast(rows - 1, 0) * AtLeast(columns - 1, 0)));
  for (int64_t r = 0; r + 1 < rows; ++r) {
    for (int64_t c = 0; c + 1 < columns; ++c) {
      const auto at = [columns](int64_t row, int64_t column) {
        return static_cast<int32_t>(row * columns + column);
      };
      quads.push_back({at(r, c), at(r, c + 1), at(r + 1, c + 1), at(r + 1, c)});
    }
  }
  return mesh;
}

Object& BuildSpline(standin::Document& doc, int64_t points) {
  points = AtLeast(points, 1);
  Object& spline = AddTop(doc, kSplineObject, "Spline");
  auto& knots = spline.data.points.emplace();
  auto& tangents = spline.data.tangents.emplace();
  knots.reserve(static_cast<size_t>(points));
  tangents.reserve(static_cast<size_t>(points));
  for (int64_t i = 0; i < points; ++i) {
    knots.push_back(GridPoint(i, i % 97, i));
    tangents.push_back({{-0.05, 0.013, 0.2}, {0.05, -0.013, -0.2}});
  }
  return spline;
}

Object& BuildLattice(standin::Document& doc, int64_t points) {
  const auto k = static_cast<int32_t>(AtLeast(std::llround(std::cbrt(static_cast<double>(points))), 1));
  Object& lattice = AddTop(doc, kLatticeObject, "Lattice");
  lattice.data.params[1001] = k;
  lattice.data.params[1002] = k;
  lattice.data.params[1003] = k;
  auto& grid = lattice.data.points.emplace();
  grid.reserve(static_cast<size_t>(k) * k * k);
  for (int64_t z = 0; z < k; ++z) {
    for (int64_t y = 0; y < k; ++y) {
      for (int64_t x = 0; x < k; ++x) grid.push_back(GridPoint(x, y, z));
    }
  }
  return lattice;
}

Object& BuildWideGroup(standin::Document& doc, int64_t children) {
  Object& group = AddTop(doc, kNull, "Group");
  for (int64_t i = 0; i < children; ++i) {
    AddObject(doc, kNull, "N" + std::to_string(i), &group).data.matrix.off = GridPoint(i, 0, i);
  }
  return group;
}

Object& BuildDeepChain(standin::Document& doc, int64_t depth) {
  Object& top = AddTop(doc, kNull, "Chain");
  Object* link = &top;
  for (int64_t i = 1; i < depth; ++i) {
    link = &AddObject(doc, kNull, "C" + std::to_string(i), link);
    link->data.matrix.off = {0.5, 0.25, 0};
  }
  return top;
}

Object& BuildMixedRig(standin::Document& doc, int64_t objects) {
  // Limbs of this many objects hang side by side below the rig's top.
  constexpr int64_t kLimbLength = 6;
  Object& rig = AddTop(doc, kNull, "Rig");
  const std::vector<int32_t>& types = RigTypes();
  Object* limb = &rig;
  for (int64_t i = 0; i < objects; ++i) {
    Object* parent = i % kLimbLength == 0 ? &rig : limb;
    limb = &AddObject(doc, types[static_cast<size_t>(i) % types.size()], "R" + std::to_string(i), parent);
    FillRigObject(*limb, i);
  }
  return rig;
}

std::optional<SceneBuilder> BuilderForKind(std::string_view kind) {
  static constexpr std::array<std::pair<std::string_view, SceneBuilder>, 4> kKinds = {{
      {"mesh", &BuildQuadMesh},
      {"group", &BuildWideGroup},
      {"chain", &BuildDeepChain},
      {"rig", &BuildMixedRig},
  }};
  for (const auto& [name, builder] : kKinds) {
    if (name == kind) return builder;
  }
  return std::nullopt;
}

int64_t GeometryBytes(const Object& op) {
  const standin::ObjectData& data = op.data;
  int64_t bytes = 0;
  if (data.points) bytes += static_cast<int64_t>(data.points->size() * sizeof(Vec3));
  if (data.tangents) bytes += static_cast<int64_t>(data.tangents->size() * sizeof(standin::Tangent));
  if (data.polygons) bytes += static_cast<int64_t>(data.polygons->size() * sizeof(standin::Polygon));
  return bytes;
}

}  // namespace vitrel::bench
