// The check that the plug-in registers each object of the document before it
// changes it inside an undo group.
#include <algorithm>
#include <functional>

#include "scene_testing.h"

namespace standin::testing {
namespace {

using WriteFn = std::function<void(const VtSceneOps&, VtDocument*, VtObject*)>;

struct Write {
  const char* what;
  WriteFn apply;
};

const Write kWrites[] = {
    {"name",
     [](auto& ops, auto*, auto* op) {
       ops.object_set_name(op, {"N", 1});
     }},
    {"matrix",
     [](auto& ops, auto*, auto* op) {
       VtMatrix m{{1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
       ops.object_set_ml(op, &m);
     }},
    {"container",
     [](auto& ops, auto*, auto* op) {
       VtContainer* bc = ops.object_get_container(op);
       ops.container_set_int32(bc, 5, 5);
       ops.object_set_container(op, bc, VT_SETCONTAINER_MERGE);
       ops.container_free(bc);
     }},
    {"vector",
     [](auto& ops, auto*, auto* op) {
       VtVector v{1, 0, 0};
       ops.object_set_vector(op, &v);
     }},
    {"color",
     [](auto& ops, auto*, auto* op) {
       VtDisplayColor c{1, {0, 0, 0}, 0};
       ops.object_set_display_color(op, &c);
     }},
    {"polygons",
     [](auto& ops, auto* doc, auto* op) {
       VtModelingCommandData cmd{doc, op};
       ops.send_modeling_command(217, &cmd);
     }},
    {"points through a pointer",
     [](auto& ops, auto*, auto* op) {
       if (auto* points = static_cast<VtVector*>(ops.object_tag_data_writable(op, VT_TAG_POINTS)))
         points->y += 1;
     }},
};

class CoverageTest : public SceneTest {
 protected:
  Object* Polygon(const char* name, Object* parent) {
    Object* op = Add(5100, name, parent);
    op->data.points = std::vector<Vec3>{{1, 1, 1}, {2, 2, 2}, {3, 3, 3}};
    op->data.polygons = std::vector<standin::Polygon>{{0, 1, 2, 2}};
    return op;
  }
  void Start() { ops.document_start_undo(vdoc()); }
  void End() { ops.document_end_undo(vdoc()); }
  void Register(int32_t type, Object* op) { ops.document_add_undo(vdoc(), type, H(op)); }
};

TEST_F(CoverageTest, EveryKindOfWriteToAnUnregisteredObjectIsReportedOncePerGroup) {
  for (const Write& write : kWrites) {
    SCOPED_TRACE(write.what);
    Restart();
    Object* top = Add(5140, "Top");
    Object* op = Polygon("Obj", top);
    Object* loose = Loose(5100, "Loose");
    loose->data = op->data;

    Start();
    write.apply(ops, vdoc(), H(loose));  // outside the document
    write.apply(ops, vdoc(), H(op));
    write.apply(ops, vdoc(), H(op));
    End();
    auto missing = Events("undo.missing");
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_STREQ(missing[0]["object"].GetString(), "Top/Obj");

    Start();
    Register(VT_UNDOTYPE_CHANGE, op);
    write.apply(ops, vdoc(), H(op));
    End();
    EXPECT_EQ(Count("undo.missing"), 1) << "a registered object";

    Start();
    Register(VT_UNDOTYPE_CHANGE, top);
    write.apply(ops, vdoc(), H(op));
    End();
    EXPECT_EQ(Count("undo.missing"), 2) << "a change of the parent does not cover its children";

    write.apply(ops, vdoc(), H(op));
    EXPECT_EQ(Count("undo.missing"), 2) << "no group open";
  }
}

TEST_F(CoverageTest, ObjectsBelowANewObjectAreCovered) {
  Object* arm = Add(5140, "Arm");
  Object* hand = Polygon("Hand", arm);
  Polygon("Finger", hand);
  Start();
  VtObject* clone = ops.object_clone(H(arm), VT_COPYFLAGS_NONE, nullptr);
  ops.document_insert_object(vdoc(), clone, nullptr, nullptr, 1);
  Register(VT_UNDOTYPE_NEWOBJ, O(clone));
  for (VtObject* at = clone; at != nullptr; at = ops.object_down(at)) {
    for (const Write& write : kWrites) write.apply(ops, vdoc(), at);
  }
  EXPECT_EQ(Count("undo.missing"), 0);
  kWrites[0].apply(ops, vdoc(), H(hand));
  End();
  auto missing = Events("undo.missing");
  ASSERT_EQ(missing.size(), 1u);
  EXPECT_STREQ(missing[0]["object"].GetString(), "Arm/Hand");
}

TEST_F(CoverageTest, TagDataWrittenBeforeRegistrationIsFoundAtRegistrationOrAtTheEnd) {
  Object* written = Polygon("Written", nullptr);
  Object* untouched = Polygon("Untouched", nullptr);
  Object* late = Polygon("Late", nullptr);
  Object* tangents = Add(5101, "Spline");
  tangents->data.points = std::vector<Vec3>{{0, 0, 0}};
  tangents->data.tangents = std::vector<Tangent>{{{1, 0, 0}, {0, 1, 0}}};
  Start();
  static_cast<VtVector*>(ops.object_tag_data_writable(H(written), VT_TAG_POINTS))->x = -1;
  ops.object_tag_data_writable(H(untouched), VT_TAG_POINTS);
  static_cast<VtVector*>(ops.object_tag_data_writable(H(late), VT_TAG_POINTS))->z = 4;
  static_cast<VtTangent*>(ops.object_tag_data_writable(H(tangents), VT_TAG_TANGENTS))->right.z = 3;
  Register(VT_UNDOTYPE_CHANGE, written);
  Register(VT_UNDOTYPE_CHANGE, untouched);
  EXPECT_EQ(Count("undo.missing"), 1) << "found when the object is registered";
  End();
  std::vector<std::string> names;
  for (auto& event : Events("undo.missing")) names.push_back(event["object"].GetString());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Late", "Spline", "Written"}));
}

// A new object is registered once it is in the document, before the group
// ends; registered before, the application's undo would leave it behind.
TEST_F(CoverageTest, InsertionNeedsARegistrationAsNewObjectOnceInTheDocument) {
  Object* late_new = Add(5140, "LateNew");
  Object* changed_only = Loose(5140, "ChangedOnly");
  Object* parent = Loose(5140, "Parent");
  Object* child = Loose(5140, "Child");
  Object* early = Loose(5140, "Early");
  Start();
  Register(VT_UNDOTYPE_CHANGE, changed_only);
  ops.document_insert_object(vdoc(), H(changed_only), nullptr, nullptr, 0);
  ops.document_insert_object(vdoc(), H(parent), nullptr, nullptr, 0);
  Register(VT_UNDOTYPE_NEWOBJ, parent);
  ops.document_insert_object(vdoc(), H(child), H(parent), nullptr, 0);
  EXPECT_EQ(ops.document_add_undo(vdoc(), VT_UNDOTYPE_NEWOBJ, H(early)), 0);
  ops.document_insert_object(vdoc(), H(early), nullptr, nullptr, 0);
  // An object of the document found uncovered, then registered as new.
  ops.object_set_name(H(late_new), {"LateNew", 7});
  Register(VT_UNDOTYPE_NEWOBJ, late_new);
  ops.document_insert_object(vdoc(), H(Loose(5140, "Below")), H(late_new), nullptr, 0);
  End();
  std::vector<std::string> missing;
  for (auto& event : Events("undo.missing")) missing.push_back(event["object"].GetString());
  EXPECT_EQ(missing, (std::vector<std::string>{"LateNew", "ChangedOnly", "Early"}));
  const auto checks = Events("check");
  ASSERT_EQ(checks.size(), 1u);
  EXPECT_STREQ(checks[0]["what"].GetString(), "undo");
}

}  // namespace
}  // namespace standin::testing
