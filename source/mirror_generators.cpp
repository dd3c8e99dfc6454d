// Generators whose result depends on a signed parameter: extrusions, lathes
// and arrays. Only their parameters change, never their placement; the
// parameters are set back for every axis value, changed or not. Without a
// copy of the parameters a generator is left as it is.
#include "flipit_ids.h"
#include "mirror.h"
#include "mirror_support.h"

namespace {

// Extrusion: the extrusion vector.
constexpr Int32 kExtrudeMovement = 1002;
// Lathe: the two signed floats, one mirrored across Y, the other across X
// and Z.
constexpr Int32 kLatheAcrossY = 1002;
constexpr Int32 kLatheAcrossXZ = 1004;
// Array: the signed float, and the message that tells the array it changed.
constexpr Int32 kArrayFloat = 1002;
constexpr Int32 kArrayChanged = 7;

}  // namespace

void FlipExtrude(BaseObject* op, Int32 axis, BaseDocument* doc) {
  BaseContainer bc = op->GetData();
  if (!vitrel::host::IsUsable(bc)) return;
  Vector movement = bc.GetVector(kExtrudeMovement);
  if (Float Vector::*component = vitrel::mirror::AxisComponent(axis))
    movement.*component = -(movement.*component);
  bc.SetVector(kExtrudeMovement, movement);
  vitrel::mirror::SetParameters(op, bc, doc);
}

void FlipLathe(BaseObject* op, Int32 axis, BaseDocument* doc) {
  BaseContainer bc = op->GetData();
  if (!vitrel::host::IsUsable(bc)) return;
  const Float acrossY = bc.GetFloat(kLatheAcrossY);
  const Float acrossXZ = bc.GetFloat(kLatheAcrossXZ);
  if (axis == AXIS_X || axis == AXIS_Z) bc.SetFloat(kLatheAcrossXZ, -acrossXZ);
  if (axis == AXIS_Y) bc.SetFloat(kLatheAcrossY, -acrossY);
  vitrel::mirror::SetParameters(op, bc, doc);
}

void FlipArray(BaseObject* op, BaseDocument* doc) {
  BaseContainer bc = op->GetData();
  if (!vitrel::host::IsUsable(bc)) return;
  bc.SetFloat(kArrayFloat, -bc.GetFloat(kArrayFloat));
  vitrel::mirror::SetParameters(op, bc, doc);
  op->Message(kArrayChanged);
}
