#include "render/scene_shapes.h"

#include <cmath>
#include <limits>
#include <new>

#include "scene/container_values.h"
#include "scene/types.h"

namespace standin {
namespace {

Vec3 Unit(Vec3 v) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (!(length > 0) || !std::isfinite(length)) return {};
  return {v.x / length, v.y / length, v.z / length};
}

bool IsZero(Vec3 v) { return v.x == 0 && v.y == 0 && v.z == 0; }

class Collector {
 public:
  explicit Collector(SceneShapes& shapes) : shapes_(shapes) {}

  void Take(const Object& op, const Matrix& world) {
    const bool drawn = (op.type == kPolygonObject && TakeMesh(op, world)) ||
                       (op.type == kSplineObject && TakeSpline(op, world)) ||
                       (op.type == kLatticeObject && TakeLattice(op, world));
    if (!drawn) TakeTripod(op, world);
  }

 private:
  // The object's points placed in the world; the index of the first.
  uint32_t TakePoints(const std::vector<Vec3>& local, const Matrix& world) {
    const uint32_t first = Reserve(local.size());
    for (const Vec3& point : local) AddPoint(TransformPoint(world, point));
    return first;
  }

  // Makes room for `count` more points; indices are 32 bits wide, and a
  // scene with more points than that cannot be drawn.
  uint32_t Reserve(size_t count) {
    const size_t size = shapes_.points.size();
    if (count > std::numeric_limits<uint32_t>::max() - size) throw std::bad_alloc();
    shapes_.points.reserve(size + count);
    return static_cast<uint32_t>(size);
  }

  uint32_t AddPoint(Vec3 world) {
    if (shapes_.points.size() >= std::numeric_limits<uint32_t>::max()) throw std::bad_alloc();
    shapes_.bounds.Add(world);
    shapes_.points.push_back(world);
    return static_cast<uint32_t>(shapes_.points.size() - 1);
  }

  bool TakeMesh(const Object& op, const Matrix& world) {
    if (!op.data.points || !op.data.polygons || op.data.polygons->empty()) return false;
    const auto count = static_cast<int64_t>(op.data.points->size());
    const uint32_t first = TakePoints(*op.data.points, world);
    auto inside = [count](int32_t index) { return index >= 0 && index < count; };
    auto edge = [&](int32_t from, int32_t to) {
      if (inside(from) && inside(to)) {
        shapes_.mesh_edges.push_back(
            {first + static_cast<uint32_t>(from), first + static_cast<uint32_t>(to)});
      }
    };
    shapes_.mesh_edges.reserve(shapes_.mesh_edges.size() + 4 * op.data.polygons->size());
    for (const Polygon& polygon : *op.data.polygons) {
      edge(polygon.a, polygon.b);
      edge(polygon.b, polygon.c);
      if (polygon.c != polygon.d) edge(polygon.c, polygon.d);
      edge(polygon.d, polygon.a);
    }
    return true;
  }

  bool TakeSpline(const Object& op, const Matrix& world) {
    if (!op.data.points || op.data.points->empty()) return false;
    const std::vector<Vec3>& points = *op.data.points;
    const uint32_t first = TakePoints(points, world);
    // Tangents count only when there is one for every point.
    const std::vector<Tangent>* tangents =
        op.data.tangents && op.data.tangents->size() == points.size() ? &*op.data.tangents : nullptr;
    if (tangents == nullptr) {
      for (uint32_t i = 1; i < points.size(); ++i) shapes_.spline_lines.push_back({first + i - 1, first + i});
      return true;
    }
    // Each handle's end is a point of its own; left then right, zero ones
    // left out.
    std::vector<uint32_t> left(points.size()), right(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
      const auto at = first + static_cast<uint32_t>(i);
      left[i] = HandleEnd(at, points[i], (*tangents)[i].left, world);
      right[i] = HandleEnd(at, points[i], (*tangents)[i].right, world);
    }
    for (size_t i = 1; i < points.size(); ++i) {
      const auto start = first + static_cast<uint32_t>(i - 1), end = start + 1;
      if (right[i - 1] == start && left[i] == end) {
        shapes_.spline_lines.push_back({start, end});
      } else {
        shapes_.spline_curves.push_back({start, right[i - 1], left[i], end});
      }
    }
    return true;
  }

  // The index of the end of a tangent handle of point `at`, drawn as a thin
  // line with a dot; `at` itself for a tangent of zero.
  uint32_t HandleEnd(uint32_t at, Vec3 local, Vec3 tangent, const Matrix& world) {
    if (IsZero(tangent)) return at;
    const uint32_t end =
        AddPoint(TransformPoint(world, {local.x + tangent.x, local.y + tangent.y, local.z + tangent.z}));
    shapes_.handle_lines.push_back({at, end});
    shapes_.handle_ends.push_back(end);
    return end;
  }

  bool TakeLattice(const Object& op, const Matrix& world) {
    if (!op.data.points) return false;
    const int64_t nx = ReadInt32(op.data.params, kLatticePointsX).value_or(0);
    const int64_t ny = ReadInt32(op.data.params, kLatticePointsY).value_or(0);
    const int64_t nz = ReadInt32(op.data.params, kLatticePointsZ).value_or(0);
    // Counts of 32 bits each: the product is taken only once the first two
    // are known to fit the points, so it cannot overflow.
    const auto count = static_cast<int64_t>(op.data.points->size());
    if (nx <= 0 || ny <= 0 || nz <= 0 || nx * ny > count || nx * ny * nz > count) return false;
    const uint32_t first = TakePoints(*op.data.points, world);
    auto index = [&](int64_t x, int64_t y, int64_t z) {
      return first + static_cast<uint32_t>(x + nx * (y + ny * z));
    };
    for (int64_t z = 0; z < nz; ++z) {
      for (int64_t y = 0; y < ny; ++y) {
        for (int64_t x = 0; x < nx; ++x) {
          const uint32_t at = index(x, y, z);
          if (x + 1 < nx) shapes_.lattice_edges.push_back({at, index(x + 1, y, z)});
          if (y + 1 < ny) shapes_.lattice_edges.push_back({at, index(x, y + 1, z)});
          if (z + 1 < nz) shapes_.lattice_edges.push_back({at, index(x, y, z + 1)});
        }
      }
    }
    return true;
  }

  void TakeTripod(const Object& op, const Matrix& world) {
    Tripod tripod{world.off, {Unit(world.v1), Unit(world.v2), Unit(world.v3)}};
    const std::string& name = op.data.name;
    if (name.size() <= std::numeric_limits<uint32_t>::max() - shapes_.names.size()) {
      tripod.name_start = static_cast<uint32_t>(shapes_.names.size());
      tripod.name_size = static_cast<uint32_t>(name.size());
      shapes_.names += name;
    }
    shapes_.bounds.Add(world.off);
    shapes_.tripods.push_back(tripod);
  }

  SceneShapes& shapes_;
};

}  // namespace

SceneShapes CollectShapes(const Document& document) {
  SceneShapes shapes;
  Collector collector(shapes);
  ForEachPlaced(document, [&](const Object& op, const Matrix& world) { collector.Take(op, world); });
  return shapes;
}

}  // namespace standin
