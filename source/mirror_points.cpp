#include "flipit_ids.h"
#include "mirror.h"
#include "mirror_support.h"

using vitrel::mirror::kLatticeObject;
using vitrel::mirror::kPointObject;
using vitrel::mirror::kSweepObject;
using vitrel::mirror::SendPointsChanged;

namespace {

// A spline directly below a sweep lies in the sweep's profile plane: besides
// the ordinary mirror along the chosen axis it is mirrored along that axis
// once more (which cancels the first) and along Y, and its vector property
// turns with it. Mirrored along Y it needs nothing more.
void MirrorSweepProfile(BaseObject* op, Int32 axis, BaseDocument* doc) {
  if (axis != AXIS_X && axis != AXIS_Z) return;
  Vector v = op->GetVector();
  doc->AddUndo(UNDOTYPE::CHANGE, op);
  op->SetVector(axis == AXIS_X ? Vector(-v.x, -v.y, v.z) : Vector(v.x, -v.y, -v.z));
  MirrorPoints(op, axis);
  FlipTangents(op, axis, doc);
  MirrorPoints(op, AXIS_Y);
  FlipTangents(op, AXIS_Y, doc);
}

}  // namespace

void MirrorPointData(BaseObject* op, Int32 axis, BaseDocument* doc) {
  const Bool lattice = op->IsInstanceOf(kLatticeObject);
  if (op->IsInstanceOf(kPointObject) && !lattice) MirrorPoints(op, axis);
  if (lattice) FlipLatticePoints(op, axis, doc);
  if (op->GetSplineInfo() == 0) return;
  FlipTangents(op, axis, doc);
  BaseObject* parent = op->GetUp();
  if (parent != nullptr && parent->GetType() == kSweepObject) MirrorSweepProfile(op, axis, doc);
}

void MirrorPoints(BaseObject* op, Int32 axis) {
  const Int32 count = op->GetPointCount();
  // One pass over the points, whatever their number.
  if (Float Vector::*component = vitrel::mirror::AxisComponent(axis)) {
    // A host that reports points but gives none to write leaves them as they
    // are.
    if (Vector* points = count > 0 ? op->GetPointW() : nullptr) {
      for (Vector *p = points, *end = points + count; p != end; ++p) p->*component = -(p->*component);
    }
  }
  SendPointsChanged(op, count, 1);
}

void vitrel::mirror::SendPointsChanged(BaseObject* op, Int32 count, Int32 flags) {
  VariableChanged changed;
  changed.old_cnt = count;
  changed.new_cnt = count;
  changed.map = nullptr;
  changed.flags = flags;
  op->Message(MSG_POINTS_CHANGED, &changed);
}
