// Point data: points, spline tangents, the spline of a sweep, and lattices.
#include <array>

#include "engine_fixture.h"
#include "flipit_ids.h"
#include "host/faults.h"
#include "mirror.h"

namespace vitrel::testing {
namespace {

using standin::Object;
using standin::Tangent;
using standin::Vec3;

constexpr int32_t kAxes[] = {AXIS_X, AXIS_Y, AXIS_Z, 4999, 5003};

Vec3 Mirrored(Vec3 v, int32_t axis) {
  if (axis == AXIS_X) v.x = -v.x;
  if (axis == AXIS_Y) v.y = -v.y;
  if (axis == AXIS_Z) v.z = -v.z;
  return v;
}

TEST_F(EngineTest, PointsAreMirroredAlongTheAxisAndTheChangeIsAnnounced) {
  for (int32_t axis : kAxes) {
    const std::string name = std::to_string(axis);
    SCOPED_TRACE(name);
    ResetScene(name);
    Object* op = Add(5100, "poly");
    op->data.points = std::vector<Vec3>{{1, 2, 3}, {-4, 5, 6}};
    InGroup([&] {
      Doc()->AddUndo(UNDOTYPE::CHANGE, Op(op));
      MirrorPoints(Op(op), axis);
    });
    EXPECT_EQ(*op->data.points, (std::vector<Vec3>{Mirrored({1, 2, 3}, axis), Mirrored({-4, 5, 6}, axis)}));
    const auto messages = Events("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0]["id"].GetInt(), 1);
    const auto& record = messages[0]["record"];
    EXPECT_EQ(record["oldCount"].GetInt(), 2);
    EXPECT_EQ(record["newCount"].GetInt(), 2);
    EXPECT_TRUE(record["map"].IsNull());
    EXPECT_EQ(record["flags"].GetInt(), 1);
  }
}

TEST_F(EngineTest, AMillionPointsAreMirrored) {
  Object* op = Add(5100);
  op->data.points = std::vector<Vec3>(1000000, Vec3{1, 2, 3});
  InGroup([&] {
    Doc()->AddUndo(UNDOTYPE::CHANGE, Op(op));
    MirrorPoints(Op(op), AXIS_Y);
  });
  EXPECT_EQ(op->data.points->front(), (Vec3{1, -2, 3}));
  EXPECT_EQ(op->data.points->back(), (Vec3{1, -2, 3}));
}

// Nothing is announced and no normals are reversed for points left as they
// were; a spline whose tangents are refused keeps its points too.
TEST_F(EngineTest, PointDataTheHostCannotHandOutIsLeftAlone) {
  Object* poly = Add(5100);
  poly->data.points = std::vector<Vec3>{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  poly->data.polygons = std::vector<standin::Polygon>{{0, 1, 2, 2}};
  Object* lattice = Add(5108);
  lattice->data.points = std::vector<Vec3>{{1, 2, 3}, {4, 5, 6}};
  lattice->data.params = {{1001, 2}, {1002, 1}, {1003, 1}};
  Object* spline = Add(5101);
  spline->data.points = std::vector<Vec3>{{1, 2, 3}};
  spline->data.tangents = std::vector<Tangent>{{{1, 1, 1}, {2, 2, 2}}};
  standin::HostFaults().FailFrom(standin::Fault::kTagData, 1, -1);
  InGroup([&] {
    for (Object* op : {poly, lattice, spline}) MirrorObject(dialog(), Op(op), Doc());
  });
  EXPECT_EQ(*poly->data.points, (std::vector<Vec3>{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}));
  EXPECT_EQ((*poly->data.polygons)[0], (standin::Polygon{0, 1, 2, 2}));
  EXPECT_EQ(*lattice->data.points, (std::vector<Vec3>{{1, 2, 3}, {4, 5, 6}}));
  EXPECT_EQ(spline->data.tangents->front(), (Tangent{{1, 1, 1}, {2, 2, 2}}));
  EXPECT_TRUE(Events("message").empty());
  EXPECT_TRUE(Events("modeling").empty());

  ResetScene("tangents refused");
  spline = Add(5101, "", Add(5118));
  spline->data.points = std::vector<Vec3>{{1, 2, 3}};
  spline->data.tangents = std::vector<Tangent>{{{1, 1, 1}, {2, 2, 2}}};
  standin::HostFaults().FailFrom(standin::Fault::kTagData, 2, 1);
  InGroup([&] { MirrorObject(dialog(), Op(spline), Doc()); });
  EXPECT_EQ(*spline->data.points, (std::vector<Vec3>{{1, 2, 3}}));
  EXPECT_EQ(spline->data.tangents->front(), (Tangent{{1, 1, 1}, {2, 2, 2}}));
  EXPECT_TRUE(Events("message").empty());
}

// A spline's tangents follow its points; below a sweep, a spline is mirrored
// along Y whatever the axis, and its vector turns for X and Z.
struct SplineCase {
  int32_t axis;
  bool belowSweep;
  Vec3 point, left, right, vector;
};

TEST_F(EngineTest, SplinesMirrorTheirTangentsAndSweepProfilesTurnToY) {
  const SplineCase cases[] = {
      {AXIS_X, false, {-1, 2, 3}, {-4, 5, 6}, {-7, 8, 9}, {1, 2, 3}},
      {AXIS_Z, false, {1, 2, -3}, {4, 5, -6}, {7, 8, -9}, {1, 2, 3}},
      {AXIS_X, true, {1, -2, 3}, {4, -5, 6}, {7, -8, 9}, {-1, -2, 3}},
      {AXIS_Y, true, {1, -2, 3}, {4, -5, 6}, {7, -8, 9}, {1, 2, 3}},
      {AXIS_Z, true, {1, -2, 3}, {4, -5, 6}, {7, -8, 9}, {1, -2, -3}},
      {4999, true, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 2, 3}},
  };
  for (const SplineCase& c : cases) {
    const std::string name =
        (::testing::Message() << "axis " << c.axis << (c.belowSweep ? " below a sweep" : "")).GetString();
    SCOPED_TRACE(name);
    ResetScene(name);
    Object* spline = Add(5101, "spline", c.belowSweep ? Add(5118, "sweep") : nullptr);
    spline->data.points = std::vector<Vec3>{{1, 2, 3}};
    spline->data.tangents = std::vector<Tangent>{{{4, 5, 6}, {7, 8, 9}}};
    spline->data.vector = {1, 2, 3};
    InGroup([&] {
      Doc()->AddUndo(UNDOTYPE::CHANGE, Op(spline));
      MirrorPointData(Op(spline), c.axis, Doc());
    });
    EXPECT_EQ(spline->data.points->front(), c.point);
    EXPECT_EQ(spline->data.tangents->front(), (Tangent{c.left, c.right}));
    EXPECT_EQ(spline->data.vector, c.vector);
  }
}

// A lattice of nx * ny * nz points whose point at cell (x, y, z) is
// (x, y, z) + (0.25, 0.5, 0.75): after the mirror each cell holds the point
// of its mirrored cell, negated along the axis.
std::vector<Vec3> Grid(int nx, int ny, int nz) {
  std::vector<Vec3> points;
  for (int z = 0; z < nz; ++z)
    for (int y = 0; y < ny; ++y)
      for (int x = 0; x < nx; ++x) points.push_back({x + 0.25, y + 0.5, z + 0.75});
  return points;
}

TEST_F(EngineTest, LatticeCellsKeepTheirPointsOnLinesOfOddAndEvenLength) {
  const std::array<int, 3> sizes[] = {{3, 2, 2}, {2, 3, 2}, {2, 2, 3}, {4, 1, 1}, {1, 4, 5}};
  for (const auto& n : sizes) {
    for (int32_t axis : {AXIS_X, AXIS_Y, AXIS_Z}) {
      const std::string name =
          (::testing::Message() << n[0] << "x" << n[1] << "x" << n[2] << " axis " << axis).GetString();
      SCOPED_TRACE(name);
      ResetScene(name);
      Object* lattice = Add(5108);
      lattice->data.points = Grid(n[0], n[1], n[2]);
      lattice->data.params = {{1001, n[0]}, {1002, n[1]}, {1003, n[2]}};
      InGroup([&] { FlipLatticePoints(Op(lattice), axis, Doc()); });

      const int a = axis - AXIS_X;
      std::vector<Vec3> expected;
      for (Vec3 p : Grid(n[0], n[1], n[2])) {
        double* c[3] = {&p.x, &p.y, &p.z};
        *c[a] = -(n[a] - 1 - (*c[a] - 0.25 * (a + 1)) + 0.25 * (a + 1));
        expected.push_back(p);
      }
      EXPECT_EQ(*lattice->data.points, expected);
      EXPECT_EQ(Events("message").size(), 1u);
    }
  }
}

TEST_F(EngineTest, LatticeSizesThatDoNotFitThePointsMirrorNothing) {
  const std::array<int32_t, 3> sizes[] = {
      {3, 1, 1}, {-2, -1, 1}, {0, 2, 1}, {65536, 65536, 2}, {2147483647, 2147483647, 2147483647}};
  for (const auto& n : sizes) {
    const std::string name = (::testing::Message() << n[0] << "x" << n[1] << "x" << n[2]).GetString();
    SCOPED_TRACE(name);
    ResetScene(name);
    Object* lattice = Add(5108);
    lattice->data.points = Grid(2, 1, 1);
    lattice->data.params = {{1001, n[0]}, {1002, n[1]}, {1003, n[2]}};
    for (int32_t axis : kAxes) InGroup([&] { FlipLatticePoints(Op(lattice), axis, Doc()); });
    EXPECT_EQ(*lattice->data.points, Grid(2, 1, 1));
    EXPECT_EQ(Events("message").size(), std::size(kAxes));
  }
}

}  // namespace
}  // namespace vitrel::testing
