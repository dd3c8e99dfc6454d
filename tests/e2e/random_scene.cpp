#include "random_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

#include "io/scene_writer.h"
#include "scene/rotation.h"

namespace vitrel::e2e {
namespace {

using standin::Object;
using standin::Vec3;

class Dice {
 public:
  explicit Dice(uint64_t seed) : rng_(seed) {}
  int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  double Real(double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng_); }
  bool Chance(double p) { return Real(0, 1) < p; }
  std::mt19937_64& engine() { return rng_; }
  Vec3 Vector(double range) { return {Real(-range, range), Real(-range, range), Real(-range, range)}; }
  template <typename T, size_t N>
  T Pick(const std::array<T, N>& from) {
    return from[static_cast<size_t>(Int(0, static_cast<int>(N) - 1))];
  }

 private:
  std::mt19937_64 rng_;
};

constexpr std::array<int32_t, 12> kPrimitives = {5162, 5170, 5174, 5168, 5164, 5167,
                                                 5171, 5172, 5163, 5165, 5169, 5173};
constexpr std::array<int32_t, 10> kDeformers = {5128, 5131, 5134, 5133, 5146, 5145, 5143, 5149, 5147, 5148};
constexpr std::array<int32_t, 7> kParticles = {5109, 5111, 5112, 5113, 5114, 5115, 5119};
constexpr std::array<int32_t, 9> kOthers = {5140, 5116, 5117, 5118, 5102, 5103, 5150, 5108, 9999};
constexpr std::array<const char*, 6> kNames = {"Arm", "Leg", "", "\xC3\x84rmel", "Arm.1", "Part 7"};

void AddPoints(Object& op, Dice& dice, int count) {
  op.data.points.emplace();
  for (int i = 0; i < count; ++i) op.data.points->push_back(dice.Vector(50));
}

// The object's own data and the parameters its handler reads and writes, so
// that a run never adds a parameter the input lacked.
void Fill(Object& op, Dice& dice) {
  standin::ObjectData& data = op.data;
  data.name = dice.Pick(kNames);
  data.matrix = standin::HpbToMatrix({dice.Real(-3, 3), dice.Real(-1.4, 1.4), dice.Real(-3, 3)});
  data.matrix.v1 = {data.matrix.v1.x * 2, data.matrix.v1.y * 2, data.matrix.v1.z * 2};
  data.matrix.v3 = {data.matrix.v3.x / 4, data.matrix.v3.y / 4, data.matrix.v3.z / 4};
  data.matrix.off = dice.Vector(100);
  data.vector = dice.Vector(1);
  data.color = {dice.Int(0, 3), {dice.Real(0, 1), dice.Real(0, 1), dice.Real(0, 1)}, dice.Chance(0.5)};
  // A parameter no handler knows, which every run must leave alone.
  if (dice.Chance(0.5)) data.params[20000] = dice.Real(-5, 5);

  const int32_t type = op.type;
  if (type == 5100) {
    // Triangles and quads of distinct points: a quad with two equal corners
    // would read as another polygon.
    const int points = dice.Int(4, 8);
    AddPoints(op, dice, points);
    data.polygons.emplace();
    for (int i = dice.Int(1, 4); i > 0; --i) {
      std::vector<int32_t> corners(static_cast<size_t>(points));
      std::iota(corners.begin(), corners.end(), 0);
      std::shuffle(corners.begin(), corners.end(), dice.engine());
      data.polygons->push_back(
          {corners[0], corners[1], corners[2], dice.Chance(0.5) ? corners[2] : corners[3]});
    }
  } else if (type == 5101) {
    const int points = dice.Int(2, 5);
    AddPoints(op, dice, points);
    data.tangents.emplace();
    for (int i = 0; i < points; ++i) data.tangents->push_back({dice.Vector(10), dice.Vector(10)});
  } else if (type == 5108) {
    const int nx = dice.Int(1, 3), ny = dice.Int(1, 3), nz = dice.Int(1, 3);
    data.params[1001] = nx;
    data.params[1002] = ny;
    data.params[1003] = nz;
    AddPoints(op, dice, nx * ny * nz);
  } else if (std::find(kPrimitives.begin(), kPrimitives.end(), type) != kPrimitives.end()) {
    data.params[1300] = dice.Int(0, 5);
    data.params[1200] = dice.Chance(0.5);
    data.params[1201] = dice.Real(-3, 3);
    data.params[1202] = dice.Real(-3, 3);
  } else if (type >= 5175 && type <= 5189) {
    data.params[2300] = dice.Int(0, 2);
  } else if (std::find(kDeformers.begin(), kDeformers.end(), type) != kDeformers.end()) {
    data.params[1003] = dice.Real(-2, 2);
    data.params[1005] = dice.Int(0, 5);
  } else if (std::find(kParticles.begin(), kParticles.end(), type) != kParticles.end()) {
    data.params[5004] = dice.Vector(3);
  } else if (type == 5116) {
    data.params[1002] = dice.Vector(20);
  } else if (type == 5117) {
    data.params[1002] = dice.Real(-5, 5);
    data.params[1004] = dice.Real(-5, 5);
  } else if (type == 5118) {
    data.params[1004] = dice.Real(-5, 5);
    standin::SplineCurve curve;
    for (int i = dice.Int(2, 4); i > 0; --i) curve.knots.push_back({dice.Real(0, 1), dice.Real(0, 1)});
    data.params[1016] = curve;
  } else if (type == 5150) {
    data.params[1002] = dice.Real(-5, 5);
  }
}

int32_t RandomType(Dice& dice) {
  switch (dice.Int(0, 6)) {
    case 0:
      return dice.Pick(kPrimitives);
    case 1:
      return dice.Int(5175, 5189);
    case 2:
      return dice.Pick(kDeformers);
    case 3:
      return dice.Pick(kParticles);
    case 4:
      return dice.Chance(0.5) ? 5100 : 5101;
    default:
      return dice.Pick(kOthers);
  }
}

void ExpectNear(double a, double b, double tolerance, const std::string& where) {
  EXPECT_NEAR(a, b, tolerance) << where;
}

void ExpectNear(const Vec3& a, const Vec3& b, double tolerance, const std::string& where) {
  ExpectNear(a.x, b.x, tolerance, where + ".x");
  ExpectNear(a.y, b.y, tolerance, where + ".y");
  ExpectNear(a.z, b.z, tolerance, where + ".z");
}

void ExpectParamNear(const standin::ParamValue& a, const standin::ParamValue& b, double tolerance,
                     const std::string& where) {
  ASSERT_EQ(a.index(), b.index()) << where;
  if (const auto* x = std::get_if<double>(&a)) {
    ExpectNear(*x, std::get<double>(b), tolerance, where);
  } else if (const auto* v = std::get_if<Vec3>(&a)) {
    ExpectNear(*v, std::get<Vec3>(b), tolerance, where);
  } else if (const auto* curve = std::get_if<standin::SplineCurve>(&a)) {
    const auto& other = std::get<standin::SplineCurve>(b).knots;
    ASSERT_EQ(curve->knots.size(), other.size()) << where;
    for (size_t i = 0; i < other.size(); ++i) {
      ExpectNear(curve->knots[i][0], other[i][0], tolerance, where);
      ExpectNear(curve->knots[i][1], other[i][1], tolerance, where);
    }
  } else {
    EXPECT_EQ(a, b) << where;
  }
}

void ExpectObjectNear(const Object& a, const Object& b, double tolerance) {
  const std::string where = "\"" + a.data.name + "\"";
  ASSERT_EQ(a.data.name, b.data.name);
  EXPECT_EQ(a.type, b.type) << where;
  EXPECT_EQ(a.selected, b.selected) << where;
  for (const auto& [part, x, y] : {std::tuple{"off", a.data.matrix.off, b.data.matrix.off},
                                   {"v1", a.data.matrix.v1, b.data.matrix.v1},
                                   {"v2", a.data.matrix.v2, b.data.matrix.v2},
                                   {"v3", a.data.matrix.v3, b.data.matrix.v3}}) {
    ExpectNear(x, y, tolerance, where + " matrix " + part);
  }
  ExpectNear(a.data.vector, b.data.vector, tolerance, where + " vector");
  EXPECT_EQ(a.data.color, b.data.color) << where;
  EXPECT_EQ(a.data.polygons, b.data.polygons) << where;
  ASSERT_EQ(a.data.params.size(), b.data.params.size()) << where;
  for (auto i = a.data.params.begin(), j = b.data.params.begin(); i != a.data.params.end(); ++i, ++j) {
    ASSERT_EQ(i->first, j->first) << where;
    ExpectParamNear(i->second, j->second, tolerance, where + " param " + std::to_string(i->first));
  }
  ASSERT_EQ(a.data.points.has_value(), b.data.points.has_value()) << where;
  if (a.data.points) {
    ASSERT_EQ(a.data.points->size(), b.data.points->size()) << where;
    for (size_t i = 0; i < b.data.points->size(); ++i) {
      ExpectNear((*a.data.points)[i], (*b.data.points)[i], tolerance, where + " point");
    }
  }
  ASSERT_EQ(a.data.tangents.has_value(), b.data.tangents.has_value()) << where;
  if (a.data.tangents) {
    ASSERT_EQ(a.data.tangents->size(), b.data.tangents->size()) << where;
    for (size_t i = 0; i < b.data.tangents->size(); ++i) {
      ExpectNear((*a.data.tangents)[i].left, (*b.data.tangents)[i].left, tolerance, where + " tangent");
      ExpectNear((*a.data.tangents)[i].right, (*b.data.tangents)[i].right, tolerance, where + " tangent");
    }
  }
}

}  // namespace

std::string RandomSceneText(uint64_t seed) {
  Dice dice(seed);
  standin::Scene scene;
  standin::Document& doc = scene.NewDocument();
  std::vector<Object*> objects;
  for (int i = dice.Int(1, 25); i > 0; --i) {
    Object* op = scene.NewObject(RandomType(dice));
    Fill(*op, dice);
    doc.Append(op,
               objects.empty() || dice.Chance(0.3) ? nullptr : objects[dice.Int(0, (int)objects.size() - 1)]);
    objects.push_back(op);
  }
  // Mostly one selected object, sometimes two or none.
  const int selected = dice.Chance(0.8) ? 1 : dice.Chance(0.5) ? 2 : 0;
  for (int i = 0; i < selected; ++i) objects[dice.Int(0, (int)objects.size() - 1)]->selected = true;
  return standin::SceneToJson(doc);
}

std::vector<std::string> RandomMirrorOptions(std::mt19937_64& rng, bool duplicate) {
  auto pick = [&rng](std::initializer_list<const char*> words) {
    return std::string(*(words.begin() + std::uniform_int_distribution<size_t>(0, words.size() - 1)(rng)));
  };
  auto chance = [&rng] { return std::bernoulli_distribution(0.3)(rng); };
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

void ExpectScenesNear(const standin::Document& a, const standin::Document& b, double tolerance) {
  const Object* x = a.first();
  const Object* y = b.first();
  for (; x != nullptr && y != nullptr; x = standin::NextInDocument(x), y = standin::NextInDocument(y)) {
    ExpectObjectNear(*x, *y, tolerance);
    // The same shape: each object has a child and a next sibling in both or
    // in neither.
    ASSERT_EQ(x->first_child == nullptr, y->first_child == nullptr) << x->data.name;
    ASSERT_EQ(x->next == nullptr, y->next == nullptr) << x->data.name;
  }
  EXPECT_TRUE(x == nullptr && y == nullptr) << "the scenes hold different numbers of objects";
}

}  // namespace vitrel::e2e
