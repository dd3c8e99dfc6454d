// A hierarchy as deep as users build them: cloned, changed, checked,
// undone and redone in linear time and without recursion. (A wide group
// goes through the program in tests/e2e.)
#include "journal/journal.h"
#include "scene_testing.h"
#include "undo/undo_history.h"

namespace standin::testing {
namespace {

class ScaleTest : public SceneTest {
 protected:
  // Paths of deep objects are long; writing them is the journal's cost, not
  // the scene's, so these tests only count events.
  void SetUp() override {
    SceneTest::SetUp();
    HostJournal().SetOutput(nullptr);
  }

  // Duplicates the selected `top` as the plug-in does and, in the same
  // group, changes every object of the clone and renames every object of the
  // original after registering it. Both are visited from their last object
  // back to their first, the hardest order for the check of what lies below
  // a new object.
  void DuplicateAndChange(Object* top) {
    ops.document_start_undo(vdoc());
    VtObject* clone = ops.object_clone(H(top), VT_COPYFLAGS_NONE, nullptr);
    ASSERT_NE(clone, nullptr);
    ASSERT_EQ(ops.document_insert_object(vdoc(), clone, nullptr, nullptr, 1), 1);
    ops.document_add_undo(vdoc(), VT_UNDOTYPE_NEWOBJ, clone);
    ops.document_set_active_object(vdoc(), clone, 0);
    const VtMatrix moved{{-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (VtObject* at : Backwards(O(clone))) ops.object_set_ml(at, &moved);
    for (VtObject* at : Backwards(top)) {
      ops.document_add_undo(vdoc(), VT_UNDOTYPE_CHANGE, at);
      ops.object_set_name(at, {"changed", 7});
    }
    ops.document_end_undo(vdoc());
  }

  static std::vector<VtObject*> Backwards(Object* top) {
    std::vector<VtObject*> all;
    for (Object* at = top; at != nullptr; at = NextInSubtree(top, at)) all.push_back(H(at));
    return {all.rbegin(), all.rend()};
  }

  void ExpectUndoRedo(const Document& before) {
    Document& after = Keep();
    ASSERT_TRUE(Undo(doc()));
    EXPECT_TRUE(SameDocument(before, doc()));
    ASSERT_TRUE(Redo(doc()));
    EXPECT_TRUE(SameDocument(after, doc()));
  }
};

TEST_F(ScaleTest, AChainOneHundredThousandDeep) {
  constexpr int kDepth = 100'000;
  Object* top = Add(5140, "Chain");
  top->selected = true;
  Object* at = top;
  for (int i = 1; i < kDepth; ++i) at = Add(5140, "Link", at);
  Document& before = Keep();

  DuplicateAndChange(top);
  EXPECT_EQ(Count("undo.missing"), 0);
  ExpectUndoRedo(before);

  // Unregistered writes, deepest first, are each found once.
  ops.document_start_undo(vdoc());
  for (VtObject* op : Backwards(top)) ops.object_set_name(op, {"again", 5});
  ops.document_end_undo(vdoc());
  EXPECT_EQ(Count("undo.missing"), kDepth);
}

}  // namespace
}  // namespace standin::testing
