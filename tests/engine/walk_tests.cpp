// The walk over a hierarchy and the mirroring of each object's placement.
#include <random>
#include <set>

#include "engine_fixture.h"
#include "flipit_ids.h"
#include "journal/journal.h"
#include "mirror.h"
#include "mirror_support.h"

namespace vitrel::testing {
namespace {

using standin::Object;
using standin::Vec3;

// The visits of the recursive walk that the engine's walk stands in for.
void RecursiveVisits(const Object* op, bool isTop, const std::set<const Object*>& stops,
                     std::vector<const Object*>& out) {
  out.push_back(op);
  if (stops.count(op) != 0) return;
  if (op->first_child != nullptr) RecursiveVisits(op->first_child, false, stops, out);
  if (isTop) return;
  if (op->next != nullptr) RecursiveVisits(op->next, false, stops, out);
}

TEST_F(EngineTest, VisitsAsTheRecursiveWalkAlsoWhenItReturnsEarlyAnywhere) {
  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    // A random forest of 40 objects, some of them stopping the walk.
    std::vector<Object*> all;
    std::set<const Object*> stops;
    for (int i = 0; i < 40; ++i) {
      Object* parent = all.empty() || random() % 4 == 0 ? nullptr : all[random() % all.size()];
      all.push_back(Add(5100, std::to_string(i), parent));
      if (random() % 5 == 0) stops.insert(all.back());
    }
    for (Object* start : {all[0], all[random() % all.size()], all[random() % all.size()]}) {
      for (bool isTop : {true, false}) {
        std::vector<const Object*> expected, visited;
        RecursiveVisits(start, isTop, stops, expected);
        auto level = [](const Object* op) {
          int32_t up = 0;
          for (; op->parent != nullptr; op = op->parent) ++up;
          return up;
        };
        vitrel::mirror::VisitHierarchy(Op(start), isTop, [&](BaseObject* op, int32_t depth) {
          visited.push_back(reinterpret_cast<const Object*>(op));
          EXPECT_EQ(depth, level(visited.back()) - level(start));
          return stops.count(visited.back()) == 0;
        });
        ASSERT_EQ(visited, expected) << "round " << round << (isTop ? ", top" : ", not top");
      }
    }
    ResetScene();
  }
}

TEST_F(EngineTest, WalkMirrorsDepthFirstAndNeverTheTopObjectsSiblings) {
  Object* top = Add(5100, "P");
  Object* first = Add(5100, "A", top);
  Add(5100, "A1", first);
  Add(5100, "B", top);
  Object* sibling = Add(5100, "S");
  sibling->data.matrix.off = {1, 0, 0};
  SetOption(IDC_MIRROR_POINTS, false);
  SetOption(IDC_SKIP_POLYGON_COMMAND, true);

  InGroup([&] { WalkHierarchy(dialog(), Op(top), Doc(), true); });
  EXPECT_EQ(Objects("undo.add"), (std::vector<std::string>{"P", "P/A", "P/A/A1", "P/B"}));
  EXPECT_EQ(Events("refresh").size(), 4u);
  EXPECT_EQ(sibling->data.matrix.off.x, 1.0);
}

TEST_F(EngineTest, SkippingChildrenMirrorsTheTopObjectAlone) {
  Object* top = AddPlaced(5100, {1, 0, 0}, {});
  Object* child = Add(5100, "child", top);
  child->data.matrix.off = {1, 0, 0};
  SetOption(IDC_SKIP_CHILDREN, true);

  InGroup([&] { WalkHierarchy(dialog(), Op(top), Doc(), true); });
  EXPECT_EQ(top->data.matrix.off.x, -1.0);
  EXPECT_EQ(child->data.matrix.off.x, 1.0);
}

// Placement across each axis in each positioning mode, for an object at
// (10, 5, 2) turned by (0.5, 0.2, 0.1) and scaled (2, 1, 3). An array object
// shows whether the type handler ran: it negates its 1002.
struct PlacementCase {
  int32_t axis, mode;
  Vec3 off, hpb;
  bool handler;
};

TEST_F(EngineTest, MirrorsThePlacementByAxisAndModeAndKeepsTheScale) {
  const PlacementCase cases[] = {
      {AXIS_X, POSITION_MOVE_ROTATE, {-10, 5, 2}, {-0.5, 0.2, -0.1}, true},
      {AXIS_Y, POSITION_MOVE_ROTATE, {10, -5, 2}, {0.5, -0.2, -0.1}, true},
      {AXIS_Z, POSITION_MOVE_ROTATE, {10, 5, -2}, {-0.5, -0.2, 0.1}, true},
      {AXIS_X, POSITION_MOVE, {-10, 5, 2}, {0.5, 0.2, 0.1}, false},
      {AXIS_Y, POSITION_ROTATE, {10, 5, 2}, {0.5, -0.2, -0.1}, true},
      {AXIS_Z, POSITION_NONE, {10, 5, 2}, {0.5, 0.2, 0.1}, false},
      {4999, POSITION_MOVE_ROTATE, {10, 5, 2}, {0.5, 0.2, 0.1}, true},
      {5003, POSITION_MOVE, {10, 5, 2}, {0.5, 0.2, 0.1}, false},
  };
  for (const PlacementCase& c : cases) {
    const std::string name = (::testing::Message() << "axis " << c.axis << ", mode " << c.mode).GetString();
    SCOPED_TRACE(name);
    ResetScene(name);
    Object* op = AddPlaced(5150, {10, 5, 2}, {0.5, 0.2, 0.1}, {2, 1, 3});
    op->data.params[1002] = 4.0;
    SetOption(IDC_AXIS, c.axis);
    SetOption(IDC_POSITIONING, c.mode);

    InGroup([&] { MirrorObject(dialog(), Op(op), Doc()); });
    ExpectSameMatrix(op->data.matrix, PlacedMatrix(c.off, c.hpb, {2, 1, 3}));
    EXPECT_EQ(std::get<double>(op->data.params[1002]), c.handler ? -4.0 : 4.0);
    EXPECT_FALSE(Events("undo.add").empty());
  }
}

TEST_F(EngineTest, PolygonObjectsGetTheModelingCommandUnlessSkipped) {
  for (bool skip : {false, true}) {
    ResetScene(skip ? "polygon command skipped" : "polygon command run");
    Object* polygon = Add(5100, "poly");
    polygon->data.points = std::vector<Vec3>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    polygon->data.polygons = std::vector<standin::Polygon>{{0, 1, 2, 3}};
    Object* spline = Add(5101, "spline");
    SetOption(IDC_SKIP_POLYGON_COMMAND, skip);

    InGroup([&] {
      MirrorObject(dialog(), Op(polygon), Doc());
      MirrorObject(dialog(), Op(spline), Doc());
    });
    const standin::Polygon expected = skip ? standin::Polygon{0, 1, 2, 3} : standin::Polygon{0, 3, 2, 1};
    EXPECT_EQ((*polygon->data.polygons)[0], expected);
    EXPECT_EQ(Objects("modeling").size(), skip ? 0u : 1u);
  }
}

// A chain 100,000 deep and a group of 200,000 children are walked, renamed
// and mirrored without the walk growing with them.
TEST_F(EngineTest, DeepAndWideHierarchiesAreWalkedAndRenamedWhole) {
  standin::HostJournal().SetOutput(nullptr);
  SetOption(IDC_MIRROR_POINTS, false);
  Object* chain = Add(5100, "c");
  Object* last = chain;
  for (int i = 1; i < 100000; ++i) last = Add(5100, "c", last);
  last->data.matrix.off = {3, 0, 0};
  Object* group = Add(5100, "g");
  Object* child = nullptr;
  for (int i = 0; i < 200000; ++i) child = Add(5100, "g", group);
  child->data.matrix.off = {3, 0, 0};

  for (Object* top : {chain, group}) {
    InGroup([&] { WalkHierarchy(dialog(), Op(top), Doc(), true); });
    RenameHierarchy(Op(top), true, "_m", true);
  }
  EXPECT_EQ(last->data.matrix.off.x, -3.0);
  EXPECT_EQ(child->data.matrix.off.x, -3.0);
  EXPECT_EQ(last->data.name, "c_m");
  EXPECT_EQ(child->data.name, "g_m");
  EXPECT_EQ(standin::HostJournal().Count("refresh"), 100000 + 1 + 200000);
}

}  // namespace
}  // namespace vitrel::testing
