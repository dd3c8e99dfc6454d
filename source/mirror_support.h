// What the engine's rule families share: the object types they test, the
// component an axis value names, the half turns of an object's angles, the
// rebuilding of a placement from angles, placements composed and undone, the
// undo-registered write of a parameter copy, and the depth-first walk over a
// hierarchy.
#pragma once

#include <type_traits>

#include "flipit_ids.h"
#include "plugin_host.h"

namespace vitrel::mirror {

// Object types the engine tests by instance.
inline constexpr Int32 kPointObject = 5156;
inline constexpr Int32 kPolygonObject = 5100;
inline constexpr Int32 kLatticeObject = 5108;
inline constexpr Int32 kSweepObject = 5118;

// 0, 1 and 2 for the X, Y and Z axis values; -1 for a value that names no
// axis.
inline Int32 AxisIndex(Int32 axis) {
  switch (axis) {
    case AXIS_X:
      return 0;
    case AXIS_Y:
      return 1;
    case AXIS_Z:
      return 2;
    default:
      return -1;
  }
}

// The component of a vector that an axis value mirrors; null for a value
// that names no axis.
inline Float Vector::*AxisComponent(Int32 axis) {
  constexpr Float Vector::*kComponents[3] = {&Vector::x, &Vector::y, &Vector::z};
  const Int32 index = AxisIndex(axis);
  return index < 0 ? nullptr : kComponents[index];
}

// How a handler turns an object's angles (H, P, B).
enum class Turn {
  kNone,
  kHeading,       // H + pi, -P, -B
  kPitch,         // P + pi, -B
  kBank,          // B + pi
  kHeadingPitch,  // H + pi, pi - P
  kPitchOnly,     // P + pi
  kPitchBank,     // P + pi, pi - B
};

void ApplyTurn(Turn turn, Vector& hpb, Float pi);

// An object's placement read as angles, with the lengths of its axes (its
// scale), ready to be rebuilt from changed angles.
struct Placement {
  Matrix ml;
  Vector hpb;
  Float lengths[3];
};

Placement ReadPlacement(const BaseObject* op);
// The rotation of `hpb` at offset `off`, each axis scaled to its length in
// `lengths`, so that no mirror ever leaves a negative scale in a matrix.
Matrix RebuildMatrix(const Vector& hpb, const Vector& off, const Float (&lengths)[3]);
// Registers `op` for undo and sets the placement rebuilt from `placement`'s
// angles, with its offset and axis lengths; returns what it set.
Matrix WritePlacement(BaseObject* op, const Placement& placement, BaseDocument* doc);

// Turns `op` by changing its angles while keeping its offset and scale: the
// placement read, turned and written back in one step. True when `turn`
// turned it (the placement is written back also for Turn::kNone).
Bool ReorientByAngles(BaseObject* op, Turn turn, Float pi, BaseDocument* doc);

// `inner` placed in the space that `outer` places: a placement in the space
// of `outer`'s parent.
Matrix Compose(const Matrix& outer, const Matrix& inner);
// The placement that undoes `m`. False when `m` flattens space (an axis of
// length zero) or its inverse is not finite: `inverse` is then unusable.
Bool Invert(const Matrix& m, Matrix& inverse);
// The placement of `op` in the world, through all its parents.
Matrix WorldMatrix(BaseObject* op);
// `m` turned by the half turn that a spline below a sweep takes on when its
// points get the sweep's extra mirror along Y on top of the mirror across
// `axis` (X or Z; any other axis leaves `m` as it is). Placed so, the
// spline's points lie at their reflection.
Matrix SweepProfileTurn(const Matrix& m, Int32 axis);

// Tells `op` that its `count` points changed in place (no index map).
void SendPointsChanged(BaseObject* op, Int32 count, Int32 flags);

// Registers `op` for undo and sets the changed parameter copy back, merged.
// A copy that the host could not make is not set back, and nothing is
// registered for it.
void SetParameters(BaseObject* op, const BaseContainer& bc, BaseDocument* doc);

// Visits `start` and the objects below it in depth-first pre-order (an
// object, then its children, then its later siblings), as a recursive walk
// that descends to the first child and, except at the top object, goes on to
// the next sibling. With `isTop` the siblings of `start` are never visited;
// without it the later siblings of `start` and everything below them are.
// `visit` is called with the object, or with the object and its depth below
// `start`'s level (0 for `start` and its siblings). When it returns false the
// walk does what the recursive walk does when it returns early at that
// object: it skips the objects below it and its later siblings and goes on
// after its parent. The walk keeps no stack and finds its way back through
// the parents, so no depth of hierarchy and no number of siblings can
// exhaust it.
template <typename Visit>
void VisitHierarchy(BaseObject* start, Bool isTop, Visit&& visit) {
  if (start == nullptr) return;
  // The walk ends where it would resume this object's call: the top
  // object's own (it never goes on to its siblings), or, when `start` is not
  // the top object, its parent's, which lies outside the walk.
  BaseObject* const end = isTop ? start : start->GetUp();
  BaseObject* op = start;
  Int32 depth = 0;
  while (op != nullptr) {
    // The object whose call resumes next, once `op`'s call has walked its
    // children (or returned early): it goes on to its next sibling or, with
    // none, returns to the call of its parent.
    BaseObject* resume = op;
    Bool descend = false;
    if constexpr (std::is_invocable_v<Visit, BaseObject*, Int32>) {
      descend = visit(op, depth);
    } else {
      descend = visit(op);
    }
    if (descend) {
      if (BaseObject* down = op->GetDown()) {
        op = down;
        ++depth;
        continue;
      }
    } else {
      if (op == end) return;
      resume = op->GetUp();
      --depth;
    }
    op = nullptr;
    while (resume != nullptr && resume != end) {
      if (BaseObject* next = resume->GetNext()) {
        op = next;
        break;
      }
      resume = resume->GetUp();
      --depth;
    }
  }
}

}  // namespace vitrel::mirror
