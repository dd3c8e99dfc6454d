#include "scene/rotation.h"

#include <algorithm>
#include <cmath>

namespace standin {
namespace {

Vec3 Normalized(const Vec3& v) {
  const double len = Length(v);
  if (!(len > 0) || !std::isfinite(len)) return Vec3{};
  return {v.x / len, v.y / len, v.z / len};
}

// Below this cosine of P the rotation is taken as gimbal-locked and B as 0.
constexpr double kGimbalCosine = 1e-12;

}  // namespace

double Length(const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

Matrix HpbToMatrix(const Vec3& hpb) {
  const double ch = std::cos(hpb.x), sh = std::sin(hpb.x);
  const double cp = std::cos(hpb.y), sp = std::sin(hpb.y);
  const double cb = std::cos(hpb.z), sb = std::sin(hpb.z);
  Matrix m;
  m.off = {};
  m.v1 = {ch * cb + sh * sp * sb, cp * sb, -sh * cb + ch * sp * sb};
  m.v2 = {-ch * sb + sh * sp * cb, cp * cb, sh * sb + ch * sp * cb};
  m.v3 = {sh * cp, -sp, ch * cp};
  return m;
}

Vec3 MatrixToHpb(const Matrix& m) {
  const Vec3 a1 = Normalized(m.v1), a2 = Normalized(m.v2), a3 = Normalized(m.v3);
  const double sp = std::clamp(-a3.y, -1.0, 1.0);
  const double p = std::asin(sp);
  const double cp = std::sqrt(a3.x * a3.x + a3.z * a3.z);
  if (cp > kGimbalCosine) {
    return {std::atan2(a3.x, a3.z), p, std::atan2(a1.y, a2.y)};
  }
  // Gimbal lock: only H + B (or H - B) is defined; put it all into H.
  return {std::atan2(-a1.z, a1.x), p, 0.0};
}

}  // namespace standin
