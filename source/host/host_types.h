// The host's plain value types, as the plug-in's code uses them.
#pragma once

#include <cstdint>
#include <limits>

using Int32 = int32_t;
using UInt32 = uint32_t;
using Int64 = int64_t;
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
  constexpr Vector(Float ax, Float ay, Float az) : x(ax), y(ay), z(az) {}

  friend constexpr Vector operator+(const Vector& a, const Vector& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  friend constexpr Vector operator-(const Vector& a, const Vector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  friend constexpr Vector operator-(const Vector& a) { return {-a.x, -a.y, -a.z}; }
  friend constexpr Vector operator*(const Vector& a, Float s) { return {a.x * s, a.y * s, a.z * s}; }
  friend constexpr Vector operator/(const Vector& a, Float s) { return {a.x / s, a.y / s, a.z / s}; }
  friend constexpr bool operator==(const Vector&, const Vector&) = default;
};

// An object's placement: offset, then the first, second and third axis.
struct Matrix {
  Vector off;
  Vector v1{1.0, 0.0, 0.0};
  Vector v2{0.0, 1.0, 0.0};
  Vector v3{0.0, 0.0, 1.0};
  friend constexpr bool operator==(const Matrix&, const Matrix&) = default;
};
