// Point data through the program: lattices keep each cell's point in its
// cell, splines below a sweep end mirrored along Y whatever the axis, and
// the host is told of every change of points.
#include <string>
#include <vector>

#include "handler_run.h"

namespace vitrel::handlers {
namespace {

using standin::Tangent;

class PointData : public HandlerRun {};

// The point a lattice starts with in cell (x, y, z): distinct in every cell
// and in every component.
Vec3 CellPoint(int x, int y, int z) { return {10.0 * x + 1, 10.0 * y + 2, 10.0 * z + 3}; }

std::string LatticeText(const std::string& name, int nx, int ny, int nz) {
  std::string points = "\"points\": [";
  for (int z = 0; z < nz; ++z) {
    for (int y = 0; y < ny; ++y) {
      for (int x = 0; x < nx; ++x) {
        const Vec3 p = CellPoint(x, y, z);
        points += (points.back() == '[' ? "[" : ", [") + std::to_string(p.x) + ", " + std::to_string(p.y) +
                  ", " + std::to_string(p.z) + "]";
      }
    }
  }
  return ObjectText(name, 5108, {5, 6, 7}, {0.2, 0.1, 0.3}, {1, 2, 1},
                    "\"1001\": " + std::to_string(nx) + ", \"1002\": " + std::to_string(ny) +
                        ", \"1003\": " + std::to_string(nz),
                    points + "]");
}

TEST_F(PointData, LatticesMirrorEachLineOfCellsAlongTheAxisForOddAndEvenLengths) {
  for (const int axis : {0, 1, 2}) {
    SCOPED_TRACE(std::string("axis ") + "xyz"[axis]);
    // Lines of 3 and of 4 cells along the axis; the other sizes 2 and 3.
    std::vector<std::array<int, 3>> grids;
    std::vector<std::string> lattices;
    for (const int length : {3, 4}) {
      std::array<int, 3> size{2, 3, 2};
      size[static_cast<size_t>(axis)] = length;
      grids.push_back(size);
      lattices.push_back(LatticeText("Line of " + std::to_string(length), size[0], size[1], size[2]));
    }
    Mirror(SceneText(ObjectText("Rows", 5140, {}, {}, {1, 1, 1}, "", "", lattices)),
           {"--axis", std::string(1, "xyz"[axis]), "--points"});
    for (const std::array<int, 3>& size : grids) {
      const int length = size[static_cast<size_t>(axis)];
      const std::string path = "Rows/Line of " + std::to_string(length);
      SCOPED_TRACE(path);
      const std::vector<Vec3>& points = *Find(path).data.points;
      const int n = size[0] * size[1] * size[2];
      ASSERT_EQ(points.size(), static_cast<size_t>(n));
      for (int z = 0; z < size[2]; ++z) {
        for (int y = 0; y < size[1]; ++y) {
          for (int x = 0; x < size[0]; ++x) {
            std::array<int, 3> from{x, y, z};
            from[static_cast<size_t>(axis)] = length - 1 - from[static_cast<size_t>(axis)];
            Vec3 want = CellPoint(from[0], from[1], from[2]);
            (axis == 0 ? want.x : axis == 1 ? want.y : want.z) *= -1;
            EXPECT_EQ(points[static_cast<size_t>(x + size[0] * (y + size[1] * z))], want)
                << "cell " << x << " " << y << " " << z;
          }
        }
      }
      // Told once, with the point count, no map.
      int told = 0;
      for (const rapidjson::Document& event : Events("message")) {
        if (event["object"].GetString() != path || event["id"].GetInt() != 1) continue;
        ++told;
        EXPECT_EQ(event["record"]["oldCount"].GetInt(), n);
        EXPECT_EQ(event["record"]["newCount"].GetInt(), n);
        EXPECT_TRUE(event["record"]["map"].IsNull());
      }
      EXPECT_EQ(told, 1);
    }
  }
}

TEST_F(PointData, PointObjectsMirrorTheirPointsAndTellTheHost) {
  const std::string extra = R"("points": [[1.0, 2.0, 3.0], [-4.0, 5.0, 6.0], [7.0, -8.0, 9.0]],)"
                            R"( "polygons": [[0, 1, 2, 2]])";
  const std::vector<std::string> children{
      ObjectText("Triangle", 5100, {1, 2, 3}, {0.3, 0.2, 0.1}, {1, 2, 3}, "", extra),
      ObjectText("Line", 5101, {}, {}, {1, 1, 1}, "", R"("points": [[1.0, 2.0, 3.0], [-4.0, 5.0, 6.0]])")};
  Mirror(SceneText(ObjectText("Rows", 5140, {}, {}, {1, 1, 1}, "", "", children)),
         {"--axis", "z", "--points"});
  const Object& triangle = Find("Rows/Triangle");
  EXPECT_EQ(*triangle.data.points, (std::vector<Vec3>{{1, 2, -3}, {-4, 5, -6}, {7, -8, -9}}));
  // The host's modelling command ran on it and reversed its normals.
  EXPECT_EQ(triangle.data.polygons->at(0), (standin::Polygon{0, 2, 1, 1}));
  EXPECT_EQ(CountEvents("modeling", "Rows/Triangle"), 1);
  EXPECT_EQ(*Find("Rows/Line").data.points, (std::vector<Vec3>{{1, 2, -3}, {-4, 5, -6}}));

  for (const auto& [path, count] : {std::pair{"Rows/Triangle", 3}, std::pair{"Rows/Line", 2}}) {
    SCOPED_TRACE(path);
    int told = 0;
    for (const rapidjson::Document& event : Events("message")) {
      if (event["object"].GetString() != std::string(path) || event["id"].GetInt() != 1) continue;
      ++told;
      EXPECT_EQ(event["record"]["oldCount"].GetInt(), count);
      EXPECT_EQ(event["record"]["newCount"].GetInt(), count);
      EXPECT_TRUE(event["record"]["map"].IsNull());
      EXPECT_EQ(event["record"]["flags"].GetInt(), 1);
    }
    EXPECT_EQ(told, 1);
  }
}

TEST_F(PointData, SplinesDirectlyBelowASweepEndMirroredAlongY) {
  const std::string spline =
      R"("points": [[1.0, 2.0, 3.0], [4.0, -5.0, 6.0]],)"
      R"( "tangents": [[1.0, 2.0, 3.0, -1.0, -2.0, -3.0], [0.5, 1.5, 2.5, 3.5, 4.5, 5.5]],)"
      R"( "vector": [1.0, 2.0, 3.0])";
  struct Case {
    char axis;
    Vec3 vector;
  };
  for (const Case& c : {Case{'x', {-1, -2, 3}}, Case{'y', {1, 2, 3}}, Case{'z', {1, -2, -3}}}) {
    SCOPED_TRACE(std::string("axis ") + c.axis);
    const std::string path = ObjectText("Path", 5101, {}, {}, {1, 1, 1}, "", spline);
    const std::string sweep =
        ObjectText("Sweep", 5118, {}, {}, {1, 1, 1}, R"("1004": 1.0)", "",
                   {ObjectText("Profile", 5101, {}, {}, {1, 1, 1}, "", spline, {path})});
    Mirror(SceneText(ObjectText("Rows", 5140, {}, {}, {1, 1, 1}, "", "", {sweep})),
           {"--axis", std::string(1, c.axis), "--points"});

    const Object& profile = Find("Rows/Sweep/Profile");
    EXPECT_EQ(*profile.data.points, (std::vector<Vec3>{{1, -2, 3}, {4, 5, 6}}));
    EXPECT_EQ(*profile.data.tangents,
              (std::vector<Tangent>{{{1, -2, 3}, {-1, 2, -3}}, {{0.5, -1.5, 2.5}, {3.5, -4.5, 5.5}}}));
    EXPECT_EQ(profile.data.vector, c.vector);

    // One level further down, a spline is mirrored along the axis only.
    const Object& below = Find("Rows/Sweep/Profile/Path");
    const auto flip = [&](Vec3 v) {
      (c.axis == 'x' ? v.x : c.axis == 'y' ? v.y : v.z) *= -1;
      return v;
    };
    EXPECT_EQ(*below.data.points, (std::vector<Vec3>{flip({1, 2, 3}), flip({4, -5, 6})}));
    EXPECT_EQ(below.data.tangents->at(1), (Tangent{flip({0.5, 1.5, 2.5}), flip({3.5, 4.5, 5.5})}));
    EXPECT_EQ(below.data.vector, (Vec3{1, 2, 3}));
  }
}

}  // namespace
}  // namespace vitrel::handlers
