#include "scene/rotation.h"

#include <cmath>

#include "scene/portable_trig.h"

namespace standin {
namespace {

Vec3 Normalized(const Vec3& v) {
  const double len = Length(v);
  if (!(len > 0) || !std::isfinite(len)) return Vec3{};
  return {v.x / len, v.y / len, v.z / len};
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool IsMissing(const Vec3& axis) { return axis == Vec3{}; }

// The unit axes of `m`. An object flattened along one axis (that axis of
// length zero) still has a rotation: the missing axis is rebuilt from the
// other two as a right-handed set has it (a1 = a2 x a3, a2 = a3 x a1,
// a3 = a1 x a2). With two or three axes missing the rotation is not known
// and the axes stay as they are.
void UnitAxes(const Matrix& m, Vec3& a1, Vec3& a2, Vec3& a3) {
  a1 = Normalized(m.v1), a2 = Normalized(m.v2), a3 = Normalized(m.v3);
  if (IsMissing(a1) + IsMissing(a2) + IsMissing(a3) != 1) return;
  if (IsMissing(a1)) a1 = Normalized(Cross(a2, a3));
  if (IsMissing(a2)) a2 = Normalized(Cross(a3, a1));
  if (IsMissing(a3)) a3 = Normalized(Cross(a1, a2));
}

// Below this cosine of P the rotation is taken as gimbal-locked and B as 0.
constexpr double kGimbalCosine = 1e-12;

}  // namespace

// Without overflow or underflow of the squares, so that axes as long as
// 1e200 or as short as 1e-170 keep their lengths.
double Length(const Vec3& v) { return std::hypot(v.x, v.y, v.z); }

Matrix HpbToMatrix(const Vec3& hpb) {
  const double ch = PortableCos(hpb.x), sh = PortableSin(hpb.x);
  const double cp = PortableCos(hpb.y), sp = PortableSin(hpb.y);
  const double cb = PortableCos(hpb.z), sb = PortableSin(hpb.z);
  Matrix m;
  m.off = {};
  m.v1 = {ch * cb + sh * sp * sb, cp * sb, -sh * cb + ch * sp * sb};
  m.v2 = {-ch * sb + sh * sp * cb, cp * cb, sh * sb + ch * sp * cb};
  m.v3 = {sh * cp, -sp, ch * cp};
  return m;
}

Vec3 MatrixToHpb(const Matrix& m) {
  Vec3 a1, a2, a3;
  UnitAxes(m, a1, a2, a3);
  // The trigonometry is the host's own, the same on every system.
  // atan2 rather than asin(-a3.y): asin loses half the digits of P as P
  // nears +-pi/2. The result still lies in [-pi/2, pi/2] since cp >= 0.
  const double cp = std::sqrt(a3.x * a3.x + a3.z * a3.z);
  const double p = PortableAtan2(-a3.y, cp);
  if (cp > kGimbalCosine) {
    // B is taken from the axes turned back by H (Ry(H)^T * R = Rx(P) * Rz(B),
    // whose first row is (cos B, -sin B, 0)), not from cos P * sin B: near
    // the gimbal that keeps B consistent with the H found, so the matrix is
    // rebuilt exactly even when H itself is poorly defined.
    const double h = PortableAtan2(a3.x, a3.z);
    const double ch = PortableCos(h), sh = PortableSin(h);
    return {h, p, PortableAtan2(-(ch * a2.x - sh * a2.z), ch * a1.x - sh * a1.z)};
  }
  // Gimbal lock: only H + B (or H - B) is defined; put it all into H.
  return {PortableAtan2(-a1.z, a1.x), p, 0.0};
}

}  // namespace standin
