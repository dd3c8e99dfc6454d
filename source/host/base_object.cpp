#include "host/base_object.h"

#include "host/host_table.h"

using vitrel::host::FromHost;
using vitrel::host::SceneOps;
using vitrel::host::ToHost;

namespace {

VtObject* Handle(BaseObject* op) { return op == nullptr ? nullptr : op->handle(); }
VtDocument* Handle(BaseDocument* doc) { return doc == nullptr ? nullptr : doc->handle(); }
VtAliasTrans* Handle(AliasTrans* trans) { return trans == nullptr ? nullptr : trans->handle(); }

}  // namespace

// ---- BaseObject -------------------------------------------------------------

BaseObject* BaseObject::GetDown() const { return FromHandle(SceneOps().object_down(handle())); }
BaseObject* BaseObject::GetNext() const { return FromHandle(SceneOps().object_next(handle())); }
BaseObject* BaseObject::GetUp() const { return FromHandle(SceneOps().object_up(handle())); }

Int32 BaseObject::GetType() const { return SceneOps().object_type(handle()); }

Bool BaseObject::IsInstanceOf(Int32 type) const {
  return SceneOps().object_is_instance_of(handle(), type) != 0;
}

String BaseObject::GetName() const { return String::FromText(SceneOps().object_get_name(handle())); }

void BaseObject::SetName(const String& name) { SceneOps().object_set_name(handle(), name.ToText()); }

BaseObject* BaseObject::GetClone(COPYFLAGS flags, AliasTrans* trans) const {
  return FromHandle(SceneOps().object_clone(handle(), static_cast<Int32>(flags), Handle(trans)));
}

Matrix BaseObject::GetMl() const {
  VtMatrix m = ToHost(Matrix());
  SceneOps().object_get_ml(handle(), &m);
  return FromHost(m);
}

void BaseObject::SetMl(const Matrix& m) {
  const VtMatrix host = ToHost(m);
  SceneOps().object_set_ml(handle(), &host);
}

Vector BaseObject::GetRelRot() const {
  VtVector v{0.0, 0.0, 0.0};
  SceneOps().object_get_vector(handle(), &v);
  return FromHost(v);
}

void BaseObject::SetRelRot(const Vector& v) {
  const VtVector host = ToHost(v);
  SceneOps().object_set_vector(handle(), &host);
}

Int32 BaseObject::GetInfo() const {
  return SceneOps().object_spline_info(handle()) != 0 ? OBJECT_ISSPLINE : 0;
}

Int32 BaseObject::GetTagDataCount(Int32 type) const {
  return SceneOps().object_tag_data_count(handle(), type);
}

void* BaseObject::GetTagDataW(Int32 type) { return SceneOps().object_tag_data_writable(handle(), type); }

BaseContainer BaseObject::GetData() const { return BaseContainer(SceneOps().object_get_container(handle())); }

Bool BaseObject::SetData(const BaseContainer& bc, Bool merge) {
  if (!bc.IsValid()) return false;
  return SceneOps().object_set_container(handle(), bc.handle(), merge ? VT_SETCONTAINER_MERGE : 0) != 0;
}

Bool BaseObject::Message(Int32 type, void* data) {
  return SceneOps().object_message(handle(), type, data) != 0;
}

void BaseObject::SetColorProperties(ObjectColorProperties* properties) {
  if (properties == nullptr) return;
  const VtDisplayColor host{properties->usecolor, ToHost(properties->color), properties->xray ? 1 : 0};
  SceneOps().object_set_display_color(handle(), &host);
}

// ---- AtomArray --------------------------------------------------------------

AtomArray* AtomArray::Alloc() { return reinterpret_cast<AtomArray*>(SceneOps().object_array_alloc()); }

void AtomArray::Free(AtomArray*& array) {
  if (array != nullptr) SceneOps().object_array_free(array->handle());
  array = nullptr;
}

Int32 AtomArray::GetCount() const { return SceneOps().object_array_count(handle()); }

BaseObject* AtomArray::GetIndex(Int32 index) const {
  return BaseObject::FromHandle(SceneOps().object_array_get(handle(), index));
}

// ---- BaseDocument -----------------------------------------------------------

void BaseDocument::GetActiveObjects(AtomArray& selection, GETACTIVEOBJECTFLAGS flags) {
  SceneOps().document_get_active_objects(handle(), selection.handle(), static_cast<Int32>(flags));
}

Bool BaseDocument::InsertObject(BaseObject* op, BaseObject* parent, BaseObject* pred, Bool uniqueName) {
  return SceneOps().document_insert_object(handle(), Handle(op), Handle(parent), Handle(pred),
                                           uniqueName ? 1 : 0) != 0;
}

void BaseDocument::SetActiveObject(BaseObject* op, Int32 mode) {
  SceneOps().document_set_active_object(handle(), Handle(op), mode);
}

Bool BaseDocument::StartUndo() { return SceneOps().document_start_undo(handle()) != 0; }

Bool BaseDocument::AddUndo(UNDOTYPE type, BaseObject* op) {
  return SceneOps().document_add_undo(handle(), static_cast<Int32>(type), Handle(op)) != 0;
}

Bool BaseDocument::EndUndo() { return SceneOps().document_end_undo(handle()) != 0; }

// ---- AliasTrans -------------------------------------------------------------

AliasTrans* AliasTrans::Alloc() { return reinterpret_cast<AliasTrans*>(SceneOps().alias_trans_alloc()); }

void AliasTrans::Free(AliasTrans*& trans) {
  if (trans != nullptr) SceneOps().alias_trans_free(trans->handle());
  trans = nullptr;
}

Bool AliasTrans::Init(BaseDocument* doc) { return SceneOps().alias_trans_init(handle(), Handle(doc)) != 0; }

void AliasTrans::Translate(Bool prepare) { SceneOps().alias_trans_translate(handle(), prepare ? 1 : 0); }

// ---- free functions ---------------------------------------------------------

BaseDocument* GetActiveDocument() { return BaseDocument::FromHandle(SceneOps().get_active_document()); }

Bool SendModelingCommand(Int32 command, ModelingCommandData& data) {
  const VtModelingCommandData host{Handle(data.doc), Handle(data.op)};
  return SceneOps().send_modeling_command(command, &host) != 0;
}

void CallCommand(Int32 id, Int32 subid) { SceneOps().call_command(id, subid); }

void EventAdd(EVENT flags) { SceneOps().event_add(static_cast<Int32>(flags)); }

Matrix HPBToMatrix(const Vector& hpb, ROTATIONORDER order) {
  const VtVector angles = ToHost(hpb);
  VtMatrix m = ToHost(Matrix());
  SceneOps().hpb_to_matrix(&angles, static_cast<Int32>(order), &m);
  return FromHost(m);
}

Vector MatrixToHPB(const Matrix& m, ROTATIONORDER order) {
  const VtMatrix host = ToHost(m);
  VtVector angles{0.0, 0.0, 0.0};
  SceneOps().matrix_to_hpb(&host, static_cast<Int32>(order), &angles);
  return FromHost(angles);
}

void SplineData::Mirror() {
  const auto* library =
      static_cast<const VtSplineCurveLibrary*>(SceneOps().find_library(VT_LIBRARY_SPLINE_CURVE));
  if (library == nullptr || library->size < sizeof(VtSplineCurveLibrary) || library->mirror == nullptr)
    return;
  library->mirror(handle());
}
