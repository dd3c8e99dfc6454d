#include "flipit_ids.h"
#include "mirror.h"
#include "mirror_support.h"

namespace {

// Grid size parameters of a deformation lattice: cells along X, Y and Z.
constexpr Int32 kLatticeCellsX = 1001;
constexpr Int32 kLatticeCellsY = 1002;
constexpr Int32 kLatticeCellsZ = 1003;

// The lines of lattice cells that run along one axis: `lines` lines of
// `length` points, `step` apart within a line. Lines are visited with the
// highest remaining grid coordinate outermost.
struct LatticeLines {
  Int64 length = 0;
  Int64 step = 0;
  Int64 inner = 0;      // lines per outer coordinate
  Int64 innerStep = 0;  // first-point distance of neighbouring inner lines
  Int64 outer = 0;      // outer coordinates
  Int64 outerStep = 0;  // first-point distance of neighbouring outer lines
};

LatticeLines LinesAlong(Int32 axis, Int64 nx, Int64 ny, Int64 nz) {
  switch (axis) {
    case AXIS_X:  // each (y, z): z outer, y inner
      return {nx, 1, ny, nx, nz, nx * ny};
    case AXIS_Y:  // each (x, z): z outer, x inner
      return {ny, nx, nx, 1, nz, nx * ny};
    case AXIS_Z:  // each (x, y): y outer, x inner
      return {nz, nx * ny, nx, 1, ny, nx};
    default:
      return {};
  }
}

// Reverses one line of points and negates the mirrored component of each,
// so that every cell holds the mirror of the point of its mirrored cell.
void MirrorLine(BaseObject* op, Vector* first, const LatticeLines& lines, Float Vector::*component,
                BaseDocument* doc) {
  for (Int64 k = 0, j = lines.length - 1; k <= j; ++k, --j) {
    Vector& front = first[k * lines.step];
    Vector& back = first[j * lines.step];
    doc->AddUndo(UNDOTYPE::CHANGE, op);
    if (k < j) {
      const Vector old = front;
      front = back;
      back = old;
      back.*component = -(back.*component);
    }
    front.*component = -(front.*component);
  }
}

}  // namespace

void FlipTangents(BaseObject* op, Tangent* tangents, Int32 count, Int32 axis, BaseDocument* doc) {
  Float Vector::*component = vitrel::mirror::AxisComponent(axis);
  if (tangents == nullptr || component == nullptr) return;
  for (Int32 i = 0; i < count; ++i) {
    doc->AddUndo(UNDOTYPE::CHANGE, op);
    tangents[i].vl.*component = -(tangents[i].vl.*component);
    tangents[i].vr.*component = -(tangents[i].vr.*component);
  }
}

Bool FlipLatticePoints(BaseObject* op, Int32 axis, BaseDocument* doc) {
  // The grid's sizes come from the parameters; without them the points are
  // left as they are.
  const BaseContainer bc = op->GetData();
  if (!vitrel::host::IsUsable(bc)) return false;
  const Int32 count = ToPoint(op)->GetPointCount();
  Vector* points = ToPoint(op)->GetPointW();
  // Points the host holds but would not hand out stay as they are, and no
  // change of them is announced.
  if (count > 0 && points == nullptr) return false;
  const Int64 nx = bc.GetInt32(kLatticeCellsX);
  const Int64 ny = bc.GetInt32(kLatticeCellsY);
  const Int64 nz = bc.GetInt32(kLatticeCellsZ);

  // The grid is walked from its sizes alone, so it is walked only when every
  // size is positive and the grid fits in the points the host holds. The
  // products are taken in 64 bits, the second only once the first is known
  // to fit in 32, so that neither can overflow.
  Float Vector::*component = vitrel::mirror::AxisComponent(axis);
  const Bool walkable = nx > 0 && ny > 0 && nz > 0 && nx * ny <= count && nx * ny * nz <= count;
  if (walkable && component != nullptr) {
    const LatticeLines lines = LinesAlong(axis, nx, ny, nz);
    for (Int64 outer = 0; outer < lines.outer; ++outer) {
      for (Int64 inner = 0; inner < lines.inner; ++inner) {
        MirrorLine(op, points + outer * lines.outerStep + inner * lines.innerStep, lines, component, doc);
      }
    }
  }

  vitrel::mirror::SendPointsChanged(op, count, 0);
  return true;
}
