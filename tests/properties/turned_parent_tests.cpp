// Where the objects below a turned object, and a copy of a nested object,
// end up in the world.
#include <cmath>
#include <numbers>

#include "../engine/engine_fixture.h"
#include "flipit_ids.h"
#include "io/scene_writer.h"
#include "mirror.h"
#include "mirror_support.h"
#include "undo/undo_history.h"

namespace vitrel::testing {
namespace {

using standin::Matrix;
using standin::Object;
using standin::Vec3;

::Matrix ToPlugin(const Matrix& m) {
  auto v = [](const Vec3& a) { return ::Vector(a.x, a.y, a.z); };
  return ::Matrix(v(m.off), v(m.v1), v(m.v2), v(m.v3));
}
Matrix ToScene(const ::Matrix& m) {
  auto v = [](const ::Vector& a) { return Vec3{a.x, a.y, a.z}; };
  return {v(m.off), v(m.sqmat.v1), v(m.sqmat.v2), v(m.sqmat.v3)};
}

Matrix World(Object* op) {
  return ToScene(vitrel::mirror::WorldMatrix(BaseObject::FromHandle(reinterpret_cast<VtObject*>(op))));
}

// The world placement reflected across the plane of `axis`: T * W * T.
Matrix Reflected(int32_t axis, const Matrix& w) {
  const int k = axis - AXIS_X;
  auto flip = [&](Vec3 v, bool column) {
    double* c[3] = {&v.x, &v.y, &v.z};
    *c[k] = -*c[k];
    if (column) v = {-v.x, -v.y, -v.z};
    return v;
  };
  return {flip(w.off, false), flip(w.v1, k == 0), flip(w.v2, k == 1), flip(w.v3, k == 2)};
}

Vec3 PlacePoint(const Matrix& m, const Vec3& p) {
  const ::Matrix at(::Vector(p.x, p.y, p.z), ::Vector(), ::Vector(), ::Vector());
  const ::Vector placed = vitrel::mirror::Compose(ToPlugin(m), at).off;
  return {placed.x, placed.y, placed.z};
}

void ExpectNearPoint(const Vec3& actual, const Vec3& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9);
  EXPECT_NEAR(actual.y, expected.y, 1e-9);
  EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

TEST_F(EngineTest, ChildrenOfATurnedLightLandAtTheirReflectionUnlessSkipped) {
  for (bool skip : {false, true}) {
    ResetScene(skip ? "children skipped" : "children mirrored");
    Object* light = Add(5102, "light");
    Object* child = Add(5140, "child", light);
    child->data.matrix.off = {0, 0, 1};
    Object* grandchild = Add(5140, "grandchild", child);
    grandchild->data.matrix.off = {1, 2, 3};
    light->selected = true;
    SetOption(IDC_AXIS, AXIS_Z);
    SetOption(IDC_SKIP_CHILDREN, skip);
    const Matrix childWorld = World(child), grandchildWorld = World(grandchild);
    const std::string before = standin::SceneToJson(doc());

    MirrorRun(dialog());

    if (skip) {
      EXPECT_EQ(child->data.matrix.off.z, 1.0);
      ExpectNearPoint(World(child).off, {0, 0, -1});  // carried round by the light's half turn
    } else {
      ExpectSameMatrix(World(child), Reflected(AXIS_Z, childWorld));
      ExpectSameMatrix(World(grandchild), Reflected(AXIS_Z, grandchildWorld));
    }
    ASSERT_TRUE(standin::Undo(doc()));
    EXPECT_EQ(standin::SceneToJson(doc()), before);
  }
}

// Every level of a chain of turned objects hands its turn down; the last
// link lies at its reflection however many turned objects are above it.
TEST_F(EngineTest, AChainOfTurnedCamerasEndsAtItsReflection) {
  Object* top = AddPlaced(5103, {1, 2, 3}, {0.1, 0.2, 0.3});
  Object* last = top;
  for (int i = 0; i < 1000; ++i) {
    last = Add(i % 2 == 0 ? 5102 : 5140, "link", last);
    last->data.matrix = PlacedMatrix({0, 0.01, 1}, {0.001 * i, 0, 0.002}, {1, 1, 1});
  }
  top->selected = true;
  SetOption(IDC_AXIS, AXIS_Z);
  const Matrix lastWorld = World(last);

  MirrorRun(dialog());

  ExpectSameMatrix(World(last), Reflected(AXIS_Z, lastWorld));
}

// A sweep turned across Z with a bank turns about a slanted axis; with an
// uneven scale the turn back is no rotation, and must not be lost when the
// child's placement is rebuilt from its angles.
TEST_F(EngineTest, ASweepTurnedWithBankAndUnevenScaleKeepsChildAndGrandchildInPlace) {
  Object* sweep = AddPlaced(5118, {1, 2, 3}, {0.3, 0.4, 0.7}, {1, 2, 0.5});
  Object* child = Add(5140, "child", sweep);
  child->data.matrix = PlacedMatrix({1, 1, 1}, {0.2, -0.5, 0.9}, {1.5, 1, 0.7});
  Object* grandchild = Add(5140, "grandchild", child);
  grandchild->data.matrix = PlacedMatrix({0.5, -1, 2}, {1.1, 0.3, -0.4}, {1, 1, 1});
  sweep->selected = true;
  SetOption(IDC_AXIS, AXIS_Z);
  const Matrix childWorld = World(child), grandchildWorld = World(grandchild);

  MirrorRun(dialog());

  ExpectSameMatrix(World(child), Reflected(AXIS_Z, childWorld));
  ExpectSameMatrix(World(grandchild), Reflected(AXIS_Z, grandchildWorld));
}

TEST_F(EngineTest, ASweepsProfileKeepsItsPlacementAtTheOriginAndLandsAtItsReflectionElsewhere) {
  for (int32_t axis : {AXIS_X, AXIS_Z}) {
    ResetScene(axis == AXIS_X ? "across X" : "across Z");
    Object* sweep = AddPlaced(5118, {5, 1, -2}, {0.4, 0.3, 0}, {1, 1, 1});
    Object* atOrigin = Add(5101, "profile", sweep);
    atOrigin->data.points = std::vector<Vec3>{{1, 2, 0}, {3, 4, 0}};
    Object* away = Add(5101, "away", sweep);
    away->data.matrix = PlacedMatrix({2, -1, 3}, {0.5, 0.1, 0.2}, {1, 1, 1});
    away->data.points = std::vector<Vec3>{{1, 2, 0}, {3, 4, 0}};
    sweep->selected = true;
    SetOption(IDC_AXIS, axis);
    const Matrix awayWorld = World(away);

    MirrorRun(dialog());

    // As the profile has always come out: in place, its points mirrored
    // along Y.
    ExpectSameMatrix(atOrigin->data.matrix, Matrix{});
    EXPECT_EQ(*atOrigin->data.points, (std::vector<Vec3>{{1, -2, 0}, {3, -4, 0}}));
    ExpectNearPoint(World(away).off, Reflected(axis, awayWorld).off);
    // Its points too: they carry the sweep's turn, which its placement now
    // undoes.
    const Vec3 pointWorld = PlacePoint(awayWorld, {3, 4, 0});
    ExpectNearPoint(PlacePoint(World(away), (*away->data.points)[1]), Reflected(axis, {pointWorld}).off);
  }
}

TEST_F(EngineTest, ACopyOfANestedObjectLandsAtTheReflectionOfItsWorldPlace) {
  Object* parent = AddPlaced(5140, {100, 0, 0}, {std::numbers::pi / 6, 0, 0});
  Object* child = Add(5140, "child", parent);
  child->data.matrix = PlacedMatrix({50, 20, 10}, {0.2, 0.1, 0.3}, {1, 2, 3});
  child->selected = true;
  SetOption(IDC_DUPLICATE, true);
  const Matrix original = World(child);
  const std::string originalText = standin::SceneToJson(doc());

  MirrorRun(dialog());

  Object* copy = doc().first();
  ASSERT_NE(copy, child);
  EXPECT_EQ(copy->parent, nullptr);
  ExpectSameMatrix(copy->data.matrix, Reflected(AXIS_X, original));
  ExpectSameMatrix(World(child), original);
  ASSERT_TRUE(standin::Undo(doc()));
  EXPECT_EQ(standin::SceneToJson(doc()), originalText);
}

}  // namespace
}  // namespace vitrel::testing
