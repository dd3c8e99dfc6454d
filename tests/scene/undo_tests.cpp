// Undo and redo of whole groups, driven through the host table as the
// plug-in drives it.
#include "scene_testing.h"
#include "undo/undo_history.h"

namespace standin::testing {
namespace {

class UndoTest : public SceneTest {
 protected:
  // Two top objects: a selected null with a polygon child and a spline
  // child, and a primitive with a curve parameter.
  void BuildScene() {
    arm_ = Add(5140, "Arm");
    arm_->selected = true;
    arm_->data.params = {{1002, 2.5}, {1300, int32_t{1}}};
    Object* hand = Add(5100, "Hand", arm_);
    hand->data.points = std::vector<Vec3>{{1, 2, 3}, {-4, 5, 6}, {7, 8, 9}, {0, 1, 0}};
    hand->data.polygons = std::vector<Polygon>{{0, 1, 2, 3}, {0, 1, 2, 2}};
    Object* curve = Add(5101, "Curve", arm_);
    curve->data.points = std::vector<Vec3>{{1, 0, 0}, {2, 0, 0}};
    curve->data.tangents = std::vector<Tangent>{{{0, 1, 0}, {0, -1, 0}}, {{1, 1, 1}, {2, 2, 2}}};
    cube_ = Add(5162, "Cube");
    cube_->data.params = {{1016, SplineCurve{{{0, 0.25}, {1, 1}}}}};
  }

  // Changes `op` as a mirror handler does: registered first, then every kind
  // of write the host offers.
  void ChangeObject(VtObject* op) {
    ops.document_add_undo(vdoc(), VT_UNDOTYPE_CHANGE, op);
    VtMatrix m;
    ops.object_get_ml(op, &m);
    m.off.x = -m.off.x - 1;
    m.v1 = {-1, 0, 0};
    ops.object_set_ml(op, &m);
    VtVector v{1, 2, 3};
    ops.object_set_vector(op, &v);
    VtDisplayColor color{2, {0.5, 0, 0}, 1};
    ops.object_set_display_color(op, &color);
    VtContainer* bc = ops.object_get_container(op);
    ops.container_set_float(bc, 1002, -ops.container_get_float(bc, 1002, 0));
    ops.container_set_int32(bc, 1300, 0);
    ops.object_set_container(op, bc, VT_SETCONTAINER_MERGE);
    ops.container_free(bc);
    if (auto* points = static_cast<VtVector*>(ops.object_tag_data_writable(op, VT_TAG_POINTS))) {
      const int32_t n = ops.object_tag_data_count(op, VT_TAG_POINTS);
      for (int32_t i = 0; i < n; ++i) points[i].x = -points[i].x;
      VtPointsChanged record{n, n, nullptr, 1};
      ops.object_message(op, 1, &record);
    }
    if (auto* tangents = static_cast<VtTangent*>(ops.object_tag_data_writable(op, VT_TAG_TANGENTS))) {
      tangents[0].left.y = 7;
    }
    VtModelingCommandData cmd{vdoc(), op};
    ops.send_modeling_command(217, &cmd);
  }

  // A run like the plug-in's: the first active object duplicated (or not),
  // inserted, made active, renamed, and it and everything below changed.
  void Run(bool duplicate) {
    VtObjectArray* active = ops.object_array_alloc();
    ops.document_get_active_objects(vdoc(), active, 0);
    VtObject* target = ops.object_array_get(active, 0);
    ASSERT_NE(target, nullptr);
    ops.document_start_undo(vdoc());
    if (duplicate) {
      VtAliasTrans* trans = ops.alias_trans_alloc();
      ASSERT_EQ(ops.alias_trans_init(trans, vdoc()), 1);
      VtObject* clone = ops.object_clone(target, VT_COPYFLAGS_NONE, trans);
      ops.alias_trans_translate(trans, 1);
      ops.document_add_undo(vdoc(), VT_UNDOTYPE_CHANGE, clone);
      ASSERT_EQ(ops.document_insert_object(vdoc(), clone, nullptr, nullptr, 1), 1);
      ops.document_add_undo(vdoc(), VT_UNDOTYPE_NEWOBJ, clone);
      ops.document_set_active_object(vdoc(), clone, 0);
      ops.object_set_name(clone, {"Arm_m", 5});
      ops.alias_trans_free(trans);
      target = clone;
    } else {
      ops.document_add_undo(vdoc(), VT_UNDOTYPE_CHANGE, H(cube_));
      ops.document_set_active_object(vdoc(), H(cube_), 0);
    }
    // Pre-order over the target's subtree through the table.
    for (VtObject* at = target; at != nullptr;) {
      ChangeObject(at);
      if (VtObject* down = ops.object_down(at)) {
        at = down;
        continue;
      }
      while (at != target && ops.object_next(at) == nullptr) at = ops.object_up(at);
      at = at == target ? nullptr : ops.object_next(at);
    }
    ops.document_end_undo(vdoc());
    ops.object_array_free(active);
  }

  Object* arm_ = nullptr;
  Object* cube_ = nullptr;
};

TEST_F(UndoTest, UndoTakesBackAWholeRunAndRedoBringsItBack) {
  for (bool duplicate : {true, false}) {
    SCOPED_TRACE(duplicate ? "duplicate" : "in place");
    Restart();
    BuildScene();
    Document& before = Keep();
    Run(duplicate);
    Document& after = Keep();
    ASSERT_FALSE(SameDocument(before, doc()));
    EXPECT_EQ(Count("undo.missing"), 0);

    ASSERT_TRUE(Undo(doc()));
    EXPECT_TRUE(SameDocument(before, doc()));
    ASSERT_TRUE(Redo(doc()));
    EXPECT_TRUE(SameDocument(after, doc()));
    ASSERT_TRUE(Undo(doc()));
    EXPECT_TRUE(SameDocument(before, doc()));
    EXPECT_FALSE(Undo(doc()));
  }
}

TEST_F(UndoTest, GroupsAreUndoneInTurnAndANewGroupDropsTheRedoHistory) {
  Object* a = Add(5140, "A");
  Object* b = Add(5140, "B");
  auto rename = [&](Object* op, const char* name) {
    ops.document_start_undo(vdoc());
    ops.document_add_undo(vdoc(), VT_UNDOTYPE_CHANGE, H(op));
    ops.object_set_name(H(op), {name, 2});
    ops.document_end_undo(vdoc());
  };
  rename(a, "A2");
  rename(b, "B2");
  ASSERT_TRUE(Undo(doc()));
  EXPECT_EQ(a->data.name, "A2");
  EXPECT_EQ(b->data.name, "B");
  ASSERT_TRUE(Undo(doc()));
  EXPECT_EQ(a->data.name, "A");
  ASSERT_TRUE(Redo(doc()));
  EXPECT_EQ(a->data.name, "A2");
  EXPECT_EQ(b->data.name, "B");

  rename(b, "B3");
  EXPECT_FALSE(Redo(doc()));
  ASSERT_TRUE(Undo(doc()));
  EXPECT_EQ(b->data.name, "B");
  ASSERT_TRUE(Undo(doc()));
  EXPECT_EQ(a->data.name, "A");
}

TEST_F(UndoTest, NestedStartsMakeOneGroupAndEmptyGroupsAreDropped) {
  Object* a = Add(5140, "A");
  ops.document_start_undo(vdoc());
  ops.document_start_undo(vdoc());
  ops.document_add_undo(vdoc(), VT_UNDOTYPE_CHANGE, H(a));
  ops.object_set_name(H(a), {"X", 1});
  ops.document_end_undo(vdoc());
  EXPECT_FALSE(Undo(doc())) << "undo while a group is open";
  ops.object_set_name(H(a), {"Y", 1});
  ops.document_end_undo(vdoc());
  EXPECT_EQ(ops.document_end_undo(vdoc()), 0) << "no group left to end";
  EXPECT_EQ(ops.document_add_undo(vdoc(), VT_UNDOTYPE_CHANGE, H(a)), 0) << "no group open";

  ops.document_start_undo(vdoc());
  ops.document_end_undo(vdoc());
  ASSERT_TRUE(Undo(doc())) << "the empty group left the last real one on top";
  EXPECT_EQ(a->data.name, "A");
  EXPECT_FALSE(Undo(doc()));
}

TEST_F(UndoTest, NewObjectsReturnToTheirPlacesOnRedo) {
  Object* a = Add(5140, "A");
  Add(5140, "Keep", a);
  Document& before = Keep();
  Object* x = Loose(5140, "X");
  Object* y = Loose(5140, "Y");
  Object* z = Loose(5140, "Z");
  Object* w = Loose(5140, "W");
  ops.document_start_undo(vdoc());
  ops.document_insert_object(vdoc(), H(x), nullptr, nullptr, 0);
  ops.document_insert_object(vdoc(), H(y), nullptr, H(x), 0);
  ops.document_insert_object(vdoc(), H(z), H(x), nullptr, 0);
  ops.document_insert_object(vdoc(), H(w), H(a), H(a->first_child), 0);
  for (Object* op : {x, y, z, w}) ops.document_add_undo(vdoc(), VT_UNDOTYPE_NEWOBJ, H(op));
  ops.document_end_undo(vdoc());
  Document& after = Keep();
  EXPECT_EQ(Count("undo.missing"), 0);

  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(Undo(doc()));
    EXPECT_TRUE(SameDocument(before, doc()));
    EXPECT_EQ(x->document, nullptr);
    ASSERT_TRUE(Redo(doc()));
    EXPECT_TRUE(SameDocument(after, doc()));
    EXPECT_EQ(z->parent, x);
  }
}

}  // namespace
}  // namespace standin::testing
