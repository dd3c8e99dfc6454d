// Placements as maps from a child's space into its parent's: composed along
// the hierarchy, and undone, to keep objects where the reflection puts them
// in the world.
#include <cmath>

#include "mirror_support.h"

namespace vitrel::mirror {
namespace {

Float DotOf(const Vector& a, const Vector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector CrossOf(const Vector& a, const Vector& b) {
  return Vector(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

// A direction of the inner space in the outer one (no offset).
Vector TurnVector(const Matrix& m, const Vector& v) {
  return m.sqmat.v1 * v.x + m.sqmat.v2 * v.y + m.sqmat.v3 * v.z;
}

}  // namespace

Matrix Compose(const Matrix& outer, const Matrix& inner) {
  return Matrix(outer.off + TurnVector(outer, inner.off), TurnVector(outer, inner.sqmat.v1),
                TurnVector(outer, inner.sqmat.v2), TurnVector(outer, inner.sqmat.v3));
}

Bool Invert(const Matrix& m, Matrix& inverse) {
  // The rows of the inverse are the cross products of the other two axes
  // over the volume the three span.
  const Vector r1 = CrossOf(m.sqmat.v2, m.sqmat.v3);
  const Vector r2 = CrossOf(m.sqmat.v3, m.sqmat.v1);
  const Vector r3 = CrossOf(m.sqmat.v1, m.sqmat.v2);
  const Float det = DotOf(m.sqmat.v1, r1);
  if (!std::isfinite(det) || det == 0.0) return false;
  const Vector row1 = r1 / det, row2 = r2 / det, row3 = r3 / det;
  inverse.sqmat.v1 = Vector(row1.x, row2.x, row3.x);
  inverse.sqmat.v2 = Vector(row1.y, row2.y, row3.y);
  inverse.sqmat.v3 = Vector(row1.z, row2.z, row3.z);
  inverse.off = -TurnVector(inverse, m.off);
  return std::isfinite(inverse.off.x) && std::isfinite(inverse.off.y) && std::isfinite(inverse.off.z);
}

Matrix WorldMatrix(BaseObject* op) {
  Matrix world = op->GetMl();
  for (BaseObject* up = op->GetUp(); up != nullptr; up = up->GetUp())
    world = Compose(up->GetMl(), world);
  return world;
}

Matrix SweepProfileTurn(const Matrix& m, Int32 axis) {
  // The half turn about the profile's Z axis (mirrored across X) or X axis
  // (across Z) that its points' extra mirror along Y and the axis make.
  Matrix turned = m;
  if (axis == AXIS_X) {
    turned.sqmat.v1 = -m.sqmat.v1;
    turned.sqmat.v2 = -m.sqmat.v2;
  } else if (axis == AXIS_Z) {
    turned.sqmat.v2 = -m.sqmat.v2;
    turned.sqmat.v3 = -m.sqmat.v3;
  }
  return turned;
}

}  // namespace vitrel::mirror
