#include <algorithm>
#include <array>

#include "flipit.h"
#include "flipit_ids.h"
#include "mirror.h"
#include "mirror_support.h"
#include "mirror_turn_stack.h"

using vitrel::mirror::kPolygonObject;

namespace {

// The host's modeling command for polygon objects, run after their matrix
// was mirrored.
constexpr Int32 kPolygonCommand = 217;

// Object types by the handler that treats them, in the order they are
// tested.
constexpr std::array<Int32, 12> kPrimitives{5162, 5170, 5174, 5168, 5164, 5167,
                                            5171, 5172, 5163, 5165, 5169, 5173};
constexpr Int32 kFirstSplinePrimitive = 5175;
constexpr Int32 kLastSplinePrimitive = 5189;
constexpr std::array<Int32, 10> kDeformers{5128, 5131, 5134, 5133, 5146, 5145, 5143, 5149, 5147, 5148};
constexpr std::array<Int32, 7> kParticleForces{5109, 5111, 5112, 5113, 5114, 5115, 5119};
constexpr Int32 kExtrude = 5116;
constexpr Int32 kLathe = 5117;
constexpr Int32 kSweep = 5118;
constexpr Int32 kLight = 5102;
constexpr Int32 kCamera = 5103;
constexpr Int32 kArray = 5150;

template <size_t N>
Bool Holds(const std::array<Int32, N>& types, Int32 type) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

// The options that one object's treatment reads, all read before it
// changes anything.
struct ObjectOptions {
  Int32 axis = 0;
  Int32 positioning = 0;
  Bool mirrorPoints = false;
  Bool skipPolygonCommand = false;
  Bool skipPrimitives = false;
};

Bool ReadObjectOptions(const FlipItDialog& dialog, ObjectOptions& options) {
  return dialog.GetInt32(IDC_AXIS, options.axis) && dialog.GetInt32(IDC_POSITIONING, options.positioning) &&
         dialog.GetBool(IDC_MIRROR_POINTS, options.mirrorPoints) &&
         dialog.GetBool(IDC_SKIP_POLYGON_COMMAND, options.skipPolygonCommand) &&
         dialog.GetBool(IDC_SKIP_PRIMITIVES, options.skipPrimitives);
}

// Hands `op` to the one handler of its type, if any. True when the handler
// turned the object.
Bool DispatchByType(const FlipItDialog& dialog, const ObjectOptions& options, BaseObject* op,
                    BaseDocument* doc) {
  const Int32 type = op->GetType();
  const Int32 axis = options.axis;
  if (Holds(kPrimitives, type)) {
    if (!options.skipPrimitives) FlipPrimitive(dialog, op, axis, doc);
  } else if (type >= kFirstSplinePrimitive && type <= kLastSplinePrimitive) {
    return FlipSplinePrimitive(dialog, op, axis, doc);
  } else if (Holds(kDeformers, type)) {
    return FlipDeformer(dialog, op, axis, doc, type);
  } else if (Holds(kParticleForces, type)) {
    return FlipParticleForce(dialog, op, axis, doc, type);
  } else if (type == kExtrude) {
    FlipExtrude(op, axis, doc);
  } else if (type == kLathe) {
    FlipLathe(op, axis, doc);
  } else if (type == kSweep) {
    return FlipSweep(dialog, op, axis, doc);
  } else if (type == kLight || type == kCamera) {
    return FlipLightCamera(dialog, op, axis, doc);
  } else if (type == kArray) {
    FlipArray(op, doc);
  }
  return false;
}

// Puts `op`, at `depth` on the walk's path, where the mirror puts it when its
// parent was turned, and keeps its own turn back for its children. The turn
// back of a turned object brings a child of it back to where the mirror
// alone would have put it: its mirrored placement after the inverse of its
// final one. `outcome` is what mirroring `op` did.
void KeepInPlace(BaseObject* op, Int32 depth, const MirrorOutcome& outcome, vitrel::mirror::TurnStack& turns,
                 BaseDocument* doc) {
  turns.LeaveTo(depth);
  const Matrix* parentTurn = turns.ParentTurn(depth);
  if (parentTurn == nullptr && !outcome.turned) return;
  Matrix own = op->GetMl();
  // A sweep's profile carries the sweep's turn in its points; placed with
  // the half turn those make, its points land at their reflection.
  const Bool profileTurned = parentTurn != nullptr && outcome.sweepProfile;
  if (profileTurned) own = vitrel::mirror::SweepProfileTurn(own, outcome.axis);
  if (parentTurn != nullptr) {
    doc->AddUndo(UNDOTYPE::CHANGE, op);
    op->SetMl(vitrel::mirror::Compose(*parentTurn, own));
  }
  Matrix inverse;
  if ((outcome.turned || profileTurned) && vitrel::mirror::Invert(own, inverse))
    turns.Push(depth, vitrel::mirror::Compose(inverse, outcome.mirrored));
}

// Mirroring the placement across an axis negates the offset's component on
// that axis and the two angles that turn about the other axes.
void MirrorAngles(Vector& hpb, Int32 axis) {
  switch (axis) {
    case AXIS_X:
      hpb = Vector(-hpb.x, hpb.y, -hpb.z);
      break;
    case AXIS_Y:
      hpb = Vector(hpb.x, -hpb.y, -hpb.z);
      break;
    case AXIS_Z:
      hpb = Vector(-hpb.x, -hpb.y, hpb.z);
      break;
    default:
      break;
  }
}

}  // namespace

Bool CanReadWalkOptions(const FlipItDialog& dialog) {
  ObjectOptions options;
  Bool skipChildren = false;
  return ReadObjectOptions(dialog, options) && dialog.GetBool(IDC_SKIP_CHILDREN, skipChildren);
}

void WalkHierarchy(const FlipItDialog& dialog, BaseObject* op, BaseDocument* doc, Bool isTop) {
  // Without it the walk's extent is unknown, so no object is mirrored.
  Bool skipChildren = false;
  if (!dialog.GetBool(IDC_SKIP_CHILDREN, skipChildren)) return;
  // Children left out of the walk keep their placement in their turned
  // parent, as the user asked.
  vitrel::mirror::TurnStack turns;
  vitrel::mirror::VisitHierarchy(op, isTop, [&](BaseObject* current, Int32 depth) {
    const MirrorOutcome outcome = MirrorObject(dialog, current, doc);
    if (!skipChildren) KeepInPlace(current, depth, outcome, turns, doc);
    return !skipChildren;
  });
}

MirrorOutcome MirrorObject(const FlipItDialog& dialog, BaseObject* op, BaseDocument* doc) {
  MirrorOutcome outcome;
  // An object whose options the dialog cannot give is left as it is.
  ObjectOptions options;
  if (!ReadObjectOptions(dialog, options)) return outcome;
  const Int32 axis = options.axis;
  const Int32 positioning = options.positioning;
  vitrel::mirror::Placement placement = vitrel::mirror::ReadPlacement(op);

  if (positioning == POSITION_MOVE_ROTATE || positioning == POSITION_MOVE) {
    if (Float Vector::*component = vitrel::mirror::AxisComponent(axis)) {
      placement.ml.off.*component = -(placement.ml.off.*component);
    }
  }
  if (positioning == POSITION_MOVE_ROTATE || positioning == POSITION_ROTATE)
    MirrorAngles(placement.hpb, axis);
  // Written in every mode, also when nothing changed.
  outcome.mirrored = vitrel::mirror::WritePlacement(op, placement, doc);
  outcome.axis = axis;

  PointDataOutcome points;
  if (options.mirrorPoints) points = MirrorPointData(op, axis, doc);
  outcome.sweepProfile = points.sweepProfile;
  // Points that were to be mirrored but stayed as they were keep their
  // normals: reversed alone, they would turn the surface inside out.
  const Bool pointsKept = !points.mirrored;
  if (!options.skipPolygonCommand && !pointsKept && op->IsInstanceOf(kPolygonObject)) {
    ModelingCommandData command;
    command.doc = doc;
    command.op = op;
    doc->AddUndo(UNDOTYPE::CHANGE, op);
    SendModelingCommand(kPolygonCommand, command);
  }

  // An object that is only moved, or not moved at all, keeps its
  // type-specific parameters.
  if (positioning != POSITION_MOVE && positioning != POSITION_NONE)
    outcome.turned = DispatchByType(dialog, options, op, doc);

  EventAdd(EVENT::FORCEREDRAW);
  return outcome;
}
