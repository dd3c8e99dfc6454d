// The stand-in host's scene objects: plain data, owned by a Scene.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace standin {

struct Vec3 {
  double x = 0, y = 0, z = 0;
  friend bool operator==(const Vec3&, const Vec3&) = default;
};

// Local placement: offset, then the three axes (the axis lengths are the scale).
struct Matrix {
  Vec3 off{};
  Vec3 v1{1, 0, 0};
  Vec3 v2{0, 1, 0};
  Vec3 v3{0, 0, 1};
  friend bool operator==(const Matrix&, const Matrix&) = default;
};

struct Tangent {
  Vec3 left, right;
  friend bool operator==(const Tangent&, const Tangent&) = default;
};

// Point indices; a triangle has c == d.
struct Polygon {
  int32_t a = 0, b = 0, c = 0, d = 0;
  friend bool operator==(const Polygon&, const Polygon&) = default;
};

// Custom data type 1009060: knots (x, y).
struct SplineCurve {
  std::vector<std::array<double, 2>> knots;
  friend bool operator==(const SplineCurve&, const SplineCurve&) = default;
};

using ParamValue = std::variant<bool, int32_t, double, Vec3, SplineCurve>;

// Parameters by id, kept in ascending id order (the order they are written in).
using Container = std::map<int32_t, ParamValue>;

struct DisplayColor {
  int32_t mode = 0;
  Vec3 color{1, 1, 1};
  bool xray = false;
  friend bool operator==(const DisplayColor&, const DisplayColor&) = default;
};

// Everything of one object that an undo step keeps (its children excepted).
// CopyObjectData (clone.h) and the undo group's record (undo_group.h) hold
// it member by member: keep them in step.
struct ObjectData {
  std::string name;
  Matrix matrix;
  Container params;
  std::optional<std::vector<Vec3>> points;
  std::optional<std::vector<Tangent>> tangents;
  std::optional<std::vector<Polygon>> polygons;
  Vec3 vector{};
  DisplayColor color;
  friend bool operator==(const ObjectData&, const ObjectData&) = default;
};

class Document;
class Scene;

// An object and its links. Objects are owned by their Scene, never by their
// parent, so that no depth of hierarchy makes a destructor recurse.
struct Object {
  int32_t type = 0;
  // The open undo group's marks on the object (see UndoGroup), kept here so
  // that registering and checking an object cost no lookup.
  uint32_t undo_group = 0;
  ObjectData data;
  bool selected = false;
  uint8_t undo_marks = 0;

  Scene* scene = nullptr;        // the pool that owns the object
  Document* document = nullptr;  // null while outside any document
  Object* parent = nullptr;
  Object* first_child = nullptr;
  Object* last_child = nullptr;
  Object* prev = nullptr;
  Object* next = nullptr;
};

}  // namespace standin
