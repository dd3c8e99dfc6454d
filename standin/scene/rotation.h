// Conversions between matrices and angles in the host's rotation order HPB.
#pragma once

#include "scene/object.h"

namespace standin {

// The rotation of angles (H, P, B) is Ry(H) * Rx(P) * Rz(B); the matrix's
// axes are the columns of that rotation. The offset is zero.
Matrix HpbToMatrix(const Vec3& hpb);

// Angles of a matrix whose axes are normalised first; one axis of length
// zero is rebuilt from the other two, so a flattened object keeps its
// rotation. P lies in [-pi/2, pi/2]; a degenerate matrix gives finite angles.
Vec3 MatrixToHpb(const Matrix& m);

double Length(const Vec3& v);

}  // namespace standin
