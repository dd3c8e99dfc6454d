#include "random/random_scene.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <span>

#include "io/scene_writer.h"
#include "scene/document.h"
#include "scene/rotation.h"

namespace standin {
namespace {

constexpr std::array<int32_t, 12> kPrimitives = {5162, 5170, 5174, 5168, 5164, 5167,
                                                 5171, 5172, 5163, 5165, 5169, 5173};
constexpr std::array<int32_t, 10> kDeformers = {5128, 5131, 5134, 5133, 5146, 5145, 5143, 5149, 5147, 5148};
constexpr std::array<int32_t, 7> kParticles = {5109, 5111, 5112, 5113, 5114, 5115, 5119};
constexpr std::array<int32_t, 9> kOthers = {5140, 5116, 5117, 5118, 5102, 5103, 5150, 5108, 9999};
constexpr std::array<const char*, 6> kNames = {"Arm", "Leg", "", "\xC3\x84rmel", "Arm.1", "Part 7"};
constexpr int32_t kPolygonObject = 5100;
constexpr int32_t kSplineObject = 5101;
constexpr int32_t kLattice = 5108;
constexpr int32_t kFirstSplinePrimitive = 5175;
constexpr int32_t kLastSplinePrimitive = 5189;

template <typename T, std::size_t N>
T PickFrom(Dice& dice, const std::array<T, N>& from) {
  return dice.Pick(std::span<const T>(from));
}

bool Holds(std::span<const int32_t> types, int32_t type) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

Vec3 RandomVector(Dice& dice, double range) {
  return {dice.Real(-range, range), dice.Real(-range, range), dice.Real(-range, range)};
}

void AddPoints(Object& op, Dice& dice, int count) {
  op.data.points.emplace();
  for (int i = 0; i < count; ++i) op.data.points->push_back(RandomVector(dice, 50));
}

// The object's own data and the parameters its handler reads and writes, so
// that a run never adds a parameter the input lacked.
void Fill(Object& op, Dice& dice) {
  ObjectData& data = op.data;
  data.name = PickFrom(dice, kNames);
  data.matrix = HpbToMatrix({dice.Real(-3, 3), dice.Real(-1.4, 1.4), dice.Real(-3, 3)});
  data.matrix.v1 = {data.matrix.v1.x * 2, data.matrix.v1.y * 2, data.matrix.v1.z * 2};
  data.matrix.v3 = {data.matrix.v3.x / 4, data.matrix.v3.y / 4, data.matrix.v3.z / 4};
  data.matrix.off = RandomVector(dice, 100);
  // A sweep turned across Z with an uneven scale leaves its children's
  // placements skewed, and a second mirror rebuilds placements from their
  // angles, which cannot hold a skew: sweeps are scaled evenly so that two
  // mirrors stay an exact round trip.
  if (op.type == 5118) {
    const Vec3 v2 = data.matrix.v2, v3 = data.matrix.v3;
    data.matrix.v2 = {v2.x * 2, v2.y * 2, v2.z * 2};
    data.matrix.v3 = {v3.x * 8, v3.y * 8, v3.z * 8};
  }
  data.vector = RandomVector(dice, 1);
  data.color = {dice.Int(0, 3), {dice.Unit(), dice.Unit(), dice.Unit()}, dice.Chance(0.5)};
  // A parameter no handler knows, which every run must leave alone.
  if (dice.Chance(0.5)) data.params[20000] = dice.Real(-5, 5);

  const int32_t type = op.type;
  if (type == kPolygonObject) {
    // Triangles and quads of distinct points: a quad with two equal corners
    // would read as another polygon.
    const int points = dice.Int(4, 8);
    AddPoints(op, dice, points);
    data.polygons.emplace();
    for (int i = dice.Int(1, 4); i > 0; --i) {
      std::vector<int32_t> corners(static_cast<size_t>(points));
      std::iota(corners.begin(), corners.end(), 0);
      dice.Shuffle(corners);
      data.polygons->push_back(
          {corners[0], corners[1], corners[2], dice.Chance(0.5) ? corners[2] : corners[3]});
    }
  } else if (type == kSplineObject) {
    const int points = dice.Int(2, 5);
    AddPoints(op, dice, points);
    data.tangents.emplace();
    for (int i = 0; i < points; ++i) {
      data.tangents->push_back({RandomVector(dice, 10), RandomVector(dice, 10)});
    }
  } else if (type == kLattice) {
    const int nx = dice.Int(1, 3), ny = dice.Int(1, 3), nz = dice.Int(1, 3);
    data.params[1001] = nx;
    data.params[1002] = ny;
    data.params[1003] = nz;
    AddPoints(op, dice, nx * ny * nz);
  } else if (Holds(kPrimitives, type)) {
    data.params[1300] = dice.Int(0, 5);
    data.params[1200] = dice.Chance(0.5);
    data.params[1201] = dice.Real(-3, 3);
    data.params[1202] = dice.Real(-3, 3);
  } else if (type >= kFirstSplinePrimitive && type <= kLastSplinePrimitive) {
    data.params[2300] = dice.Int(0, 2);
  } else if (Holds(kDeformers, type)) {
    data.params[1003] = dice.Real(-2, 2);
    data.params[1005] = dice.Int(0, 5);
  } else if (Holds(kParticles, type)) {
    data.params[5004] = RandomVector(dice, 3);
  } else if (type == 5116) {
    data.params[1002] = RandomVector(dice, 20);
  } else if (type == 5117) {
    data.params[1002] = dice.Real(-5, 5);
    data.params[1004] = dice.Real(-5, 5);
  } else if (type == 5118) {
    data.params[1004] = dice.Real(-5, 5);
    SplineCurve curve;
    for (int i = dice.Int(2, 4); i > 0; --i) curve.knots.push_back({dice.Unit(), dice.Unit()});
    data.params[1016] = curve;
  } else if (type == 5150) {
    data.params[1002] = dice.Real(-5, 5);
  }
}

int32_t RandomType(Dice& dice) {
  switch (dice.Int(0, 6)) {
    case 0:
      return PickFrom(dice, kPrimitives);
    case 1:
      return dice.Int(kFirstSplinePrimitive, kLastSplinePrimitive);
    case 2:
      return PickFrom(dice, kDeformers);
    case 3:
      return PickFrom(dice, kParticles);
    case 4:
      return dice.Chance(0.5) ? kPolygonObject : kSplineObject;
    default:
      return PickFrom(dice, kOthers);
  }
}

Object* NewFilled(Scene& scene, int32_t type, Dice& dice) {
  Object* op = scene.NewObject(type);
  Fill(*op, dice);
  return op;
}

}  // namespace

std::string RandomSceneText(uint64_t seed) {
  Dice dice(seed);
  Scene scene;
  Document& doc = scene.NewDocument();
  std::vector<Object*> objects;
  for (int i = dice.Int(1, 25); i > 0; --i) {
    Object* op = NewFilled(scene, RandomType(dice), dice);
    const bool top = objects.empty() || dice.Chance(0.3);
    doc.Append(op, top ? nullptr : objects[static_cast<size_t>(dice.Int(0, (int)objects.size() - 1))]);
    objects.push_back(op);
  }
  // Mostly one selected object, sometimes two or none.
  const int selected = dice.Chance(0.8) ? 1 : dice.Chance(0.5) ? 2 : 0;
  for (int i = 0; i < selected; ++i) {
    objects[static_cast<size_t>(dice.Int(0, (int)objects.size() - 1))]->selected = true;
  }
  return SceneToJson(doc);
}

std::string MixedSceneText(uint64_t seed) {
  Dice dice(seed);
  Scene scene;
  Document& doc = scene.NewDocument();
  Object* top = NewFilled(scene, kPolygonObject, dice);
  top->data.name = "Mixed";
  top->selected = true;
  doc.Append(top, nullptr);
  const int32_t kinds[] = {PickFrom(dice, kPrimitives), dice.Int(kFirstSplinePrimitive, kLastSplinePrimitive),
                           PickFrom(dice, kDeformers), PickFrom(dice, kParticles), kSplineObject};
  for (const int32_t type : kinds) doc.Append(NewFilled(scene, type, dice), top);
  // The other kinds one level deeper, so that the walk goes down twice.
  Object* below = top->last_child;
  for (const int32_t type : kOthers) doc.Append(NewFilled(scene, type, dice), below);
  // An unselected object beside it, which the run must leave alone.
  doc.Append(NewFilled(scene, kPolygonObject, dice), nullptr);
  return SceneToJson(doc);
}

std::vector<std::string> RandomMirrorOptions(Dice& dice, bool duplicate) {
  auto pick = [&dice](std::initializer_list<const char*> words) {
    return std::string(*(words.begin() + dice.Int(0, static_cast<int>(words.size()) - 1)));
  };
  auto chance = [&dice] { return dice.Chance(0.3); };
  std::vector<std::string> options = {"--axis", pick({"x", "y", "z"}), "--positioning",
                                      pick({"move-rotate", "move", "rotate", "none"})};
  for (const char* flag :
       {"--no-points", "--skip-children", "--skip-primitives", "--skip-polygon-command", "--final-command"}) {
    if (chance()) options.emplace_back(flag);
  }
  if (!duplicate) return options;
  options.insert(options.end(), {"--duplicate", "--rename", pick({"primary", "all", "none", "host"})});
  if (chance()) options.emplace_back("--without-children");
  if (chance()) {
    options.insert(options.end(), {"--no-keep-color", "--color-mode",
                                   pick({"off", "automatic", "always", "layer"}), "--xray"});
  }
  return options;
}

}  // namespace standin
