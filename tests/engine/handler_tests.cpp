// The handlers by object type: how each turns its object and which
// parameters it mirrors, one table row per rule; and the dispatch that picks
// the handler.
#include <cmath>
#include <numbers>

#include "engine_fixture.h"
#include "flipit_ids.h"
#include "mirror.h"

namespace vitrel::testing {
namespace {

using standin::Container;
using standin::Object;
using standin::SplineCurve;
using standin::Vec3;

constexpr double pi = std::numbers::pi;
// Every object starts turned by (H, P, B) = (0.3, 0.2, 0.1), at (1, 2, 3),
// scaled (1, 2, 3).
constexpr double H = 0.3, P = 0.2, B = 0.1;
constexpr Vec3 kStart{H, P, B};
constexpr Vec3 kOffset{1, 2, 3}, kScale{1, 2, 3};

constexpr Vec3 kHeading{H + pi, -P, -B};
constexpr Vec3 kPitch{H, P + pi, -B};
constexpr Vec3 kBank{H, P, B + pi};

struct HandlerCase {
  const char* rule;
  int32_t type;
  int32_t axis;
  Container before;
  Container after;
  Vec3 hpb = kStart;
};

void RunHandler(const FlipItDialog& dialog, Object* op, int32_t axis, BaseDocument* doc) {
  BaseObject* object = BaseObject::FromHandle(reinterpret_cast<VtObject*>(op));
  const int32_t type = op->type;
  if (type >= 5162 && type <= 5174) FlipPrimitive(dialog, object, axis, doc);
  if (type >= 5175 && type <= 5189) FlipSplinePrimitive(dialog, object, axis, doc);
  if (type >= 5128 && type <= 5149) FlipDeformer(dialog, object, axis, doc, type);
  if (type == 5109 || (type >= 5111 && type <= 5115) || type == 5119) {
    FlipParticleForce(dialog, object, axis, doc, type);
  }
  if (type == 5116) FlipExtrude(object, axis, doc);
  if (type == 5117) FlipLathe(object, axis, doc);
  if (type == 5118) FlipSweep(dialog, object, axis, doc);
  if (type == 5102 || type == 5103) FlipLightCamera(dialog, object, axis, doc);
  if (type == 5150) FlipArray(object, doc);
}

const HandlerCase kCases[] = {
    // Primitives: orientation along the mirror axis reverses; slices follow.
    {"orientation X", 5162, AXIS_X, {{1300, 1}}, {{1300, 0}}},
    {"orientation kept", 5162, AXIS_Y, {{1300, 1}}, {{1300, 1}}},
    {"orientation Y", 5174, AXIS_Y, {{1300, 2}}, {{1300, 3}}},
    {"orientation Z", 5168, AXIS_Z, {{1300, 5}}, {{1300, 4}}},
    {"orientation written", 5162, 4999, {}, {{1300, 0}}},
    {"slice X",
     5162,
     AXIS_X,
     {{1200, true}, {1201, 0.0}, {1202, pi / 2}},
     {{1200, true}, {1201, pi / 2}, {1202, pi}, {1300, 1}}},
    {"slice Y along Z",
     5163,
     AXIS_Y,
     {{1200, true}, {1201, 0.2}, {1202, 1.0}, {1300, 4}},
     {{1200, true}, {1201, -0.2}, {1202, -1.0}, {1300, 4}}},
    {"slice Y along X",
     5170,
     AXIS_Y,
     {{1200, true}, {1201, 0.2}, {1202, 1.0}},
     {{1200, true}, {1201, pi - 1.0}, {1202, pi - 0.2}, {1300, 0}}},
    {"slice Z",
     5172,
     AXIS_Z,
     {{1200, true}, {1201, 0.2}, {1202, 1.0}},
     {{1200, true}, {1201, -0.2}, {1202, -1.0}, {1300, 0}}},
    {"slice off", 5164, AXIS_X, {{1200, false}, {1201, 0.2}}, {{1200, false}, {1201, 0.2}, {1300, 1}}},
    {"not sliced", 5173, AXIS_X, {{1200, true}, {1201, 0.2}}, {{1200, true}, {1201, 0.2}, {1300, 1}}},
    {"slice kept",
     5171,
     4999,
     {{1200, true}, {1201, 0.2}, {1202, 1.0}, {1300, 4}},
     {{1200, true}, {1201, 0.2}, {1202, 1.0}, {1300, 4}}},
    // Spline primitives turn by their plane.
    {"plane 0 X", 5175, AXIS_X, {}, {}, kHeading},
    {"plane 1 X", 5176, AXIS_X, {{2300, 1}}, {{2300, 1}}},
    {"plane 2 X", 5177, AXIS_X, {{2300, 2}}, {{2300, 2}}, {H + pi, pi - P, B}},
    {"plane 0 Y", 5178, AXIS_Y, {{2300, 0}}, {{2300, 0}}, kPitch},
    {"plane 1 Y", 5179, AXIS_Y, {{2300, 1}}, {{2300, 1}}, kBank},
    {"plane 1 Z", 5182, AXIS_Z, {{2300, 1}}, {{2300, 1}}, kHeading},
    {"plane 2 Z", 5189, AXIS_Z, {{2300, 2}}, {{2300, 2}}, kPitch},
    {"plane other", 5183, AXIS_X, {{2300, 7}}, {{2300, 7}}},
    {"plane axis other", 5175, 4999, {{2300, 2}}, {{2300, 2}}},
    // Deformers.
    {"strength X", 5128, AXIS_X, {{1003, 2.0}}, {{1003, -2.0}}, kHeading},
    {"strength Y", 5131, AXIS_Y, {{1003, 2.0}}, {{1003, -2.0}}, kPitch},
    {"strength Z", 5128, AXIS_Z, {{1003, 2.0}}, {{1003, -2.0}}},
    {"strength only", 5134, AXIS_X, {{1003, 2.0}}, {{1003, -2.0}}},
    {"strength Y turns", 5134, AXIS_Y, {{1003, 2.0}}, {{1003, -2.0}}, kPitch},
    {"strength kept", 5134, 4999, {{1003, 2.0}}, {{1003, 2.0}}},
    {"turn kept", 5128, 4999, {{1003, 2.0}}, {{1003, 2.0}}},
    {"pitch Y", 5133, AXIS_Y, {}, {}, kPitch},
    {"bank X", 5143, AXIS_X, {}, {}, kBank},
    {"pitch Z", 5149, AXIS_Z, {}, {}, kPitch},
    {"bank Y", 5145, AXIS_Y, {}, {}, kBank},
    {"mode 3 X", 5146, AXIS_X, {{1005, 3}}, {{1005, 3}}, kBank},
    {"mode 4 Y", 5146, AXIS_Y, {{1005, 4}}, {{1005, 4}}, kBank},
    {"mode 5 Z", 5146, AXIS_Z, {{1005, 5}}, {{1005, 5}}, kPitch},
    {"mode 6 Z", 5146, AXIS_Z, {{1005, 6}}, {{1005, 6}}},
    {"mode axis other", 5146, 4999, {{1005, 3}}, {{1005, 3}}},
    // Particle emitter and forces.
    {"emitter Z", 5109, AXIS_Z, {}, {}, kHeading},
    {"emitter X", 5109, AXIS_X, {}, {}},
    {"force X", 5111, AXIS_X, {{5004, Vec3{1, 2, 3}}}, {{5004, Vec3{-1, 2, 3}}}},
    {"force Y", 5112, AXIS_Y, {{5004, Vec3{1, 2, 3}}}, {{5004, Vec3{1, -2, 3}}}, kBank},
    {"force Z", 5119, AXIS_Z, {{5004, Vec3{1, 2, 3}}}, {{5004, Vec3{1, 2, -3}}}, kHeading},
    {"force other", 5113, 4999, {}, {{5004, Vec3{0, 0, 0}}}},
    // Lights and cameras turn across Z only.
    {"light X", 5102, AXIS_X, {}, {}},
    {"camera Y", 5103, AXIS_Y, {}, {}},
    {"light Z", 5102, AXIS_Z, {}, {}, {H, P + pi, pi - B}},
    {"camera other", 5103, 4999, {}, {}},
    // Sweeps: turned, and their float negated across every axis.
    {"sweep X", 5118, AXIS_X, {{1004, 1.5}}, {{1004, -1.5}}, kBank},
    {"sweep Y", 5118, AXIS_Y, {{1004, 1.5}}, {{1004, -1.5}}},
    {"sweep Z", 5118, AXIS_Z, {{1004, 1.5}}, {{1004, -1.5}}, {H, P + pi, B}},
    // Generators change parameters only.
    {"extrude Y", 5116, AXIS_Y, {{1002, Vec3{0, 100, 0}}}, {{1002, Vec3{0, -100, 0}}}},
    {"extrude X", 5116, AXIS_X, {{1002, Vec3{1, 100, 0}}}, {{1002, Vec3{-1, 100, 0}}}},
    {"extrude other", 5116, 4999, {{1002, Vec3{1, 100, 0}}}, {{1002, Vec3{1, 100, 0}}}},
    {"lathe Z", 5117, AXIS_Z, {{1002, 1.0}, {1004, 2.0}}, {{1002, 1.0}, {1004, -2.0}}},
    {"lathe Y", 5117, AXIS_Y, {{1002, 1.0}, {1004, 2.0}}, {{1002, -1.0}, {1004, 2.0}}},
    {"lathe other", 5117, 4999, {{1002, 1.0}, {1004, 2.0}}, {{1002, 1.0}, {1004, 2.0}}},
    {"array", 5150, 4999, {{1002, 3.0}}, {{1002, -3.0}}},
};

TEST_F(EngineTest, HandlersTurnTheirObjectsAndMirrorTheirParameters) {
  for (const HandlerCase& c : kCases) {
    const std::string name =
        (::testing::Message() << c.rule << " (type " << c.type << ", axis " << c.axis << ")").GetString();
    SCOPED_TRACE(name);
    ResetScene(name);
    Object* op = AddPlaced(c.type, kOffset, kStart, kScale);
    op->data.params = c.before;
    InGroup([&] { RunHandler(dialog(), op, c.axis, Doc()); });
    EXPECT_EQ(op->data.params, c.after);
    ExpectSameMatrix(op->data.matrix, PlacedMatrix(kOffset, c.hpb, kScale));
  }
}

TEST_F(EngineTest, SweepsMirrorTheirCurveAndArraysAreToldOfTheChange) {
  Object* sweep = Add(5118, "sweep");
  sweep->data.params = {{1016, SplineCurve{{{0.0, 0.25}, {1.0, 1.0}}}}};
  Object* bare = Add(5118, "bare");
  Object* array = Add(5150, "array");
  InGroup([&] {
    for (Object* op : {sweep, bare, array}) RunHandler(dialog(), op, AXIS_Y, Doc());
  });
  EXPECT_EQ(std::get<SplineCurve>(sweep->data.params[1016]), (SplineCurve{{{0.0, 0.75}, {1.0, 0.0}}}));
  EXPECT_EQ(Objects("curve"), std::vector<std::string>{"sweep"});
  EXPECT_EQ(std::get<double>(bare->data.params[1004]), -0.0);
  const auto messages = Events("message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0]["id"].GetInt(), 7);
  EXPECT_STREQ(messages[0]["object"].GetString(), "array");
}

// Each group's types reach their handler through the walk when the object
// is rotated, and no handler runs for primitives when they are skipped or
// for types in no group.
struct DispatchCase {
  int32_t type;
  bool skipPrimitives;
  int32_t param;  // a parameter the handler writes; 0 for none
};

TEST_F(EngineTest, TheWalkHandsEachTypeToItsHandler) {
  const DispatchCase cases[] = {
      {5169, false, 1300}, {5169, true, 0},     {5128, true, 1003},  {5115, false, 5004}, {5116, false, 1002},
      {5117, false, 1004}, {5118, false, 1004}, {5150, false, 1002}, {5101, false, 0},    {5190, false, 0},
  };
  for (const DispatchCase& c : cases) {
    const std::string name = std::to_string(c.type) + (c.skipPrimitives ? ", primitives skipped" : "");
    SCOPED_TRACE(name);
    ResetScene(name);
    Object* op = Add(c.type);
    SetOption(IDC_POSITIONING, POSITION_ROTATE);
    SetOption(IDC_SKIP_PRIMITIVES, c.skipPrimitives);
    InGroup([&] { MirrorObject(dialog(), Op(op), Doc()); });
    EXPECT_EQ(op->data.params.size(), c.param == 0 ? 0u : 1u);
    if (c.param != 0) {
      EXPECT_EQ(op->data.params.count(c.param), 1u);
    }
  }
}

}  // namespace
}  // namespace vitrel::testing
