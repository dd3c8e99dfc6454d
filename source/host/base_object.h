// The host's scene classes. Like the host's own, they are only ever used
// through pointers, and the pointer is the host's handle: a BaseObject* is
// the VtObject* that the host gave out, so nothing is wrapped or copied on
// the way and there is no plug-in side state to keep in step with the scene.
#pragma once

#include <cstddef>
#include <type_traits>

#include "host/base_container.h"
#include "host/host_string.h"
#include "host/host_types.h"
#include "vitrel_host_abi.h"

// Undo step kinds of BaseDocument::AddUndo.
enum class UNDOTYPE : Int32 {
  CHANGE = VT_UNDOTYPE_CHANGE,  // before an existing object changes
  NEWOBJ = VT_UNDOTYPE_NEWOBJ,  // a new object that is about to join the document
};

// What BaseObject::GetClone copies besides the object itself.
enum class COPYFLAGS : Int32 {
  NONE = VT_COPYFLAGS_NONE,                  // the object with all objects below it
  NO_HIERARCHY = VT_COPYFLAGS_NO_HIERARCHY,  // the object alone
};

// Rotation orders of the angle conversions.
enum class ROTATIONORDER : Int32 {
  HPB = VT_ROTATIONORDER_HPB,
};

// Tag-data types.
inline constexpr Int32 TAG_POINTS = VT_TAG_POINTS;
inline constexpr Int32 TAG_TANGENTS = VT_TAG_TANGENTS;

// What GetActiveObjects collects.
enum class GETACTIVEOBJECTFLAGS : Int32 {
  NONE = 0,
};

// Selection mode of SetActiveObject that makes the object the only active one.
inline constexpr Int32 SELECTION_NEW = 0;

// Bit of BaseObject::GetInfo: the object carries spline data.
inline constexpr Int32 OBJECT_ISSPLINE = 1 << 7;

// Object message whose record is a VariableChanged: the points changed.
inline constexpr Int32 MSG_POINTS_CHANGED = 1;

// Custom-data type of a spline-curve parameter.
inline constexpr Int32 CUSTOMDATATYPE_SPLINE = VT_CUSTOMDATA_SPLINE_CURVE;

// Requests of EventAdd.
enum class EVENT : Int32 {
  NONE = 0,
  FORCEREDRAW = 1,  // refresh the views after a change of the scene
};

// One spline point's tangents, as the host stores them (tag type 5617).
struct Tangent {
  Vector vl;  // left tangent
  Vector vr;  // right tangent
};

// The record of MSG_POINTS_CHANGED.
struct VariableChanged {
  Int32 old_cnt = 0;
  Int32 new_cnt = 0;
  Int32* map = nullptr;  // old index to new index; null when the order is kept
  Int32 vc_flags = 0;
};

// An object's display-colour properties.
struct ObjectColorProperties {
  Int32 usecolor = 0;  // 0 off, 1 automatic, 2 always, 3 layer
  Vector color;
  Bool xray = false;
};

// The plug-in's records are the host's records: the host reads them in place.
static_assert(std::is_standard_layout_v<Vector> && sizeof(Vector) == sizeof(VtVector));
static_assert(std::is_standard_layout_v<Matrix> && sizeof(Matrix) == sizeof(VtMatrix));
static_assert(std::is_standard_layout_v<Tangent> && sizeof(Tangent) == sizeof(VtTangent));
static_assert(offsetof(VariableChanged, new_cnt) == offsetof(VtPointsChanged, new_count) &&
              offsetof(VariableChanged, map) == offsetof(VtPointsChanged, map) &&
              offsetof(VariableChanged, vc_flags) == offsetof(VtPointsChanged, flags) &&
              sizeof(VariableChanged) == sizeof(VtPointsChanged));

class AliasTrans;
class BaseDocument;

class BaseObject {
 public:
  BaseObject() = delete;
  ~BaseObject() = delete;

  static BaseObject* FromHandle(VtObject* op) { return reinterpret_cast<BaseObject*>(op); }
  VtObject* handle() { return reinterpret_cast<VtObject*>(this); }
  const VtObject* handle() const { return reinterpret_cast<const VtObject*>(this); }

  // Hierarchy: null at the end of each direction.
  BaseObject* GetDown() const;
  BaseObject* GetNext() const;
  BaseObject* GetUp() const;

  // The exact type id, and whether the object is of `type` or derived from it.
  Int32 GetType() const;
  Bool IsInstanceOf(Int32 type) const;

  String GetName() const;
  void SetName(const String& name);

  // A copy of the object that lies outside any document; null on failure.
  BaseObject* GetClone(COPYFLAGS flags, AliasTrans* trans) const;

  // The placement in the parent's space.
  Matrix GetMl() const;
  void SetMl(const Matrix& m);

  // The object's relative rotation: the vector property the host keeps
  // beside the placement.
  Vector GetRelRot() const;
  void SetRelRot(const Vector& v);

  // Information bits of the object's type; OBJECT_ISSPLINE for objects that
  // carry spline data.
  Int32 GetInfo() const;

  // Tag data: the element count, and the writable elements (null when the
  // object has none, or the host cannot give them).
  Int32 GetTagDataCount(Int32 type) const;
  void* GetTagDataW(Int32 type);

  // A copy of the parameters (not valid when the host cannot copy them),
  // and setting a changed copy back, merged into the object's parameters.
  BaseContainer GetData() const;
  Bool SetData(const BaseContainer& bc, Bool merge = true);

  Bool Message(Int32 type, void* data = nullptr);
  void SetColorProperties(ObjectColorProperties* properties);
};

// An object seen through its points: any object, whose point count is zero
// when it has none.
class PointObject : public BaseObject {
 public:
  Int32 GetPointCount() const { return GetTagDataCount(TAG_POINTS); }
  Vector* GetPointW() { return static_cast<Vector*>(GetTagDataW(TAG_POINTS)); }
};

// An object seen through its spline tangents.
class SplineObject : public PointObject {
 public:
  Int32 GetTangentCount() const { return GetTagDataCount(TAG_TANGENTS); }
  Tangent* GetTangentW() { return static_cast<Tangent*>(GetTagDataW(TAG_TANGENTS)); }
};

inline PointObject* ToPoint(BaseObject* op) { return static_cast<PointObject*>(op); }
inline SplineObject* ToSpline(BaseObject* op) { return static_cast<SplineObject*>(op); }

// A list of objects that the host fills.
class AtomArray {
 public:
  AtomArray() = delete;
  ~AtomArray() = delete;

  static AtomArray* Alloc();
  static void Free(AtomArray*& array);

  Int32 GetCount() const;
  BaseObject* GetIndex(Int32 index) const;

  VtObjectArray* handle() { return reinterpret_cast<VtObjectArray*>(this); }
  const VtObjectArray* handle() const { return reinterpret_cast<const VtObjectArray*>(this); }
};

class BaseDocument {
 public:
  BaseDocument() = delete;
  ~BaseDocument() = delete;

  static BaseDocument* FromHandle(VtDocument* doc) { return reinterpret_cast<BaseDocument*>(doc); }
  VtDocument* handle() { return reinterpret_cast<VtDocument*>(this); }

  // Fills `selection` with the active objects, in document order.
  void GetActiveObjects(AtomArray& selection, GETACTIVEOBJECTFLAGS flags);
  // Inserts an object that lies outside any document under `parent` after
  // `pred` (both null: first top-level object); with `uniqueName` the host
  // renames it when its name is taken.
  Bool InsertObject(BaseObject* op, BaseObject* parent, BaseObject* pred, Bool uniqueName);
  // SELECTION_NEW makes `op` the only active object.
  void SetActiveObject(BaseObject* op, Int32 mode = SELECTION_NEW);

  Bool StartUndo();
  // Registers `op` before it changes (or, NEWOBJ, before it joins the
  // document); null is passed on as it is.
  Bool AddUndo(UNDOTYPE type, BaseObject* op);
  Bool EndUndo();
};

// Keeps the links between the objects of a clone and their originals.
class AliasTrans {
 public:
  AliasTrans() = delete;
  ~AliasTrans() = delete;

  static AliasTrans* Alloc();
  static void Free(AliasTrans*& trans);

  Bool Init(BaseDocument* doc);
  void Translate(Bool prepare);

  VtAliasTrans* handle() { return reinterpret_cast<VtAliasTrans*>(this); }
};

// The record of a modeling command: the document and the object it acts on.
struct ModelingCommandData {
  BaseDocument* doc = nullptr;
  BaseObject* op = nullptr;
};

BaseDocument* GetActiveDocument();
Bool SendModelingCommand(Int32 command, ModelingCommandData& data);
void CallCommand(Int32 id, Int32 subid = 0);
// Asks the host to refresh its views.
void EventAdd(EVENT flags = EVENT::NONE);

// The rotation of angles (H, P, B) as a matrix with a zero offset, and back.
Matrix HPBToMatrix(const Vector& hpb, ROTATIONORDER order);
Vector MatrixToHPB(const Matrix& m, ROTATIONORDER order);

// A spline-curve value held in a container (custom data type
// CUSTOMDATATYPE_SPLINE); the host's spline-curve library changes it.
class SplineData : public CustomDataType {
 public:
  // Mirrors the curve in place; nothing happens when the host has no
  // spline-curve library.
  void Mirror();
};

namespace vitrel::host {

inline VtVector ToHost(const Vector& v) { return {v.x, v.y, v.z}; }
inline Vector FromHost(const VtVector& v) { return Vector(v.x, v.y, v.z); }
inline VtMatrix ToHost(const Matrix& m) {
  return {ToHost(m.off), ToHost(m.sqmat.v1), ToHost(m.sqmat.v2), ToHost(m.sqmat.v3)};
}
inline Matrix FromHost(const VtMatrix& m) {
  return Matrix(FromHost(m.off), FromHost(m.v1), FromHost(m.v2), FromHost(m.v3));
}

}  // namespace vitrel::host
