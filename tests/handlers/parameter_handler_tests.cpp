// The handlers that turn objects and mirror their parameters, through the
// program: one table row per rule, every row of one axis mirrored in one run
// as a child of a group at the origin.
#include <map>
#include <string>
#include <vector>

#include "handler_run.h"

namespace vitrel::handlers {
namespace {

using standin::SplineCurve;

// How a handler turns its object after the walk mirrored its angles.
enum class Turn { kNone, kHeading, kPitch, kBank, kHeadingUpend, kPitchOnly, kPitchFlipBank };

Vec3 Turned(Vec3 a, Turn turn) {
  switch (turn) {
    case Turn::kNone:
      return a;
    case Turn::kHeading:
      return {a.x + kPi, -a.y, -a.z};
    case Turn::kPitch:
      return {a.x, a.y + kPi, -a.z};
    case Turn::kBank:
      return {a.x, a.y, a.z + kPi};
    case Turn::kHeadingUpend:
      return {a.x + kPi, kPi - a.y, a.z};
    case Turn::kPitchOnly:
      return {a.x, a.y + kPi, a.z};
    case Turn::kPitchFlipBank:
      return {a.x, a.y + kPi, kPi - a.z};
  }
  return a;
}

struct Row {
  std::string rule;
  int type;
  char axis;
  std::string params;
  Container after;
  Turn turn = Turn::kNone;
};

// Every object starts here; the scale is not uniform.
constexpr Vec3 kOffset{1, 2, 3}, kAngles{0.3, 0.2, 0.1}, kScale{1, 2, 3};

// The placement after the walk mirrored it across `axis`, before the handler.
Vec3 MirroredOffset(char axis) {
  return {axis == 'x' ? -kOffset.x : kOffset.x, axis == 'y' ? -kOffset.y : kOffset.y,
          axis == 'z' ? -kOffset.z : kOffset.z};
}
Vec3 MirroredAngles(char axis) {
  const Vec3 a = kAngles;
  if (axis == 'x') return {-a.x, a.y, -a.z};
  if (axis == 'y') return {a.x, -a.y, -a.z};
  if (axis == 'z') return {-a.x, -a.y, a.z};
  return a;
}

class ParameterHandlers : public HandlerRun {
 protected:
  // Mirrors every row in one run per axis and checks each row's object.
  void Check(const std::vector<Row>& rows) {
    for (const char axis : {'x', 'y', 'z'}) {
      std::vector<std::string> children;
      for (const Row& row : rows) {
        if (row.axis == axis)
          children.push_back(ObjectText(row.rule, row.type, kOffset, kAngles, kScale, row.params));
      }
      if (children.empty()) continue;
      Mirror(SceneText(ObjectText("Rows", 5140, {}, {}, {1, 1, 1}, "", "", children)),
             {"--axis", std::string(1, axis), "--positioning", "move-rotate", "--points"});
      for (const Row& row : rows) {
        if (row.axis != axis) continue;
        SCOPED_TRACE(row.rule);
        const Object& op = Find("Rows/" + row.rule);
        ExpectParamsNear(op.data.params, row.after);
        ExpectMatrixNear(op.data.matrix,
                         Placement(MirroredOffset(axis), Turned(MirroredAngles(axis), row.turn), kScale));
        // Sweeps hand their curve to the host's curve library once; arrays
        // tell themselves of the change with message 7.
        if (row.type == 5118) {
          EXPECT_EQ(CountEvents("curve", "Rows/" + row.rule), 1);
        }
        if (row.type == 5150) {
          EXPECT_EQ(CountEvents("message", "Rows/" + row.rule, 7), 1);
        }
      }
    }
  }
};

TEST_F(ParameterHandlers, PrimitivesReverseTheirOrientationAndSlice) {
  const std::string slice = R"("1200": true, "1201": 0.2, "1202": 1.0)";
  auto sliced = [](int orientation, double s, double e) {
    return Container{{1200, true}, {1201, s}, {1202, e}, {1300, orientation}};
  };
  auto at = [&](int orientation) { return R"("1300": )" + std::to_string(orientation) + ", " + slice; };
  auto half = [&](int orientation) { return sliced(orientation, kPi - 1.0, kPi - 0.2); };
  auto zero = [&](int orientation) { return sliced(orientation, -0.2, -1.0); };
  Check({
      {"missing read as 0", 5162, 'x', "", {{1300, 1}}},
      {"X 1 to 0", 5162, 'x', R"("1300": 1)", {{1300, 0}}},
      {"X 0 to 1", 5170, 'x', R"("1300": 0)", {{1300, 1}}},
      {"X keeps 2", 5174, 'x', R"("1300": 2)", {{1300, 2}}},
      {"Y 2 to 3", 5174, 'y', R"("1300": 2)", {{1300, 3}}},
      {"Y 3 to 2", 5168, 'y', R"("1300": 3)", {{1300, 2}}},
      {"Y keeps 0", 5164, 'y', R"("1300": 0)", {{1300, 0}}},
      {"Z 4 to 5", 5164, 'z', R"("1300": 4)", {{1300, 5}}},
      {"Z 5 to 4", 5167, 'z', R"("1300": 5)", {{1300, 4}}},
      {"Z keeps 1", 5169, 'z', R"("1300": 1)", {{1300, 1}}},
      // Slices: across X and Z always; across Y by the orientation written.
      {"slice X", 5170, 'x', slice, sliced(1, kPi - 1.0, kPi - 0.2)},
      {"slice Z", 5172, 'z', R"("1300": 5, )" + slice, sliced(4, -0.2, -1.0)},
      {"slice Y along Z", 5163, 'y', R"("1300": 4, )" + slice, sliced(4, -0.2, -1.0)},
      {"slice Y turned to 3", 5165, 'y', R"("1300": 2, )" + slice, sliced(3, kPi - 1.0, kPi - 0.2)},
      {"slice Y along X", 5171, 'y', R"("1300": 1, )" + slice, sliced(1, kPi - 1.0, kPi - 0.2)},
      {"slice Y other orientation", 5172, 'y', R"("1300": 9, )" + slice, sliced(9, 0.2, 1.0)},
      {"slice 5162", 5162, 'z', slice, sliced(0, -0.2, -1.0)},
      // Every orientation value on every axis: reflected about the half turn
      // across X, and across Y along X or Y; about zero across Z, and across Y
      // along Z; kept across Y for a value that names no axis.
      {"slice X 1", 5163, 'x', at(1), half(0)},
      {"slice X 2", 5164, 'x', at(2), half(2)},
      {"slice X 3", 5165, 'x', at(3), half(3)},
      {"slice X 4", 5170, 'x', at(4), half(4)},
      {"slice X 5", 5171, 'x', at(5), half(5)},
      {"slice X other", 5172, 'x', at(9), half(9)},
      {"slice Y 0", 5162, 'y', at(0), half(0)},
      {"slice Y 3", 5163, 'y', at(3), half(2)},
      {"slice Y 5", 5164, 'y', at(5), zero(5)},
      {"slice Y negative", 5165, 'y', at(-1), sliced(-1, 0.2, 1.0)},
      {"slice Z 1", 5165, 'z', at(1), zero(1)},
      {"slice Z 2", 5170, 'z', at(2), zero(2)},
      {"slice Z 3", 5171, 'z', at(3), zero(3)},
      {"slice Z 4", 5172, 'z', at(4), zero(5)},
      {"slice Z other", 5162, 'z', at(9), zero(9)},
      {"slice 5164", 5164, 'z', slice, sliced(0, -0.2, -1.0)},
      {"slice off", 5164, 'x', R"("1200": false, "1201": 0.2)", {{1200, false}, {1201, 0.2}, {1300, 1}}},
      // These types have no slice rule.
      {"no slice 5173", 5173, 'x', slice, sliced(1, 0.2, 1.0)},
      {"no slice 5168", 5168, 'z', slice, sliced(0, 0.2, 1.0)},
      {"no slice 5174", 5174, 'x', slice, sliced(1, 0.2, 1.0)},
      {"no slice 5167", 5167, 'z', slice, sliced(0, 0.2, 1.0)},
      {"no slice 5169", 5169, 'x', slice, sliced(1, 0.2, 1.0)},
  });
}

TEST_F(ParameterHandlers, SplinePrimitivesTurnByTheirPlane) {
  Check({
      {"plane 0 X", 5175, 'x', R"("2300": 0)", {{2300, 0}}, Turn::kHeading},
      {"plane 1 X", 5176, 'x', R"("2300": 1)", {{2300, 1}}},
      {"plane 2 X", 5177, 'x', R"("2300": 2)", {{2300, 2}}, Turn::kHeadingUpend},
      {"plane 0 Y", 5178, 'y', R"("2300": 0)", {{2300, 0}}, Turn::kPitch},
      {"plane 1 Y", 5179, 'y', R"("2300": 1)", {{2300, 1}}, Turn::kBank},
      {"plane 2 Y", 5180, 'y', R"("2300": 2)", {{2300, 2}}},
      {"plane 0 Z", 5181, 'z', R"("2300": 0)", {{2300, 0}}},
      {"plane 1 Z", 5185, 'z', R"("2300": 1)", {{2300, 1}}, Turn::kHeading},
      {"plane 2 Z", 5189, 'z', R"("2300": 2)", {{2300, 2}}, Turn::kPitch},
      {"plane missing reads 0", 5186, 'x', "", {}, Turn::kHeading},
      {"plane other", 5183, 'x', R"("2300": 7)", {{2300, 7}}},
      // Just past either end of the rule's table.
      {"plane 3", 5184, 'x', R"("2300": 3)", {{2300, 3}}},
      {"plane negative", 5187, 'z', R"("2300": -1)", {{2300, -1}}},
  });
}

TEST_F(ParameterHandlers, DeformersTurnByTypeAndAxis) {
  const Container strength{{1003, -2.0}};
  std::vector<Row> rows{
      {"5128 X", 5128, 'x', R"("1003": 2.0)", strength, Turn::kHeading},
      {"5128 Y", 5128, 'y', R"("1003": 2.0)", strength, Turn::kPitch},
      {"5128 Z", 5128, 'z', R"("1003": 2.0)", strength},
      {"5131 X", 5131, 'x', R"("1003": 2.0)", strength, Turn::kHeading},
      {"5131 Y", 5131, 'y', R"("1003": 2.0)", strength, Turn::kPitch},
      {"5131 Z", 5131, 'z', R"("1003": 2.0)", strength},
      {"5134 X", 5134, 'x', R"("1003": 2.0)", strength},
      {"5134 Y", 5134, 'y', R"("1003": 2.0)", strength, Turn::kPitch},
      {"5134 Z", 5134, 'z', R"("1003": 2.0)", strength},
  };
  // The types without parameters: their turn for X, Y and Z.
  const std::map<int, std::vector<Turn>> turns{
      {5133, {Turn::kNone, Turn::kPitch, Turn::kNone}}, {5143, {Turn::kBank, Turn::kNone, Turn::kPitch}},
      {5149, {Turn::kBank, Turn::kNone, Turn::kPitch}}, {5145, {Turn::kNone, Turn::kBank, Turn::kNone}},
      {5147, {Turn::kNone, Turn::kBank, Turn::kNone}},  {5148, {Turn::kNone, Turn::kBank, Turn::kNone}},
  };
  // The modal deformer turns by its mode: every mode on every axis.
  const std::map<int, std::vector<Turn>> modes{
      {0, {Turn::kNone, Turn::kNone, Turn::kNone}},  {1, {Turn::kNone, Turn::kNone, Turn::kPitch}},
      {2, {Turn::kNone, Turn::kNone, Turn::kPitch}}, {3, {Turn::kBank, Turn::kNone, Turn::kNone}},
      {4, {Turn::kNone, Turn::kBank, Turn::kNone}},  {5, {Turn::kNone, Turn::kNone, Turn::kPitch}},
      {6, {Turn::kNone, Turn::kNone, Turn::kNone}},
  };
  for (const auto& [mode, by_axis] : modes) {
    for (int a = 0; a < 3; ++a) {
      const char axis = "xyz"[a];
      rows.push_back({"5146 mode " + std::to_string(mode) + " " + axis,
                      5146,
                      axis,
                      R"("1005": )" + std::to_string(mode),
                      {{1005, mode}},
                      by_axis[static_cast<size_t>(a)]});
    }
  }
  for (const auto& [type, by_axis] : turns) {
    for (int a = 0; a < 3; ++a) {
      const char axis = "xyz"[a];
      rows.push_back(
          {std::to_string(type) + " " + axis, type, axis, "", {}, by_axis[static_cast<size_t>(a)]});
    }
  }
  Check(rows);
}

TEST_F(ParameterHandlers, ParticleEmittersAndForcesTurnAndMirrorTheirVector) {
  const std::string v = R"("5004": [1.0, 2.0, 3.0])";
  Check({
      {"emitter X", 5109, 'x', "", {}},
      {"emitter Y", 5109, 'y', "", {}},
      {"emitter Z", 5109, 'z', "", {}, Turn::kHeading},
      {"5111 X", 5111, 'x', v, {{5004, Vec3{-1, 2, 3}}}},
      {"5112 Y", 5112, 'y', v, {{5004, Vec3{1, -2, 3}}}, Turn::kBank},
      {"5113 Z", 5113, 'z', v, {{5004, Vec3{1, 2, -3}}}, Turn::kHeading},
      {"5114 X", 5114, 'x', v, {{5004, Vec3{-1, 2, 3}}}},
      {"5115 Y", 5115, 'y', v, {{5004, Vec3{1, -2, 3}}}, Turn::kBank},
      {"5119 Z", 5119, 'z', v, {{5004, Vec3{1, 2, -3}}}, Turn::kHeading},
      {"force missing vector", 5111, 'y', "", {{5004, Vec3{0, 0, 0}}}, Turn::kBank},
  });
}

TEST_F(ParameterHandlers, LightsAndCamerasTurnAcrossZOnly) {
  Check({
      {"light X", 5102, 'x', "", {}},
      {"light Y", 5102, 'y', "", {}},
      {"light Z", 5102, 'z', "", {}, Turn::kPitchFlipBank},
      {"camera X", 5103, 'x', "", {}},
      {"camera Y", 5103, 'y', "", {}},
      {"camera Z", 5103, 'z', "", {}, Turn::kPitchFlipBank},
  });
}

TEST_F(ParameterHandlers, GeneratorsMirrorTheirSignedParameters) {
  const std::string extrude = R"("1002": [4.0, 100.0, 6.0])";
  const std::string lathe = R"("1002": 1.0, "1004": 2.0)";
  Check({
      {"extrude X", 5116, 'x', extrude, {{1002, Vec3{-4, 100, 6}}}},
      {"extrude Y", 5116, 'y', extrude, {{1002, Vec3{4, -100, 6}}}},
      {"extrude Z", 5116, 'z', extrude, {{1002, Vec3{4, 100, -6}}}},
      {"lathe X", 5117, 'x', lathe, {{1002, 1.0}, {1004, -2.0}}},
      {"lathe Y", 5117, 'y', lathe, {{1002, -1.0}, {1004, 2.0}}},
      {"lathe Z", 5117, 'z', lathe, {{1002, 1.0}, {1004, -2.0}}},
      {"array X", 5150, 'x', R"("1002": 3.0)", {{1002, -3.0}}},
      {"array Y", 5150, 'y', R"("1002": 3.0)", {{1002, -3.0}}},
      {"array Z", 5150, 'z', R"("1002": 3.0)", {{1002, -3.0}}},
  });
}

TEST_F(ParameterHandlers, SweepsTurnNegateTheirFloatAndMirrorTheirCurveOnEveryAxis) {
  const std::string params = R"("1004": 1.5, "1016": {"curve": [[0.0, 0.25], [0.5, 1.0], [1.0, 0.0]]})";
  const Container after{{1004, -1.5}, {1016, SplineCurve{{{0.0, 0.75}, {0.5, 0.0}, {1.0, 1.0}}}}};
  Check({
      {"sweep X", 5118, 'x', params, after, Turn::kBank},
      {"sweep Y", 5118, 'y', params, after},
      {"sweep Z", 5118, 'z', params, after, Turn::kPitchOnly},
  });
}

}  // namespace
}  // namespace vitrel::handlers
