// Properties of whole mirror runs over random hierarchies: what one undo and
// one redo give back, what two runs across the same axis give back, and where
// every point and placement ends up, measured in the space the run mirrors
// in: the world for a copy, the selected object's parent's space in place.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine_fixture.h"
#include "flipit_ids.h"
#include "io/scene_writer.h"
#include "journal/journal.h"
#include "mirror.h"
#include "scene/types.h"
#include "undo/undo_history.h"

namespace vitrel::testing {
namespace {

using standin::Matrix;
using standin::Object;
using standin::Vec3;

constexpr double kTolerance = 1e-9;

Vec3 Add(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 Scale(const Vec3& v, double s) { return {v.x * s, v.y * s, v.z * s}; }

// A local point placed by `m` in its parent's space.
Vec3 Place(const Matrix& m, const Vec3& p) {
  return Add(m.off, Add(Scale(m.v1, p.x), Add(Scale(m.v2, p.y), Scale(m.v3, p.z))));
}
Vec3 Turn(const Matrix& m, const Vec3& v) {
  return Add(Scale(m.v1, v.x), Add(Scale(m.v2, v.y), Scale(m.v3, v.z)));
}

Matrix Compose(const Matrix& outer, const Matrix& inner) {
  return {Place(outer, inner.off), Turn(outer, inner.v1), Turn(outer, inner.v2), Turn(outer, inner.v3)};
}

// The reflection across the axis of `axis` (5000 X, 5001 Y, 5002 Z).
Vec3 Reflect(int32_t axis, Vec3 v) {
  (axis == AXIS_X ? v.x : axis == AXIS_Y ? v.y : v.z) *= -1.0;
  return v;
}

// T * W * T for the reflection T.
Matrix ReflectMatrix(int32_t axis, const Matrix& w) {
  const int k = axis - AXIS_X;
  auto column = [&](const Vec3& c, int j) { return Scale(Reflect(axis, c), j == k ? -1.0 : 1.0); };
  return {Reflect(axis, w.off), column(w.v1, 0), column(w.v2, 1), column(w.v3, 2)};
}

// The placement of `op` in the space of `root`'s parent.
Matrix RelativeMatrix(const Object* root, const Object* op) {
  Matrix m = op->data.matrix;
  for (const Object* at = op; at != root; at = at->parent) m = Compose(at->parent->data.matrix, m);
  return m;
}

// The placement of `op` in the space the run mirrors in: a copy's is the
// world, an object mirrored in place is mirrored in its parent's space.
Matrix MirrorSpaceMatrix(const Object* root, const Object* op, bool world) {
  Matrix m = RelativeMatrix(root, op);
  for (const Object* at = root->parent; world && at != nullptr; at = at->parent)
    m = Compose(at->data.matrix, m);
  return m;
}

// The objects of the subtree of `root`, depth first.
std::vector<const Object*> Subtree(const Object* root) {
  std::vector<const Object*> out;
  for (const Object* op = root; op != nullptr; op = standin::NextInSubtree(root, op)) out.push_back(op);
  return out;
}

// Every type the engine treats, and plain ones.
constexpr int32_t kTypes[] = {5140, 5156, 5100, 5101, 5108, 5162, 5168, 5170, 5173, 5175, 5181, 5189,
                              5128, 5131, 5133, 5134, 5143, 5145, 5146, 5147, 5148, 5149, 5109, 5111,
                              5112, 5113, 5114, 5115, 5119, 5116, 5117, 5118, 5102, 5103, 5150};
constexpr int32_t kEmitter = 5109;
constexpr int32_t kSweep = 5118;

// Groups whose handler turns an object on top of its reflection: its matrix
// is not the reflected one, only its position and directions are.
bool TurnedByHandler(int32_t type) {
  const std::string_view group = standin::HandlerGroup(type);
  return group == "spline-primitive" || group == "deformer" || group == "particle-force" ||
         group == "sweep" || group == "light" || group == "camera";
}

// A spline below a sweep: its points carry the sweep's turn, and its
// placement the turn that undoes it.
bool IsSweepProfile(const Object& op) { return op.parent != nullptr && op.parent->type == kSweep; }

// Points whose place the reflection check follows: not a lattice's (its grid
// cells trade points) nor a sweep profile's.
bool PointsFollowReflection(const Object& op) { return op.type != 5108 && !IsSweepProfile(op); }

// The directions of `op` in its own space that a mirror must reflect, as its
// type and parameters set them; none for other types. All are compared with
// their sign:
// - a primitive points along the axis and sense its orientation names (0 and
//   1 the two senses of X, 2 and 3 of Y, 4 and 5 of Z);
// - a spline primitive's shape lies in the plane its value names (0 XY, 1 ZY,
//   2 XZ), so both axes spanning it must end up reflected for the shape to
//   be. Its normal, their cross product, then points against the reflected
//   normal: a reflection reverses the shape's winding;
// - lights, cameras and the emitter face along their Z axis;
// - an extrusion moves its profile by its movement vector.
std::vector<Vec3> LocalDirections(const Object& op) {
  const standin::Container& params = op.data.params;
  const std::string_view group = standin::HandlerGroup(op.type);
  if (group == "primitive") {
    const int32_t orientation = std::get<int32_t>(params.at(1300));
    Vec3 axis;
    (orientation < 2 ? axis.x : orientation < 4 ? axis.y : axis.z) = orientation % 2 == 0 ? 1.0 : -1.0;
    return {axis};
  }
  if (group == "spline-primitive") {
    const Vec3 spans[3][2] = {{{1, 0, 0}, {0, 1, 0}}, {{0, 0, 1}, {0, 1, 0}}, {{1, 0, 0}, {0, 0, 1}}};
    const auto& span = spans[std::get<int32_t>(params.at(2300))];
    return {span[0], span[1]};
  }
  if (group == "light" || group == "camera" || op.type == kEmitter) return {{0, 0, 1}};
  if (group == "extrude") return {std::get<Vec3>(params.at(1002))};
  return {};
}

void ExpectNear(const Vec3& actual, const Vec3& expected, const std::string& what) {
  EXPECT_NEAR(actual.x, expected.x, kTolerance * (1 + std::abs(expected.x))) << what;
  EXPECT_NEAR(actual.y, expected.y, kTolerance * (1 + std::abs(expected.y))) << what;
  EXPECT_NEAR(actual.z, expected.z, kTolerance * (1 + std::abs(expected.z))) << what;
}

void ExpectNearMatrix(const Matrix& actual, const Matrix& expected, const std::string& what) {
  ExpectNear(actual.off, expected.off, what + " offset");
  ExpectNear(actual.v1, expected.v1, what + " axis 1");
  ExpectNear(actual.v2, expected.v2, what + " axis 2");
  ExpectNear(actual.v3, expected.v3, what + " axis 3");
}

class MirrorProperties : public EngineTest {
 protected:
  // A random hierarchy of every type, several levels deep, with moved,
  // rotated and unevenly scaled placements, so that objects of every type
  // that a handler turns have children. Returns the selected object. For a
  // copy (`evenAbove`) the objects above the selection are scaled evenly: the
  // copy's place in the world is then a rotation with a scale, which its
  // placement can hold. So are sweeps, whose turn across Z with a bank would
  // otherwise leave a child's placement skewed: a second run cannot rebuild a
  // skewed placement from its angles.
  Object* BuildRandomScene(std::mt19937& rng, bool evenAbove) {
    std::uniform_real_distribution<double> offset(-10.0, 10.0), angle(-3.1, 3.1), pitch(-1.5, 1.5),
        scale(0.5, 2.0), coord(-5.0, 5.0);
    std::uniform_int_distribution<int> count(20, 50), points(3, 8);
    std::vector<Object*> made;
    const int n = count(rng);
    for (int i = 0; i < n; ++i) {
      Object* parent = nullptr;
      if (!made.empty() && std::uniform_int_distribution<int>(0, 4)(rng) != 0)
        parent = made[std::uniform_int_distribution<size_t>(made.size() / 3, made.size() - 1)(rng)];
      const int32_t type = kTypes[std::uniform_int_distribution<size_t>(0, std::size(kTypes) - 1)(rng)];
      Object* op = EngineTest::Add(type, "o" + std::to_string(i), parent);
      const double even = scale(rng);
      const Vec3 scales = type == kSweep ? Vec3{even, even, even} : Vec3{scale(rng), scale(rng), scale(rng)};
      op->data.matrix =
          PlacedMatrix({offset(rng), offset(rng), offset(rng)}, {angle(rng), pitch(rng), angle(rng)}, scales);
      SetRandomData(rng, *op);
      made.push_back(op);
    }
    Object* selected = made[std::uniform_int_distribution<size_t>(0, made.size() - 1)(rng)];
    selected->selected = true;
    for (Object* up = selected->parent; evenAbove && up != nullptr; up = up->parent) {
      const double length = std::hypot(up->data.matrix.v1.x, up->data.matrix.v1.y, up->data.matrix.v1.z);
      for (Vec3* v : {&up->data.matrix.v2, &up->data.matrix.v3})
        *v = Scale(*v, length / std::hypot(v->x, v->y, v->z));
    }
    return selected;
  }

  // Points, tangents and the parameters the handlers read.
  static void SetRandomData(std::mt19937& rng, Object& op) {
    std::uniform_real_distribution<double> coord(-5.0, 5.0);
    auto vec = [&] { return Vec3{coord(rng), coord(rng), coord(rng)}; };
    auto pick = [&](int32_t last) { return std::uniform_int_distribution<int32_t>(0, last)(rng); };
    const std::string_view group = standin::HandlerGroup(op.type);
    if (op.type == 5156 || op.type == 5100 || op.type == 5101) {
      std::vector<Vec3> pts(static_cast<size_t>(3 + pick(5)));
      for (Vec3& p : pts) p = vec();
      if (op.type == 5100) op.data.polygons = std::vector<standin::Polygon>{{0, 1, 2, 2}, {0, 1, 2, 1}};
      if (op.type == 5101) {
        std::vector<standin::Tangent> tangents(pts.size());
        for (standin::Tangent& t : tangents) t = {vec(), vec()};
        op.data.tangents = tangents;
      }
      op.data.points = pts;
    } else if (op.type == 5108) {
      op.data.params[1001] = 2;
      op.data.params[1002] = 3;
      op.data.params[1003] = 1;
      op.data.points = std::vector<Vec3>{vec(), vec(), vec(), vec(), vec(), vec()};
    } else if (group == "primitive") {
      op.data.params[1300] = pick(5);
    } else if (group == "spline-primitive") {
      op.data.params[2300] = pick(2);
    } else if (op.type == 5146) {
      op.data.params[1005] = 1 + pick(5);
    } else if (group == "particle-force" && op.type != kEmitter) {
      op.data.params[5004] = vec();
    } else if (group == "extrude") {
      op.data.params[1002] = vec();
    } else if (group == "sweep") {
      op.data.params[1004] = coord(rng);
    }
  }

  void SetRun(int32_t axis, bool duplicate) {
    SetOption(IDC_AXIS, axis);
    SetOption(IDC_POSITIONING, POSITION_MOVE_ROTATE);
    SetOption(IDC_MIRROR_POINTS, true);
    SetOption(IDC_DUPLICATE, duplicate);
    SetOption(IDC_RENAME_MODE, RENAME_ALL);
    dialog().SetString(IDC_SUFFIX, "_m");
    SetOption(IDC_KEEP_DISPLAY_COLOR, false);
    SetOption(IDC_DISPLAY_COLOR_MODE, COLOR_ALWAYS);
  }

  // The object the run mirrored: the duplicate on top, or the selection.
  Object* Mirrored(Object* selected, bool duplicate) { return duplicate ? doc().first() : selected; }
};

constexpr int32_t kAxes[] = {AXIS_X, AXIS_Y, AXIS_Z};

TEST_F(MirrorProperties, OneUndoRestoresTheDocumentAndRedoTheMirroredOne) {
  std::mt19937 rng(11);
  for (int trial = 0; trial < 60; ++trial) {
    ResetScene("trial " + std::to_string(trial));
    const bool duplicate = trial % 2 == 0;
    BuildRandomScene(rng, duplicate);
    SetRun(kAxes[trial % 3], duplicate);
    const std::string before = standin::SceneToJson(doc());
    MirrorRun(dialog());
    const std::string after = standin::SceneToJson(doc());
    ASSERT_NE(before, after) << "trial " << trial;
    ASSERT_TRUE(standin::Undo(doc()));
    EXPECT_EQ(standin::SceneToJson(doc()), before) << "trial " << trial;
    ASSERT_TRUE(standin::Redo(doc()));
    EXPECT_EQ(standin::SceneToJson(doc()), after) << "trial " << trial;
    EXPECT_EQ(standin::HostJournal().Count("undo.missing"), 0) << "trial " << trial;
  }
}

TEST_F(MirrorProperties, EveryPointAndPlacementEndsUpReflected) {
  std::mt19937 rng(23);
  for (int trial = 0; trial < 60; ++trial) {
    ResetScene("trial " + std::to_string(trial));
    const int32_t axis = kAxes[trial % 3];
    const bool duplicate = trial % 2 == 1;
    Object* selected = BuildRandomScene(rng, duplicate);
    SetRun(axis, duplicate);

    struct Seen {
      Matrix placement;
      std::vector<Vec3> points;
      std::vector<Vec3> directions;
    };
    std::vector<Seen> before;
    for (const Object* op : Subtree(selected)) {
      Seen seen{MirrorSpaceMatrix(selected, op, duplicate), {}, {}};
      for (const Vec3& p : op->data.points.value_or(std::vector<Vec3>{}))
        seen.points.push_back(Place(seen.placement, p));
      for (const Vec3& d : LocalDirections(*op)) seen.directions.push_back(Turn(seen.placement, d));
      before.push_back(seen);
    }

    MirrorRun(dialog());

    Object* mirrored = Mirrored(selected, duplicate);
    const std::vector<const Object*> after = Subtree(mirrored);
    ASSERT_EQ(after.size(), before.size()) << "trial " << trial;
    for (size_t i = 0; i < after.size(); ++i) {
      const Object& op = *after[i];
      const std::string what = "trial " + std::to_string(trial) + " object " + op.data.name + " (type " +
                               std::to_string(op.type) + ")";
      const Matrix placement = MirrorSpaceMatrix(mirrored, &op, duplicate);
      if (TurnedByHandler(op.type) || IsSweepProfile(op)) {
        // Turned to face the mirrored way, or placed to undo the turn its
        // points carry: its position and directions are reflected, not its
        // matrix.
        ExpectNear(placement.off, Reflect(axis, before[i].placement.off), what + " offset");
      } else {
        ExpectNearMatrix(placement, ReflectMatrix(axis, before[i].placement), what);
      }
      const std::vector<Vec3> directions = LocalDirections(op);
      ASSERT_EQ(directions.size(), before[i].directions.size()) << what;
      for (size_t d = 0; d < directions.size(); ++d) {
        ExpectNear(Turn(placement, directions[d]), Reflect(axis, before[i].directions[d]),
                   what + " direction " + std::to_string(d));
      }
      const std::vector<Vec3> points = op.data.points.value_or(std::vector<Vec3>{});
      ASSERT_EQ(points.size(), before[i].points.size()) << what;
      for (size_t p = 0; PointsFollowReflection(op) && p < points.size(); ++p) {
        ExpectNear(Place(placement, points[p]), Reflect(axis, before[i].points[p]),
                   what + " point " + std::to_string(p));
      }
    }
    if (HasFailure()) return;
  }
}

TEST_F(MirrorProperties, MirroringTwiceAcrossOneAxisGivesBackTheStart) {
  std::mt19937 rng(37);
  for (int trial = 0; trial < 60; ++trial) {
    ResetScene("trial " + std::to_string(trial));
    const bool duplicate = trial % 2 == 0;
    Object* selected = BuildRandomScene(rng, duplicate);
    SetRun(kAxes[trial % 3], duplicate);
    std::vector<standin::ObjectData> start;
    for (const Object* op : Subtree(selected)) start.push_back(op->data);
    // A copy lies at the top level where the original lies in the world.
    start.front().matrix = MirrorSpaceMatrix(selected, selected, duplicate);

    MirrorRun(dialog());
    // A duplicate is the active object now, so the second run mirrors (a
    // duplicate of) it.
    MirrorRun(dialog());

    const std::vector<const Object*> end = Subtree(Mirrored(selected, duplicate));
    ASSERT_EQ(end.size(), start.size()) << "trial " << trial;
    for (size_t i = 0; i < end.size(); ++i) {
      const std::string what = "trial " + std::to_string(trial) + " object " + start[i].name;
      const standin::ObjectData& data = end[i]->data;
      ExpectNearMatrix(data.matrix, start[i].matrix, what);
      ASSERT_EQ(data.points.has_value(), start[i].points.has_value()) << what;
      for (size_t p = 0; data.points && p < data.points->size(); ++p) {
        ExpectNear((*data.points)[p], (*start[i].points)[p], what + " point");
      }
      for (size_t t = 0; data.tangents && t < data.tangents->size(); ++t) {
        ExpectNear((*data.tangents)[t].left, (*start[i].tangents)[t].left, what + " left tangent");
        ExpectNear((*data.tangents)[t].right, (*start[i].tangents)[t].right, what + " right tangent");
      }
      EXPECT_EQ(data.polygons, start[i].polygons) << what;
    }
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace vitrel::testing
