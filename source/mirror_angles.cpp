#include <cmath>

#include "mirror_support.h"

namespace vitrel::mirror {
namespace {

// Without overflow or underflow of the squares, so that axes as long as
// 1e200 or as short as 1e-170 keep their lengths.
Float Length(const Vector& v) { return std::hypot(v.x, v.y, v.z); }

// `axis` brought to `length`. A rotation's axes have length one; an axis the
// host gave with length zero stays of length zero.
Vector Rescaled(const Vector& axis, Float length) {
  const Float own = Length(axis);
  if (!(own > 0.0)) return Vector();
  return axis / own * length;
}

}  // namespace

void ApplyTurn(Turn turn, Vector& hpb, Float pi) {
  switch (turn) {
    case Turn::kNone:
      break;
    case Turn::kHeading:
      hpb = Vector(hpb.x + pi, -hpb.y, -hpb.z);
      break;
    case Turn::kPitch:
      hpb = Vector(hpb.x, hpb.y + pi, -hpb.z);
      break;
    case Turn::kBank:
      hpb.z += pi;
      break;
    case Turn::kHeadingPitch:
      hpb = Vector(hpb.x + pi, pi - hpb.y, hpb.z);
      break;
    case Turn::kPitchOnly:
      hpb.y += pi;
      break;
    case Turn::kPitchBank:
      hpb = Vector(hpb.x, hpb.y + pi, pi - hpb.z);
      break;
  }
}

Placement ReadPlacement(const BaseObject* op) {
  Placement placement;
  placement.ml = op->GetMl();
  placement.hpb = MatrixToHPB(placement.ml, ROTATIONORDER::HPB);
  placement.lengths[0] = Length(placement.ml.sqmat.v1);
  placement.lengths[1] = Length(placement.ml.sqmat.v2);
  placement.lengths[2] = Length(placement.ml.sqmat.v3);
  return placement;
}

Matrix RebuildMatrix(const Vector& hpb, const Vector& off, const Float (&lengths)[3]) {
  Matrix m = HPBToMatrix(hpb, ROTATIONORDER::HPB);
  m.off = off;
  m.sqmat.v1 = Rescaled(m.sqmat.v1, lengths[0]);
  m.sqmat.v2 = Rescaled(m.sqmat.v2, lengths[1]);
  m.sqmat.v3 = Rescaled(m.sqmat.v3, lengths[2]);
  return m;
}

Matrix WritePlacement(BaseObject* op, const Placement& placement, BaseDocument* doc) {
  const Matrix m = RebuildMatrix(placement.hpb, placement.ml.off, placement.lengths);
  doc->AddUndo(UNDOTYPE::CHANGE, op);
  op->SetMl(m);
  return m;
}

Bool ReorientByAngles(BaseObject* op, Turn turn, Float pi, BaseDocument* doc) {
  Placement placement = ReadPlacement(op);
  ApplyTurn(turn, placement.hpb, pi);
  WritePlacement(op, placement, doc);
  return turn != Turn::kNone;
}

void SetParameters(BaseObject* op, const BaseContainer& bc, BaseDocument* doc) {
  if (!vitrel::host::IsUsable(bc)) return;
  doc->AddUndo(UNDOTYPE::CHANGE, op);
  op->SetData(bc, true);
}

}  // namespace vitrel::mirror
