#include <algorithm>
#include <array>

#include "flipit.h"
#include "flipit_ids.h"
#include "mirror.h"
#include "mirror_support.h"

using vitrel::mirror::Turn;

namespace {

// Parameters of primitives: orientation (0 and 1 the two senses of X, 2 and
// 3 of Y, 4 and 5 of Z), slice switch, slice start and end angles.
constexpr Int32 kOrientation = 1300;
constexpr Int32 kSlice = 1200;
constexpr Int32 kSliceStart = 1201;
constexpr Int32 kSliceEnd = 1202;
// Parameter of spline primitives: the plane they lie in (0, 1 or 2).
constexpr Int32 kPlane = 2300;

// The primitives whose slice is an angle about their orientation axis.
constexpr std::array<Int32, 7> kSlicedPrimitives{5162, 5163, 5164, 5165, 5170, 5171, 5172};

// The orientation's sense along the mirror axis reverses; orientations along
// the other axes stay.
Int32 MirroredOrientation(Int32 orientation, Int32 axis) {
  const Int32 index = vitrel::mirror::AxisIndex(axis);
  if (index < 0) return orientation;
  const Int32 pairStart = 2 * index;
  if (orientation == pairStart) return pairStart + 1;
  if (orientation == pairStart + 1) return pairStart;
  return orientation;
}

struct Slice {
  Float start;
  Float end;
};

// A slice mirrored with its primitive. Across X, and across Y for a
// primitive oriented along X or Y, the slice is reflected about the half
// turn; across Z, and across Y for one oriented along Z, it is reflected
// about zero.
Slice MirroredSlice(Slice s, Int32 axis, Int32 orientation, Float pi) {
  const Slice aboutHalfTurn{pi - s.end, pi - s.start};
  const Slice aboutZero{-s.start, -s.end};
  switch (axis) {
    case AXIS_X:
      return aboutHalfTurn;
    case AXIS_Y:
      if (orientation == 4 || orientation == 5) return aboutZero;
      if (orientation >= 0 && orientation <= 3) return aboutHalfTurn;
      return s;
    case AXIS_Z:
      return aboutZero;
    default:
      return s;
  }
}

// The turn of a spline primitive by the plane it lies in (0, 1, 2) and the
// mirror axis (X, Y, Z).
constexpr Turn kSplinePlaneTurns[3][3] = {
    {Turn::kHeading, Turn::kPitch, Turn::kNone},
    {Turn::kNone, Turn::kBank, Turn::kHeading},
    {Turn::kHeadingPitch, Turn::kNone, Turn::kPitch},
};

Turn SplinePlaneTurn(Int32 plane, Int32 axis) {
  const Int32 column = vitrel::mirror::AxisIndex(axis);
  if (plane < 0 || plane > 2 || column < 0) return Turn::kNone;
  return kSplinePlaneTurns[plane][column];
}

}  // namespace

void FlipPrimitive(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc) {
  const Int32 type = op->GetType();
  BaseContainer bc = op->GetData();
  if (!vitrel::host::IsUsable(bc)) return;
  const Int32 orientation = MirroredOrientation(bc.GetInt32(kOrientation), axis);
  bc.SetInt32(kOrientation, orientation);
  const Bool sliced =
      std::find(kSlicedPrimitives.begin(), kSlicedPrimitives.end(), type) != kSlicedPrimitives.end();
  if (sliced && bc.GetBool(kSlice)) {
    const Slice slice =
        MirroredSlice({bc.GetFloat(kSliceStart), bc.GetFloat(kSliceEnd)}, axis, orientation, dialog.pi);
    bc.SetFloat(kSliceStart, slice.start);
    bc.SetFloat(kSliceEnd, slice.end);
  }
  vitrel::mirror::SetParameters(op, bc, doc);
}

Bool FlipSplinePrimitive(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc) {
  // The turn depends on the plane; without the parameters it is unknown.
  const BaseContainer bc = op->GetData();
  if (!vitrel::host::IsUsable(bc)) return false;
  return vitrel::mirror::ReorientByAngles(op, SplinePlaneTurn(bc.GetInt32(kPlane), axis), dialog.pi, doc);
}
