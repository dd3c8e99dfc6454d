// Each broken rule of a scene file stops the reading with one line naming
// the place where the rule is broken.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

#include "scene/rotation.h"
#include "scene_text.h"

namespace standin {
namespace {

using testing::ReadFailure;
using testing::SceneWith;

struct BrokenRule {
  const char* label;
  std::string text;
  const char* message;
};

std::string LabelOf(const ::testing::TestParamInfo<BrokenRule>& test) { return test.param.label; }

class SceneBrokenRule : public ::testing::TestWithParam<BrokenRule> {};

TEST_P(SceneBrokenRule, NamesThePlace) { EXPECT_EQ(ReadFailure(GetParam().text), GetParam().message); }

const BrokenRule kTopLevel[] = {
    {"NotAnObject", "[1]", "t.json: expected an object, found an array"},
    {"MissingFormat", R"({"version": 1, "objects": []})", "t.json: missing key \"format\""},
    {"MissingObjects", R"({"format": "vitrel-scene", "version": 1})", "t.json: missing key \"objects\""},
    {"OtherFormat", R"({"format": "mesh", "version": 1, "objects": []})",
     "t.json: format: format must be \"vitrel-scene\""},
    {"LaterVersion", R"({"format": "vitrel-scene", "version": 2, "objects": []})",
     "t.json: version: version 2 is not supported (this host reads 1)"},
    {"VersionAsFloat", R"({"format": "vitrel-scene", "version": 1.0, "objects": []})",
     "t.json: version: expected an integer, found a float"},
    {"UnknownKey", R"({"format": "vitrel-scene", "version": 1, "objects": [], "extra": 0})",
     "t.json: extra: unknown key"},
    {"OddKeyQuoted", R"({"format": "vitrel-scene", "a b\n": 0})", "t.json: \"a b?\": unknown key"},
};
INSTANTIATE_TEST_SUITE_P(RuleTopLevel, SceneBrokenRule, ::testing::ValuesIn(kTopLevel), LabelOf);

const BrokenRule kKeysAndTypes[] = {
    {"RecordNotObject", SceneWith("3"), "t.json: objects[0]: expected an object, found an integer"},
    {"MissingType", SceneWith(R"({"type": 1}, {"name": "x"})"), "t.json: objects[1]: missing key \"type\""},
    {"TypeAsString", SceneWith(R"({"type": "5100"})"),
     "t.json: objects[0].type: expected an integer, found a string"},
    {"TypeOutOfRange", SceneWith(R"({"type": 2147483648})"),
     "t.json: objects[0].type: integer outside the 32-bit range"},
    {"UnknownRecordKey", SceneWith(R"({"type": 1, "colour": {}})"), "t.json: objects[0].colour: unknown key"},
    {"DuplicateKey", SceneWith(R"({"type": 1, "name": "a", "name": "b"})"),
     "t.json: objects[0].name: duplicate key"},
    {"MatrixAndTransform", SceneWith(R"({"type": 1, "transform": {}, "matrix": []})"),
     "t.json: objects[0].matrix: matrix and transform exclude each other"},
    {"ShortMatrix", SceneWith(R"({"type": 1, "matrix": [0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0]})"),
     "t.json: objects[0].matrix: expected 12 numbers, found 11"},
    {"LongVector", SceneWith(R"({"type": 1, "vector": [0, 0, 0, 0]})"),
     "t.json: objects[0].vector: expected 3 numbers"},
    {"MatrixElement", SceneWith(R"({"type": 1, "matrix": [0, 0, null]})"),
     "t.json: objects[0].matrix[2]: expected a number, found null"},
    {"FloatOutOfRange", SceneWith(R"({"type": 1, "vector": [0, 10e308, 0]})"),
     "t.json: objects[0].vector[1]: number outside the range of a 64-bit float"},
    {"TransformKey", SceneWith(R"({"type": 1, "transform": {"turn": [0, 0, 0]}})"),
     "t.json: objects[0].transform.turn: unknown key"},
    {"TransformShape", SceneWith(R"({"type": 1, "transform": {"scale": 2}})"),
     "t.json: objects[0].transform.scale: expected an array of 3 numbers, found an integer"},
    {"ColorMode", SceneWith(R"({"type": 1, "color": {"mode": 4}})"),
     "t.json: objects[0].color.mode: mode must be 0, 1, 2 or 3"},
    {"ColorXray", SceneWith(R"({"type": 1, "color": {"xray": "yes"}})"),
     "t.json: objects[0].color.xray: expected true or false, found a string"},
    {"ChildrenNotArray", SceneWith(R"({"type": 1, "children": {}})"),
     "t.json: objects[0].children: expected an array of objects, found an object"},
};
INSTANTIATE_TEST_SUITE_P(RuleKeys, SceneBrokenRule, ::testing::ValuesIn(kKeysAndTypes), LabelOf);

const BrokenRule kParams[] = {
    {"IdNotDecimal", SceneWith(R"({"type": 1, "params": {"x1": 0}})"),
     "t.json: objects[0].params.x1: a parameter id is a decimal 32-bit integer"},
    {"IdLeadingZero", SceneWith(R"({"type": 1, "params": {"01": 0}})"),
     "t.json: objects[0].params.01: a parameter id is a decimal 32-bit integer"},
    {"IdTwice", SceneWith(R"({"type": 1, "params": {"5": 0, "5": 1}})"),
     "t.json: objects[0].params.5: duplicate parameter id"},
    {"NullValue", SceneWith(R"({"type": 1, "params": {"5": null}})"),
     "t.json: objects[0].params.5: expected true, false, a number, [x, y, z] or {\"curve\": [...]}, found "
     "null"},
    {"IntegerOutOfRange", SceneWith(R"({"type": 1, "params": {"-7": -2147483649}})"),
     "t.json: objects[0].params.-7: integer outside the 32-bit range"},
    {"ShortVector", SceneWith(R"({"type": 1, "params": {"5": [1, 2]}})"),
     "t.json: objects[0].params.5: expected 3 numbers, found 2"},
    {"CurveMissing", SceneWith(R"({"type": 1, "params": {"5": {}}})"),
     "t.json: objects[0].params.5: missing key \"curve\""},
    {"CurveKnot", SceneWith(R"({"type": 1, "params": {"5": {"curve": [[0, 0], [1]]}}})"),
     "t.json: objects[0].params.5.curve[1]: expected 2 numbers, found 1"},
};
INSTANTIATE_TEST_SUITE_P(RuleParams, SceneBrokenRule, ::testing::ValuesIn(kParams), LabelOf);

const BrokenRule kPointData[] = {
    {"PointsOnNull", SceneWith(R"({"type": 5140, "points": []})"),
     "t.json: objects[0].points: only point objects (instances of type 5156) have points"},
    {"PolygonsOnSpline", SceneWith(R"({"type": 5101, "points": [], "polygons": []})"),
     "t.json: objects[0].polygons: only polygon objects (type 5100) have polygons"},
    {"IndexPastPoints",
     SceneWith(
         R"({"type": 5100, "polygons": [[0, 1, 2, 2], [0, 1, 3, 3]], "points": [[0,0,0], [1,0,0], [0,1,0]]})"),
     "t.json: objects[0].polygons[1]: index 3 is not below the point count 3"},
    {"NegativeIndex", SceneWith(R"({"type": 5100, "points": [[0,0,0]], "polygons": [[0, -1, 0, 0]]})"),
     "t.json: objects[0].polygons[0]: index -1 is not below the point count 1"},
    {"IndexAsFloat", SceneWith(R"({"type": 5100, "polygons": [[0, 1, 2.0, 2]]})"),
     "t.json: objects[0].polygons[0][2]: expected an integer, found a float"},
    {"TangentsOnPolygon", SceneWith(R"({"type": 5100, "points": [], "tangents": []})"),
     "t.json: objects[0].tangents: only spline objects (type 5101) have tangents"},
    {"TangentCount",
     SceneWith(R"({"type": 5101, "tangents": [[0,0,0,0,0,0]], "points": [[0,0,0], [1,0,0]]})"),
     "t.json: objects[0].tangents: tangent count 1 differs from point count 2"},
    {"DeepPoint",
     SceneWith(
         R"({"type": 1, "children": [{"type": 1}, {"type": 5108, "points": [[0,0,0], [1,0], [0,1,0]]}]})"),
     "t.json: objects[0].children[1].points[1]: expected 3 numbers, found 2"},
    {"PointsNotArray", SceneWith(R"({"type": 5100, "points": [3]})"),
     "t.json: objects[0].points[0]: expected an array of 3 numbers, found an integer"},
};
INSTANTIATE_TEST_SUITE_P(RulePointData, SceneBrokenRule, ::testing::ValuesIn(kPointData), LabelOf);

// Values land where their keys say, whatever the order of the keys; a
// transform becomes the matrix of its rotation, scale and position.
TEST(SceneFileReader, PlacesEveryValue) {
  Scene scene;
  const Document& document = ReadScene(SceneWith(R"({
    "children": [{"type": 5101, "points": [[1, 2, 3]], "tangents": [[1, 2, 3, 4, 5, 6]]}],
    "selected": true, "color": {"xray": true, "color": [0.5, 0.25, 0], "mode": 2}, "vector": [7, 8, 9],
    "params": {"3": 4, "1": true, "2": 2.5, "-4": [1, 0, -1], "9": {"curve": [[0, 1], [0.5, 0.25]]}},
    "transform": {"rotation": [1.5707963267948966, 0, 0], "position": [10, 20, 30], "scale": [2, 1, 3]},
    "type": 5140, "name": "Rig"}, {"type": 7})"),
                                       "t.json", scene);
  const Object& rig = *document.first();
  EXPECT_EQ(rig.data.name, "Rig");
  EXPECT_EQ(rig.type, 5140);
  EXPECT_TRUE(rig.selected);
  EXPECT_EQ(rig.data.color, (DisplayColor{2, {0.5, 0.25, 0}, true}));
  EXPECT_EQ(rig.data.vector, (Vec3{7, 8, 9}));
  EXPECT_EQ(rig.data.params, (Container{{-4, Vec3{1, 0, -1}},
                                        {1, true},
                                        {2, 2.5},
                                        {3, int32_t{4}},
                                        {9, SplineCurve{{{0, 1}, {0.5, 0.25}}}}}));
  const Matrix& m = rig.data.matrix;
  EXPECT_EQ(m.off, (Vec3{10, 20, 30}));
  const Matrix turn = HpbToMatrix({std::numbers::pi / 2, 0, 0});
  const std::tuple<Vec3, Vec3, double> axes[] = {
      {m.v1, turn.v1, 2.0}, {m.v2, turn.v2, 1.0}, {m.v3, turn.v3, 3.0}};
  for (const auto& [axis, expected, scale] : axes) {
    EXPECT_DOUBLE_EQ(axis.x, expected.x * scale);
    EXPECT_DOUBLE_EQ(axis.y, expected.y * scale);
    EXPECT_DOUBLE_EQ(axis.z, expected.z * scale);
  }

  const Object& spline = *rig.first_child;
  EXPECT_EQ(spline.parent, &rig);
  EXPECT_EQ(*spline.data.points, (std::vector<Vec3>{{1, 2, 3}}));
  EXPECT_EQ(*spline.data.tangents, (std::vector<Tangent>{{{1, 2, 3}, {4, 5, 6}}}));

  const Object& plain = *rig.next;
  EXPECT_EQ(plain.data, ObjectData{});
  EXPECT_FALSE(plain.selected);
  EXPECT_EQ(plain.document, &document);
  EXPECT_EQ(spline.document, &document);
}

}  // namespace
}  // namespace standin
