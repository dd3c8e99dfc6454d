// The host's plain value types, as the plug-in's code uses them.
#pragma once

#include <cstdint>
#include <limits>

using Int32 = int32_t;
using UInt32 = uint32_t;
using Int64 = int64_t;
// A length or an index, 64-bit as in the host.
using Int = int64_t;
using Float = double;
using Bool = bool;

template <typename T>
struct LIMIT {
  static constexpr T MIN = std::numeric_limits<T>::lowest();
  static constexpr T MAX = std::numeric_limits<T>::max();
};

struct Vector {
  Float x = 0.0, y = 0.0, z = 0.0;

  constexpr Vector() = default;
  // Explicit, as in the host's SDK: a brace list does not make a vector.
  explicit constexpr Vector(Float ax, Float ay, Float az) : x(ax), y(ay), z(az) {}

  friend constexpr Vector operator+(const Vector& a, const Vector& b) {
    return Vector(a.x + b.x, a.y + b.y, a.z + b.z);
  }
  friend constexpr Vector operator-(const Vector& a, const Vector& b) {
    return Vector(a.x - b.x, a.y - b.y, a.z - b.z);
  }
  friend constexpr Vector operator-(const Vector& a) { return Vector(-a.x, -a.y, -a.z); }
  friend constexpr Vector operator*(const Vector& a, Float s) { return Vector(a.x * s, a.y * s, a.z * s); }
  friend constexpr Vector operator/(const Vector& a, Float s) { return Vector(a.x / s, a.y / s, a.z / s); }
  friend constexpr bool operator==(const Vector&, const Vector&) = default;
};

// The axes of a placement: the first, second and third axis.
struct SqMat3 {
  Vector v1{1.0, 0.0, 0.0};
  Vector v2{0.0, 1.0, 0.0};
  Vector v3{0.0, 0.0, 1.0};
  friend constexpr bool operator==(const SqMat3&, const SqMat3&) = default;
};

// An object's placement: offset, then the axes.
struct Matrix {
  Vector off;
  SqMat3 sqmat;

  constexpr Matrix() = default;
  constexpr Matrix(const Vector& offset, const Vector& v1, const Vector& v2, const Vector& v3)
      : off(offset), sqmat{v1, v2, v3} {}
  friend constexpr bool operator==(const Matrix&, const Matrix&) = default;
};
