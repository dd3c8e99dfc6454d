#include "random_scene.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace vitrel::e2e {
namespace {

using standin::Object;
using standin::Vec3;

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
