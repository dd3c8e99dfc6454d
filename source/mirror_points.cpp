#include "flipit_ids.h"
#include "mirror.h"
#include "mirror_support.h"

using vitrel::mirror::kLatticeObject;
using vitrel::mirror::kPointObject;
using vitrel::mirror::kSweepObject;
using vitrel::mirror::SendPointsChanged;

namespace {

// Negates the axis component of the `count` points at `points` (null: none
// to write), then tells the object that its points changed.
void NegatePoints(BaseObject* op, Vector* points, Int32 count, Int32 axis) {
  // One pass over the points, whatever their number.
  Float Vector::*component = vitrel::mirror::AxisComponent(axis);
  if (component != nullptr && points != nullptr) {
    for (Vector *p = points, *end = points + count; p != end; ++p) p->*component = -(p->*component);
  }
  SendPointsChanged(op, count, 1);
}

// A spline's points and tangents, taken for writing before either changes:
// points mirrored without their tangents, or the other way round, would
// change the spline's shape.
struct SplineData {
  Int32 pointCount = 0;
  Vector* points = nullptr;  // null: not taken, or none
  Int32 tangentCount = 0;
  Tangent* tangents = nullptr;  // null: none
};

// Takes the spline's tangents, and its points when `withPoints`. Across no
// axis nothing is written, so nothing is taken. False when the host holds
// data that it would not hand out.
Bool TakeSplineData(BaseObject* op, Int32 axis, Bool withPoints, SplineData& data) {
  SplineObject* spline = ToSpline(op);
  data.pointCount = spline->GetPointCount();
  data.tangentCount = spline->GetTangentCount();
  if (vitrel::mirror::AxisComponent(axis) == nullptr) return true;
  if (withPoints && data.pointCount > 0 && (data.points = spline->GetPointW()) == nullptr) return false;
  return data.tangentCount <= 0 || (data.tangents = spline->GetTangentW()) != nullptr;
}

// A spline directly below a sweep lies in the sweep's profile plane: besides
// the ordinary mirror along the chosen axis it is mirrored along that axis
// once more (which cancels the first) and along Y, and its vector property
// turns with it. Mirrored along Y it needs nothing more.
void MirrorSweepProfile(BaseObject* op, const SplineData& data, Int32 axis, BaseDocument* doc) {
  const Vector v = op->GetRelRot();
  doc->AddUndo(UNDOTYPE::CHANGE, op);
  op->SetRelRot(axis == AXIS_X ? Vector(-v.x, -v.y, v.z) : Vector(v.x, -v.y, -v.z));
  NegatePoints(op, data.points, data.pointCount, axis);
  FlipTangents(op, data.tangents, data.tangentCount, axis, doc);
  NegatePoints(op, data.points, data.pointCount, AXIS_Y);
  FlipTangents(op, data.tangents, data.tangentCount, AXIS_Y, doc);
}

// A spline's points (when it is a point object), its tangents and its turn
// below a sweep, all or none.
PointDataOutcome MirrorSpline(BaseObject* op, Bool pointObject, Int32 axis, BaseDocument* doc) {
  const BaseObject* parent = op->GetUp();
  const Bool profile =
      parent != nullptr && parent->GetType() == kSweepObject && (axis == AXIS_X || axis == AXIS_Z);
  SplineData data;
  if (!TakeSplineData(op, axis, pointObject || profile, data)) return {false, false};
  if (pointObject) NegatePoints(op, data.points, data.pointCount, axis);
  FlipTangents(op, data.tangents, data.tangentCount, axis, doc);
  if (profile) MirrorSweepProfile(op, data, axis, doc);
  return {true, profile};
}

}  // namespace

PointDataOutcome MirrorPointData(BaseObject* op, Int32 axis, BaseDocument* doc) {
  const Bool lattice = op->IsInstanceOf(kLatticeObject);
  const Bool pointObject = op->IsInstanceOf(kPointObject) && !lattice;
  if (lattice && !FlipLatticePoints(op, axis, doc)) return {false, false};
  if ((op->GetInfo() & OBJECT_ISSPLINE) == 0) return {!pointObject || MirrorPoints(op, axis), false};
  return MirrorSpline(op, pointObject, axis, doc);
}

Bool MirrorPoints(BaseObject* op, Int32 axis) {
  PointObject* pointObject = ToPoint(op);
  const Int32 count = pointObject->GetPointCount();
  Vector* points = nullptr;
  if (count > 0 && vitrel::mirror::AxisComponent(axis) != nullptr &&
      (points = pointObject->GetPointW()) == nullptr)
    return false;
  NegatePoints(op, points, count, axis);
  return true;
}

void vitrel::mirror::SendPointsChanged(BaseObject* op, Int32 count, Int32 flags) {
  VariableChanged changed;
  changed.old_cnt = count;
  changed.new_cnt = count;
  changed.map = nullptr;
  changed.vc_flags = flags;
  op->Message(MSG_POINTS_CHANGED, &changed);
}
