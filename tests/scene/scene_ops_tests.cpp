// The scene half of the host table: parameters, cloning, insertion,
// selection, the host's own operations, faults and bad handles.
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "base/fault_ahead.h"
#include "host/faults.h"
#include "scene/clone.h"
#include "scene_testing.h"

namespace standin::testing {
namespace {

class SceneOpsTest : public SceneTest {};

constexpr int32_t kId = 10;
constexpr int32_t kBoolPreset = 1, kIntPreset = -42;
constexpr double kFloatPreset = -0.5;
constexpr VtVector kVectorPreset{9, 9, 9};

struct ReadCase {
  const char* stored_as;
  std::optional<ParamValue> stored;
  int32_t as_bool;
  int32_t as_int;
  double as_float;
  VtVector as_vector;
};

TEST_F(SceneOpsTest, TypedReadsConvertOnlyBetweenIntegersAndFloats) {
  const ReadCase cases[] = {
      {"bool", false, 0, kIntPreset, kFloatPreset, kVectorPreset},
      {"int", int32_t{7}, kBoolPreset, 7, 7.0, kVectorPreset},
      {"float", 2.9, kBoolPreset, 2, 2.9, kVectorPreset},
      {"negative float", -2.9, kBoolPreset, -2, -2.9, kVectorPreset},
      {"float above int32", 2147483648.0, kBoolPreset, kIntPreset, 2147483648.0, kVectorPreset},
      {"float at int32 min", -2147483648.5, kBoolPreset, std::numeric_limits<int32_t>::min(), -2147483648.5,
       kVectorPreset},
      {"vector", Vec3{1, 2, 3}, kBoolPreset, kIntPreset, kFloatPreset, {1, 2, 3}},
      {"curve", SplineCurve{{{0, 1}}}, kBoolPreset, kIntPreset, kFloatPreset, kVectorPreset},
      {"missing", std::nullopt, kBoolPreset, kIntPreset, kFloatPreset, kVectorPreset},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.stored_as);
    Object* op = Add(5140, "Op");
    if (c.stored) op->data.params.emplace(kId, *c.stored);
    VtContainer* bc = ops.object_get_container(H(op));
    EXPECT_EQ(ops.container_get_bool(bc, kId, kBoolPreset), c.as_bool);
    EXPECT_EQ(ops.container_get_int32(bc, kId, kIntPreset), c.as_int);
    EXPECT_EQ(ops.container_get_float(bc, kId, kFloatPreset), c.as_float);
    VtVector v;
    ops.container_get_vector(bc, kId, &kVectorPreset, &v);
    EXPECT_TRUE(v.x == c.as_vector.x && v.y == c.as_vector.y && v.z == c.as_vector.z);
    EXPECT_EQ(ops.container_get_custom(bc, kId, VT_CUSTOMDATA_SPLINE_CURVE) != nullptr,
              c.stored && std::holds_alternative<SplineCurve>(*c.stored));
    ops.container_free(bc);
  }
}

TEST_F(SceneOpsTest, ContainerCopiesAreDeepAndWritesStoreTheWrittenType) {
  Object* op = Add(5140, "Op");
  op->data.params = {{1, 1.5}, {2, int32_t{3}}, {3, true}};
  VtContainer* bc = ops.object_get_container(H(op));
  ops.container_set_int32(bc, 1, 4);
  ops.container_set_bool(bc, 2, 5);
  ops.container_set_float(bc, 7, 0.25);
  EXPECT_EQ(op->data.params.at(1), ParamValue(1.5)) << "nothing changes before the set-back";
  EXPECT_EQ(ops.container_set_float(bc, 8, std::nan("")), 0) << "non-finite values are refused";
  EXPECT_EQ(Count("write.rejected"), 1);

  ops.object_set_container(H(op), bc, VT_SETCONTAINER_MERGE);
  EXPECT_EQ(op->data.params, (Container{{1, int32_t{4}}, {2, true}, {3, true}, {7, 0.25}}));
  ops.container_free(bc);

  bc = ops.object_get_container(H(Loose(5140, "Other")));
  ops.container_set_int32(bc, 9, 9);
  ops.object_set_container(H(op), bc, 0);
  EXPECT_EQ(op->data.params, (Container{{9, int32_t{9}}})) << "without merging the container is replaced";
  ops.container_free(bc);
}

TEST_F(SceneOpsTest, TheCurveLibraryMirrorsKnotsInPlace) {
  Object* sweep = Add(5118, "Sweep");
  sweep->data.params = {{1016, SplineCurve{{{0, 0.25}, {0.5, 1}, {1, -2}}}}};
  const auto* library = static_cast<const VtSplineCurveLibrary*>(ops.find_library(VT_LIBRARY_SPLINE_CURVE));
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(ops.find_library(1), nullptr);

  VtContainer* bc = ops.object_get_container(H(sweep));
  EXPECT_EQ(ops.container_get_custom(bc, 1016, 1), nullptr) << "another data type";
  VtCustomData* curve = ops.container_get_custom(bc, 1016, VT_CUSTOMDATA_SPLINE_CURVE);
  library->mirror(curve);
  ops.object_set_container(H(sweep), bc, VT_SETCONTAINER_MERGE);
  EXPECT_EQ(std::get<SplineCurve>(sweep->data.params.at(1016)), (SplineCurve{{{0, 0.75}, {0.5, 0}, {1, 3}}}));
  auto events = Events("curve");
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0]["library"].GetInt(), VT_LIBRARY_SPLINE_CURVE);
  EXPECT_STREQ(events[0]["object"].GetString(), "Sweep");

  ops.container_set_float(bc, 1016, 1.0);
  library->mirror(curve);  // the value is no curve any more
  ops.container_free(bc);
  library->mirror(curve);  // the container is gone
  library->mirror(nullptr);
  EXPECT_EQ(Count("curve"), 1);
}

TEST_F(SceneOpsTest, ClonesKeepNamesAndDataAndCopyFlagFourLeavesChildrenOut) {
  Object* arm = Add(5140, "Arm");
  arm->data.params = {{1, 2.0}};
  Object* hand = Add(5100, "Hand", arm);
  hand->data.points = std::vector<Vec3>{{1, 2, 3}};
  Add(5140, "Finger", hand);
  Add(5140, "Thumb", hand);
  Add(5101, "Elbow", arm);
  arm->selected = true;

  VtObject* full = ops.object_clone(H(arm), VT_COPYFLAGS_NONE, nullptr);
  EXPECT_EQ(O(full)->document, nullptr);
  EXPECT_FALSE(O(full)->selected);
  Document& copy = TheSceneHost().scene().NewDocument();
  copy.Append(O(full), nullptr);
  O(full)->selected = true;
  EXPECT_TRUE(SameDocument(doc(), copy));

  VtObject* alone = ops.object_clone(H(hand), VT_COPYFLAGS_NO_HIERARCHY, nullptr);
  EXPECT_EQ(ops.object_down(alone), nullptr);
  EXPECT_EQ(O(alone)->data, hand->data);
  EXPECT_EQ(O(alone)->parent, nullptr);
}

// Lists big enough that their fresh pages are made ready on another thread
// while they are filled: the pages are made ready, never changed, so
// neither a copy nor a buffer that already holds data loses a value.
TEST(LargeListCopy, PagesMadeReadyAheadKeepEveryValue) {
  std::optional<std::vector<Vec3>> points(std::in_place);
  for (size_t i = 0; i < 600000; ++i) {
    const double x = static_cast<double>(i);
    points->push_back({x, -x / 7, x * 1e-3});
  }
  ASSERT_GT(points->size() * sizeof(Vec3) / 2, FaultAhead::kWorthIt);
  EXPECT_EQ(CopyList(points), points);

  std::vector<Vec3> filled = *points;
  { const FaultAhead ready(filled.data(), filled.size() * sizeof(Vec3)); }
  EXPECT_EQ(filled, *points);
}

TEST_F(SceneOpsTest, InsertingWithUniqueNamesPicksTheSmallestFreeSuffix) {
  Object* cube = Add(5162, "Cube");
  Add(5162, "Cube.1");
  Add(5162, "Cube.3", cube);
  Add(5140, "Sphere", cube);
  // Not suffixed forms of "Cube": they leave ".2" free.
  Add(5140, "Cube.02");
  Add(5140, "Cube.2x");
  Add(5140, "Cube.");
  struct Case {
    const char* name;
    int32_t unique;
    const char* expected;
  };
  const Case cases[] = {
      {"Cube", 1, "Cube.2"}, {"Sphere", 1, "Sphere.1"}, {"Cone", 1, "Cone"},
      {"Cube", 0, "Cube"},   {"Cube", 1, "Cube.4"},     {"", 1, ""},
      {"", 1, ".1"},
  };
  for (const Case& c : cases) {
    Object* op = Loose(5140, c.name);
    Object* child = Loose(5140, c.name);
    LinkOutside(child, op);
    ASSERT_EQ(ops.document_insert_object(vdoc(), H(op), nullptr, nullptr, c.unique), 1);
    EXPECT_EQ(op->data.name, c.expected);
    EXPECT_EQ(child->data.name, c.name) << "children keep their names";
    EXPECT_EQ(doc().first(), op);
  }
  auto inserts = Events("insert");
  ASSERT_EQ(inserts.size(), std::size(cases));
  EXPECT_STREQ(inserts[0]["object"].GetString(), "Cube.2");
  EXPECT_TRUE(inserts[0]["uniqueName"].GetBool());

  // Only a loose root goes in, and only where its parent and predecessor fit.
  Object* loose = Loose(5140, "L");
  EXPECT_EQ(ops.document_insert_object(vdoc(), H(cube), nullptr, nullptr, 0), 0);
  EXPECT_EQ(ops.document_insert_object(vdoc(), H(cube->first_child), nullptr, nullptr, 0), 0);
  EXPECT_EQ(ops.document_insert_object(vdoc(), H(loose), H(cube), H(doc().first()), 0), 0);
  EXPECT_EQ(ops.document_insert_object(vdoc(), H(loose), H(cube), H(cube->first_child), 0), 1);
  EXPECT_EQ(cube->first_child->next, loose);
}

TEST_F(SceneOpsTest, ActiveObjectsComeInDocumentOrderAndModeZeroSelectsOne) {
  Object* a = Add(5140, "A");
  Object* b = Add(5140, "B", a);
  Object* c = Add(5140, "C");
  Object* d = Add(5140, "D", c);
  for (Object* op : {d, b, a}) op->selected = true;
  VtObjectArray* active = ops.object_array_alloc();
  ops.document_get_active_objects(vdoc(), active, 0);
  ASSERT_EQ(ops.object_array_count(active), 3);
  EXPECT_EQ(O(ops.object_array_get(active, 0)), a);
  EXPECT_EQ(O(ops.object_array_get(active, 1)), b);
  EXPECT_EQ(O(ops.object_array_get(active, 2)), d);

  ops.document_set_active_object(vdoc(), H(c), 0);
  ops.document_get_active_objects(vdoc(), active, 0);
  ASSERT_EQ(ops.object_array_count(active), 1);
  EXPECT_EQ(O(ops.object_array_get(active, 0)), c);
  ops.object_array_free(active);

  auto events = Events("active");
  ASSERT_EQ(events.size(), 1u);
  EXPECT_STREQ(events[0]["object"].GetString(), "C");
}

TEST_F(SceneOpsTest, ModelingCommandReversesNormalsOfPolygonObjectsOnly) {
  Object* mesh = Add(5100, "Mesh");
  mesh->data.points = std::vector<Vec3>(8);
  mesh->data.polygons = std::vector<Polygon>{{0, 1, 2, 3}, {4, 5, 6, 6}, {7, 7, 7, 7}};
  Object* spline = Add(5101, "Spline");
  VtModelingCommandData on_mesh{vdoc(), H(mesh)}, on_spline{vdoc(), H(spline)};
  EXPECT_EQ(ops.send_modeling_command(216, &on_mesh), 0);
  EXPECT_EQ(ops.send_modeling_command(217, &on_spline), 0);
  EXPECT_EQ(ops.send_modeling_command(217, nullptr), 0);
  ASSERT_EQ(ops.send_modeling_command(217, &on_mesh), 1);
  EXPECT_EQ(*mesh->data.polygons, (std::vector<Polygon>{{0, 3, 2, 1}, {4, 6, 5, 5}, {7, 7, 7, 7}}));
  EXPECT_EQ(Count("modeling"), 3);
}

TEST_F(SceneOpsTest, PointMessagesAreCheckedAgainstTheRealPointCount) {
  Object* mesh = Add(5100, "Mesh");
  mesh->data.points = std::vector<Vec3>(3);
  VtPointsChanged right{3, 3, nullptr, 1}, wrong{2, 3, nullptr, 1};
  ops.object_message(H(mesh), 1, &right);
  ops.object_message(H(mesh), 1, &wrong);
  ops.object_message(H(mesh), 7, nullptr);
  auto messages = Events("message");
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0]["record"]["newCount"].GetInt(), 3);
  EXPECT_TRUE(messages[0]["record"]["map"].IsNull());
  EXPECT_EQ(messages[0]["record"]["flags"].GetInt(), 1);
  EXPECT_TRUE(messages[2]["record"].IsNull());
  auto mismatches = Events("message.mismatch");
  ASSERT_EQ(mismatches.size(), 1u);
  EXPECT_STREQ(mismatches[0]["object"].GetString(), "Mesh");
  EXPECT_EQ(mismatches[0]["expected"].GetInt(), 3);
  EXPECT_EQ(mismatches[0]["got"].GetInt(), 2);
}

TEST_F(SceneOpsTest, WritesRefuseWhatCouldNotBeWrittenBack) {
  Object* op = Add(5140, "Op");
  EXPECT_EQ(ops.object_set_name(H(op), {"\xC3\x28", 2}), 0) << "broken UTF-8";
  EXPECT_EQ(ops.object_set_name(H(op), {"\xE2\x82\xAC!", 4}), 1);
  EXPECT_EQ(op->data.name, "\xE2\x82\xAC!");
  auto renames = Events("rename");
  ASSERT_EQ(renames.size(), 1u);
  EXPECT_STREQ(renames[0]["from"].GetString(), "Op");

  VtMatrix m{{std::numeric_limits<double>::infinity(), 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  EXPECT_EQ(ops.object_set_ml(H(op), &m), 0);
  EXPECT_EQ(op->data.matrix, Matrix{});
  EXPECT_EQ(Count("write.rejected"), 2);
}

TEST_F(SceneOpsTest, InjectedFaultsGiveNothing) {
  Object* op = Add(5100, "Op");
  op->data.points = std::vector<Vec3>(2);
  VtAliasTrans* trans = nullptr;
  const std::pair<Fault, std::function<bool()>> cases[] = {
      {Fault::kObjectArray, [&] { return ops.object_array_alloc() != nullptr; }},
      {Fault::kAliasTrans, [&] { return (trans = ops.alias_trans_alloc()) != nullptr; }},
      {Fault::kAliasTrans, [&] { return ops.alias_trans_init(trans, vdoc()) != 0; }},
      {Fault::kClone, [&] { return ops.object_clone(H(op), 0, nullptr) != nullptr; }},
      {Fault::kContainer, [&] { return ops.object_get_container(H(op)) != nullptr; }},
      {Fault::kTagData, [&] { return ops.object_tag_data_writable(H(op), VT_TAG_POINTS) != nullptr; }},
  };
  for (const auto& [fault, call] : cases) {
    HostFaults().FailFrom(fault, 1);
    EXPECT_FALSE(call()) << static_cast<int>(fault);
    EXPECT_TRUE(call()) << "only the one call fails";
  }
  EXPECT_EQ(ops.object_tag_data_count(H(op), VT_TAG_POINTS), 2);
}

TEST_F(SceneOpsTest, NullAndUnknownHandlesAreRefused) {
  Object* op = Add(5100, "Op");
  VtContainer* freed = ops.object_get_container(H(op));
  ops.container_free(freed);
  ops.container_free(freed);
  int32_t storage = 0;
  auto* bogus_array = reinterpret_cast<VtObjectArray*>(&storage);
  auto* bogus_trans = reinterpret_cast<VtAliasTrans*>(&storage);
  VtVector v{1, 1, 1};

  ops.object_array_free(bogus_array);
  ops.document_get_active_objects(vdoc(), bogus_array, 0);
  EXPECT_EQ(ops.object_array_count(bogus_array), 0);
  EXPECT_EQ(ops.object_array_get(nullptr, 0), nullptr);
  EXPECT_EQ(ops.alias_trans_init(bogus_trans, vdoc()), 0);
  ops.alias_trans_free(bogus_trans);
  EXPECT_EQ(ops.object_clone(H(op), 0, bogus_trans), nullptr);
  EXPECT_EQ(ops.object_set_container(H(op), freed, 1), 0);
  EXPECT_EQ(ops.container_get_int32(freed, 1, 5), 5);
  ops.container_get_vector(freed, 1, nullptr, &v);
  EXPECT_EQ(v.x, 0.0);
  EXPECT_EQ(ops.container_get_custom(freed, 1, VT_CUSTOMDATA_SPLINE_CURVE), nullptr);
  EXPECT_EQ(ops.container_set_float(freed, 1, 1), 0);
  EXPECT_EQ(ops.document_insert_object(nullptr, H(op), nullptr, nullptr, 0), 0);
  EXPECT_EQ(ops.document_add_undo(vdoc(), VT_UNDOTYPE_CHANGE, nullptr), 0);
  EXPECT_EQ(ops.object_set_name(H(op), {"x", -1}), 0);
  EXPECT_EQ(ops.object_tag_data_writable(H(op), VT_TAG_POINTS), nullptr) << "no points";
  EXPECT_EQ(ops.object_tag_data_count(H(op), 1234), 0);
  ops.matrix_to_hpb(nullptr, VT_ROTATIONORDER_HPB, &v);
  ops.hpb_to_matrix(&v, VT_ROTATIONORDER_HPB, nullptr);
  ops.document_set_active_object(vdoc(), H(op), 99);
  EXPECT_EQ(Count("active"), 0);
}

}  // namespace
}  // namespace standin::testing
