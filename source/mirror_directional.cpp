// Objects whose effect depends on the way they face: deformers, particle
// emitters and forces, sweeps, lights and cameras. Each is turned through
// its angles, keeping its offset and scale, and some also mirror a
// parameter.
#include "flipit.h"
#include "flipit_ids.h"
#include "mirror.h"
#include "mirror_support.h"

using vitrel::mirror::AxisIndex;
using vitrel::mirror::Placement;
using vitrel::mirror::Turn;

namespace {

// Deformer parameters: a signed strength, and the mode of the deformer
// whose turn depends on it.
constexpr Int32 kDeformerStrength = 1003;
constexpr Int32 kDeformerMode = 1005;
constexpr Int32 kModalDeformer = 5146;

// Turns of the deformers by mirror axis (X, Y, Z), and whether the
// deformer's strength changes sign with the mirror.
struct DeformerRule {
  Int32 type;
  Turn turns[3];
  Bool strength;
};

constexpr DeformerRule kDeformerRules[] = {
    {5128, {Turn::kHeading, Turn::kPitch, Turn::kNone}, true},
    {5131, {Turn::kHeading, Turn::kPitch, Turn::kNone}, true},
    {5134, {Turn::kNone, Turn::kPitch, Turn::kNone}, true},
    {5133, {Turn::kNone, Turn::kPitch, Turn::kNone}, false},
    {5143, {Turn::kBank, Turn::kNone, Turn::kPitch}, false},
    {5149, {Turn::kBank, Turn::kNone, Turn::kPitch}, false},
    {5145, {Turn::kNone, Turn::kBank, Turn::kNone}, false},
    {5147, {Turn::kNone, Turn::kBank, Turn::kNone}, false},
    {5148, {Turn::kNone, Turn::kBank, Turn::kNone}, false},
};

const DeformerRule* DeformerRuleOf(Int32 type) {
  for (const DeformerRule& rule : kDeformerRules) {
    if (rule.type == type) return &rule;
  }
  return nullptr;
}

// The modal deformer turns only in the modes that act along the mirror axis.
Turn ModalDeformerTurn(Int32 mode, Int32 axis) {
  switch (axis) {
    case AXIS_X:
      return mode == 3 ? Turn::kBank : Turn::kNone;
    case AXIS_Y:
      return mode == 4 ? Turn::kBank : Turn::kNone;
    case AXIS_Z:
      return mode == 1 || mode == 2 || mode == 5 ? Turn::kPitch : Turn::kNone;
    default:
      return Turn::kNone;
  }
}

// A deformer's strength changes sign across any axis; without a copy of its
// parameters it stays as it is.
void MirrorStrength(BaseObject* op, Bool acrossAxis, BaseDocument* doc) {
  BaseContainer bc = op->GetData();
  if (!vitrel::host::IsUsable(bc)) return;
  const Float strength = bc.GetFloat(kDeformerStrength);
  bc.SetFloat(kDeformerStrength, acrossAxis ? -strength : strength);
  vitrel::mirror::SetParameters(op, bc, doc);
}

// Particle objects: the emitter, and the forces with a direction vector.
constexpr Int32 kEmitter = 5109;
constexpr Int32 kForceDirection = 5004;

Bool IsDirectedForce(Int32 type) { return (type >= 5111 && type <= 5115) || type == 5119; }

// Sweep parameters: a signed float, and the spline curve along the sweep.
constexpr Int32 kSweepFloat = 1004;
constexpr Int32 kSweepCurve = 1016;

}  // namespace

Bool FlipDeformer(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc, Int32 type) {
  Placement placement = vitrel::mirror::ReadPlacement(op);
  const Int32 index = AxisIndex(axis);
  Turn turn = Turn::kNone;
  if (const DeformerRule* rule = DeformerRuleOf(type)) {
    if (index >= 0) turn = rule->turns[index];
    if (rule->strength) MirrorStrength(op, index >= 0, doc);
  } else if (type == kModalDeformer) {
    // The turn depends on the mode; without the parameters it is unknown.
    const BaseContainer bc = op->GetData();
    if (!vitrel::host::IsUsable(bc)) return false;
    turn = ModalDeformerTurn(bc.GetInt32(kDeformerMode), axis);
  }
  vitrel::mirror::ApplyTurn(turn, placement.hpb, dialog.pi);
  vitrel::mirror::WritePlacement(op, placement, doc);
  return turn != Turn::kNone;
}

Bool FlipParticleForce(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc,
                       Int32 type) {
  Placement placement = vitrel::mirror::ReadPlacement(op);
  Turn turn = Turn::kNone;
  if (type == kEmitter) {
    if (axis == AXIS_Z) turn = Turn::kHeading;
  } else if (IsDirectedForce(type)) {
    if (axis == AXIS_Y) turn = Turn::kBank;
    if (axis == AXIS_Z) turn = Turn::kHeading;
    BaseContainer bc = op->GetData();
    if (vitrel::host::IsUsable(bc)) {
      Vector direction = bc.GetVector(kForceDirection);
      if (Float Vector::*component = vitrel::mirror::AxisComponent(axis)) {
        direction.*component = -(direction.*component);
      }
      bc.SetVector(kForceDirection, direction);
      vitrel::mirror::SetParameters(op, bc, doc);
    }
  }
  vitrel::mirror::ApplyTurn(turn, placement.hpb, dialog.pi);
  vitrel::mirror::WritePlacement(op, placement, doc);
  return turn != Turn::kNone;
}

Bool FlipSweep(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc) {
  const Turn turn = axis == AXIS_X ? Turn::kBank : axis == AXIS_Z ? Turn::kPitchOnly : Turn::kNone;
  const Bool turned = vitrel::mirror::ReorientByAngles(op, turn, dialog.pi, doc);

  BaseContainer bc = op->GetData();
  if (!vitrel::host::IsUsable(bc)) return turned;
  const Float value = bc.GetFloat(kSweepFloat);
  // The curve belongs to this copy of the parameters, which the library
  // changes in place before it is set back. A sweep without a curve still
  // has its float mirrored.
  if (const CustomDataType* curve = bc.GetCustomDataType(kSweepCurve, CUSTOMDATATYPE_SPLINE))
    static_cast<SplineData*>(const_cast<CustomDataType*>(curve))->Mirror();
  bc.SetFloat(kSweepFloat, -value);
  vitrel::mirror::SetParameters(op, bc, doc);
  return turned;
}

Bool FlipLightCamera(const FlipItDialog& dialog, BaseObject* op, Int32 axis, BaseDocument* doc) {
  return vitrel::mirror::ReorientByAngles(op, axis == AXIS_Z ? Turn::kPitchBank : Turn::kNone, dialog.pi,
                                          doc);
}
