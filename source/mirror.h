// The mirror engine: mirrors the first selected object of the active
// document (or a duplicate of it) and everything below it across the axis
// chosen in the mirror dialog.
//
// The engine keeps nothing between calls: each option is read from the
// dialog's gadgets when the step that needs it begins, and each change of a
// scene object is preceded by an undo registration of that object. A step
// whose options the dialog cannot give is not begun, so that nothing is
// mirrored with options made up in their place. Axis values are
// the raw values of the dialog's axis list (AXIS_X, AXIS_Y, AXIS_Z); any
// other value leaves points, tangents, lattices, angles and the parameters
// tied to one axis as they are. What is not tied to an axis changes whatever
// the value: the sweep's float and curve, and the array's float.
//
// Every object ends up at the reflection of where it lay: a copy across the
// world's plane (it is inserted at the top level where the original lies in
// the world), an object mirrored in place across the plane of its parent's
// space. A handler that turns an object on top of its reflection would carry
// the object's children with it, so each child the walk visits is turned
// back by the inverse of its parent's turn.
#pragma once

#include "plugin_host.h"

class FlipItDialog;

// ---- the run ----------------------------------------------------------------

// The whole run, as one undo group of the active document. A run whose
// options the dialog cannot give changes nothing.
void MirrorRun(FlipItDialog& dialog);
// Appends `suffix` to the name of `op` and, with `recurse`, to the names of
// every object below it. `isTop` is true for the object the run starts at:
// its siblings are never renamed.
void RenameHierarchy(BaseObject* op, Bool isTop, const String& suffix, Bool recurse);
// Gives `op` the display colour, mode and x-ray flag that the dialog shows.
void ApplyColourProperties(const FlipItDialog& dialog, BaseObject* op);
// The follow-up command on the mirrored object.
void RunPostMirrorCommand(BaseObject* op, BaseDocument* doc);

// ---- the walk ---------------------------------------------------------------

// True when the dialog gives every option that the walk reads.
Bool CanReadWalkOptions(const FlipItDialog& dialog);
// Mirrors `op` and, unless the dialog asks for the top object alone, every
// object below it, depth first; with `isTop` the siblings of `op` are left
// alone. Each object below a turned one is turned back by its parent's turn
// right after its own treatment, so that it lies at its reflection.
void WalkHierarchy(const FlipItDialog& dialog, BaseObject* op, BaseDocument* doc, Bool isTop);

// What mirroring one object did to its placement, for the objects below it.
struct MirrorOutcome {
  // The placement as mirrored, before a handler turned the object.
  Matrix mirrored;
  // A handler turned the object on top of the mirror.
  Bool turned = false;
  // A spline below a sweep whose points were given the sweep's extra turn;
  // the axis it was mirrored across.
  Bool sweepProfile = false;
  Int32 axis = 0;
};
// Mirrors one object's placement and the data its type carries.
MirrorOutcome MirrorObject(const FlipItDialog& dialog, BaseObject* op, BaseDocument* doc);

// ---- point data -------------------------------------------------------------

// What the point-data step did.
struct PointDataOutcome {
  // False when the point data was left as it was because the host would not
  // hand out what the mirror needs: nothing of it is then changed or
  // announced.
  Bool mirrored = true;
  // The spline lies directly below a sweep and was given the sweep's extra
  // turn.
  Bool sweepProfile = false;
};
// Points, lattice grid and tangents of `op`, and the extra turn of a spline
// that lies directly below a sweep.
PointDataOutcome MirrorPointData(BaseObject* op, Int32 axis, BaseDocument* doc);
// Negates the axis component of every point, then tells the object that its
// points changed. False, with nothing changed or announced, when the host
// holds points that it would not hand out.
Bool MirrorPoints(BaseObject* op, Int32 axis);
// Negates the axis component of both tangents of each of the `count` spline
// points at `tangents` (null: none), registering `op` for undo before each.
void FlipTangents(BaseObject* op, Tangent* tangents, Int32 count, Int32 axis, BaseDocument* doc);
// Mirrors a deformation lattice's grid points so that each grid cell keeps
// its point. False, with nothing changed or announced, when the grid's sizes
// or its points could not be obtained.
Bool FlipLatticePoints(BaseObject* op, Int32 axis, BaseDocument* doc);

// ---- handlers by object type --------------------------------------------------
// The handlers that may turn an object say whether they did.

void FlipPrimitive(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc);
Bool FlipSplinePrimitive(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc);
Bool FlipDeformer(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc, Int32 type);
Bool FlipParticleForce(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc, Int32 type);
Bool FlipSweep(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc);
Bool FlipLightCamera(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc);
void FlipExtrude(BaseObject* op, Int32 axis, BaseDocument* doc);
void FlipLathe(BaseObject* op, Int32 axis, BaseDocument* doc);
void FlipArray(BaseObject* op, BaseDocument* doc);
