#include "table/scene_ops.h"

#include <string_view>

#include "host/faults.h"
#include "host/plugin_calls.h"
#include "host/scene_edits.h"
#include "host/scene_host.h"
#include "scene/clone.h"
#include "scene/container_values.h"
#include "scene/rotation.h"
#include "scene/types.h"

namespace standin {
namespace {

// ---- handle conversions -------------------------------------------------

Object* Obj(const VtObject* op) { return reinterpret_cast<Object*>(const_cast<VtObject*>(op)); }
VtObject* Handle(Object* op) { return reinterpret_cast<VtObject*>(op); }
Document* Doc(VtDocument* doc) { return reinterpret_cast<Document*>(doc); }
SceneHandles& Handles() { return TheSceneHost().handles(); }
ObjectArray* Array(const VtObjectArray* array) { return Handles().arrays.Find(array); }
AliasTranslator* Translator(const VtAliasTrans* trans) { return Handles().translators.Find(trans); }
ContainerCopy* Copy(const VtContainer* bc) { return Handles().containers.Find(bc); }

Vec3 In(const VtVector& v) { return {v.x, v.y, v.z}; }
VtVector Out(const Vec3& v) { return {v.x, v.y, v.z}; }
Matrix In(const VtMatrix& m) { return {In(m.off), In(m.v1), In(m.v2), In(m.v3)}; }
VtMatrix Out(const Matrix& m) { return {Out(m.off), Out(m.v1), Out(m.v2), Out(m.v3)}; }
int32_t Truth(bool value) { return value ? 1 : 0; }

// ---- documents and selection --------------------------------------------

VtDocument* GetActiveDocument() { return reinterpret_cast<VtDocument*>(TheSceneHost().active_document()); }

VtObjectArray* ObjectArrayAlloc() {
  if (HostFaults().ShouldFail(Fault::kObjectArray)) return nullptr;
  return reinterpret_cast<VtObjectArray*>(Handles().arrays.Make());
}

void ObjectArrayFree(VtObjectArray* array) { Handles().arrays.Free(array); }

int32_t ObjectArrayCount(const VtObjectArray* array) {
  const ObjectArray* a = Array(array);
  return a ? static_cast<int32_t>(a->objects.size()) : 0;
}

VtObject* ObjectArrayGet(const VtObjectArray* array, int32_t index) {
  const ObjectArray* a = Array(array);
  if (a == nullptr || index < 0 || static_cast<std::size_t>(index) >= a->objects.size()) return nullptr;
  return Handle(a->objects[static_cast<std::size_t>(index)]);
}

void DocumentGetActiveObjects(VtDocument* doc, VtObjectArray* out, int32_t /*flags*/) {
  ObjectArray* a = Array(out);
  if (a == nullptr) return;
  a->objects.clear();
  if (doc != nullptr) a->objects = ActiveObjects(*Doc(doc));
}

int32_t DocumentInsertObject(VtDocument* doc, VtObject* op, VtObject* parent, VtObject* pred,
                             int32_t unique_name) {
  if (doc == nullptr || op == nullptr) return 0;
  return Truth(InsertObject(*Doc(doc), *Obj(op), Obj(parent), Obj(pred), unique_name != 0));
}

void DocumentSetActiveObject(VtDocument* doc, VtObject* op, int32_t mode) {
  if (doc != nullptr) SetActiveObject(*Doc(doc), Obj(op), mode);
}

// ---- undo ----------------------------------------------------------------

int32_t DocumentStartUndo(VtDocument* doc) { return doc ? Truth(StartUndo(*Doc(doc))) : 0; }
int32_t DocumentAddUndo(VtDocument* doc, int32_t type, VtObject* op) {
  return doc ? Truth(AddUndo(*Doc(doc), type, Obj(op))) : 0;
}
int32_t DocumentEndUndo(VtDocument* doc) { return doc ? Truth(EndUndo(*Doc(doc))) : 0; }

// ---- hierarchy, type and name --------------------------------------------

VtObject* ObjectDown(const VtObject* op) { return op ? Handle(Obj(op)->first_child) : nullptr; }
VtObject* ObjectNext(const VtObject* op) { return op ? Handle(Obj(op)->next) : nullptr; }
VtObject* ObjectUp(const VtObject* op) { return op ? Handle(Obj(op)->parent) : nullptr; }
int32_t ObjectType(const VtObject* op) { return op ? Obj(op)->type : 0; }

int32_t ObjectIsInstanceOf(const VtObject* op, int32_t type) {
  return op ? Truth(IsInstanceOf(Obj(op)->type, type)) : 0;
}

VtText ObjectGetName(const VtObject* op) {
  if (op == nullptr) return {"", 0};
  const std::string& name = Obj(op)->data.name;
  return {name.data(), static_cast<int32_t>(name.size())};
}

int32_t ObjectSetName(VtObject* op, VtText name) {
  if (op == nullptr || name.length < 0 || (name.data == nullptr && name.length > 0)) return 0;
  const std::string_view text = name.length > 0
                                    ? std::string_view(name.data, static_cast<std::size_t>(name.length))
                                    : std::string_view();
  return Truth(SetName(*Obj(op), text));
}

// ---- cloning ---------------------------------------------------------------

VtAliasTrans* AliasTransAlloc() {
  if (HostFaults().ShouldFail(Fault::kAliasTrans)) return nullptr;
  return reinterpret_cast<VtAliasTrans*>(Handles().translators.Make());
}

void AliasTransFree(VtAliasTrans* trans) { Handles().translators.Free(trans); }

int32_t AliasTransInit(VtAliasTrans* trans, VtDocument* doc) {
  AliasTranslator* t = Translator(trans);
  if (t == nullptr || doc == nullptr || HostFaults().ShouldFail(Fault::kAliasTrans)) return 0;
  t->doc = Doc(doc);
  return 1;
}

// The scene holds no links between objects, so there is nothing to translate.
void AliasTransTranslate(VtAliasTrans* /*trans*/, int32_t /*prepare*/) {}

VtObject* ObjectClone(const VtObject* op, int32_t copy_flags, VtAliasTrans* trans) {
  if (op == nullptr || (trans != nullptr && Translator(trans) == nullptr)) return nullptr;
  if (HostFaults().ShouldFail(Fault::kClone)) return nullptr;
  return Handle(CloneObject(*Obj(op), (copy_flags & VT_COPYFLAGS_NO_HIERARCHY) == 0));
}

// ---- placement -------------------------------------------------------------

void ObjectGetMl(const VtObject* op, VtMatrix* out) {
  if (out != nullptr) *out = Out(op ? Obj(op)->data.matrix : Matrix{});
}

int32_t ObjectSetMl(VtObject* op, const VtMatrix* m) {
  return op && m ? Truth(SetMatrix(*Obj(op), In(*m))) : 0;
}

// Only the host's order HPB is known; another order gives zero angles and
// the identity.
void MatrixToHpbEntry(const VtMatrix* m, int32_t rotation_order, VtVector* out) {
  if (out == nullptr) return;
  *out = m && rotation_order == VT_ROTATIONORDER_HPB ? Out(MatrixToHpb(In(*m))) : VtVector{0, 0, 0};
}

void HpbToMatrixEntry(const VtVector* hpb, int32_t rotation_order, VtMatrix* out) {
  if (out == nullptr) return;
  *out = Out(hpb && rotation_order == VT_ROTATIONORDER_HPB ? HpbToMatrix(In(*hpb)) : Matrix{});
}

void ObjectGetVector(const VtObject* op, VtVector* out) {
  if (out != nullptr) *out = Out(op ? Obj(op)->data.vector : Vec3{});
}

int32_t ObjectSetVector(VtObject* op, const VtVector* v) {
  return op && v ? Truth(SetVector(*Obj(op), In(*v))) : 0;
}

int32_t ObjectSplineInfo(const VtObject* op) { return op ? SplineInfo(Obj(op)->type) : 0; }

// ---- tag data ----------------------------------------------------------------

int32_t ObjectTagDataCount(const VtObject* op, int32_t tag_type) {
  return op ? TagDataCount(*Obj(op), tag_type) : 0;
}

void* ObjectTagDataWritable(VtObject* op, int32_t tag_type) {
  return op ? WritableTagData(*Obj(op), tag_type) : nullptr;
}

// ---- parameters ----------------------------------------------------------

VtContainer* ObjectGetContainer(const VtObject* op) {
  if (op == nullptr || HostFaults().ShouldFail(Fault::kContainer)) return nullptr;
  ContainerCopy* copy = Handles().containers.Make();
  copy->values = Obj(op)->data.params;
  copy->source = Obj(op);
  return reinterpret_cast<VtContainer*>(copy);
}

void ContainerFree(VtContainer* bc) { Handles().FreeContainer(bc); }

int32_t ObjectSetContainer(VtObject* op, const VtContainer* bc, int32_t flags) {
  const ContainerCopy* copy = Copy(bc);
  if (op == nullptr || copy == nullptr) return 0;
  return Truth(SetContainerOf(*Obj(op), copy->values, (flags & VT_SETCONTAINER_MERGE) != 0));
}

int32_t ContainerGetBool(const VtContainer* bc, int32_t id, int32_t preset) {
  const ContainerCopy* copy = Copy(bc);
  return Truth(copy ? ReadBool(copy->values, id).value_or(preset != 0) : preset != 0);
}

int32_t ContainerGetInt32(const VtContainer* bc, int32_t id, int32_t preset) {
  const ContainerCopy* copy = Copy(bc);
  return copy ? ReadInt32(copy->values, id).value_or(preset) : preset;
}

double ContainerGetFloat(const VtContainer* bc, int32_t id, double preset) {
  const ContainerCopy* copy = Copy(bc);
  return copy ? ReadFloat(copy->values, id).value_or(preset) : preset;
}

void ContainerGetVector(const VtContainer* bc, int32_t id, const VtVector* preset, VtVector* out) {
  if (out == nullptr) return;
  const Vec3 fallback = preset ? In(*preset) : Vec3{};
  const ContainerCopy* copy = Copy(bc);
  *out = Out(copy ? ReadVector(copy->values, id).value_or(fallback) : fallback);
}

VtCustomData* ContainerGetCustom(VtContainer* bc, int32_t id, int32_t data_type) {
  ContainerCopy* copy = Copy(bc);
  if (copy == nullptr || data_type != VT_CUSTOMDATA_SPLINE_CURVE || FindCurve(copy->values, id) == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<VtCustomData*>(Handles().CustomRef(*copy, id));
}

int32_t ContainerSetBool(VtContainer* bc, int32_t id, int32_t value) {
  ContainerCopy* copy = Copy(bc);
  if (copy == nullptr) return 0;
  copy->values.insert_or_assign(id, value != 0);
  return 1;
}

int32_t ContainerSetInt32(VtContainer* bc, int32_t id, int32_t value) {
  ContainerCopy* copy = Copy(bc);
  if (copy == nullptr) return 0;
  copy->values.insert_or_assign(id, value);
  return 1;
}

int32_t ContainerSetFloat(VtContainer* bc, int32_t id, double value) {
  ContainerCopy* copy = Copy(bc);
  if (copy == nullptr || !FiniteForWrite(copy->source, "float", value)) return 0;
  copy->values.insert_or_assign(id, value);
  return 1;
}

int32_t ContainerSetVector(VtContainer* bc, int32_t id, const VtVector* value) {
  ContainerCopy* copy = Copy(bc);
  if (copy == nullptr || value == nullptr || !FiniteForWrite(copy->source, "vector", In(*value))) return 0;
  copy->values.insert_or_assign(id, In(*value));
  return 1;
}

// ---- messages, commands and notifications -----------------------------------

int32_t ObjectMessage(VtObject* op, int32_t id, void* data) {
  return op ? Truth(SendObjectMessage(*Obj(op), id, data)) : 0;
}

int32_t SendModelingCommand(int32_t command, const VtModelingCommandData* data) {
  return data ? Truth(RunModelingCommand(command, Obj(data->op))) : 0;
}

void CallCommandEntry(int32_t id, int32_t sub_id) { CallCommand(id, sub_id); }

void EventAdd(int32_t flags) { RequestRefresh(flags); }

void MirrorCurveEntry(VtCustomData* curve) {
  const CustomDataRef* ref = Handles().FindCustom(curve);
  if (ref == nullptr) return;
  if (SplineCurve* value = FindCurve(ref->owner->values, ref->id)) MirrorCurveOf(*value, ref->owner->source);
}

const VtSplineCurveLibrary kCurveLibrary = {sizeof(VtSplineCurveLibrary), MirrorCurveEntry};

const void* FindLibrary(int32_t library_id) {
  return library_id == VT_LIBRARY_SPLINE_CURVE ? &kCurveLibrary : nullptr;
}

int32_t ObjectSetDisplayColor(VtObject* op, const VtDisplayColor* props) {
  if (op == nullptr || props == nullptr) return 0;
  return Truth(SetDisplayColor(*Obj(op), {props->mode, In(props->color), props->xray != 0}));
}

const VtSceneOps kSceneOps = {
    .size = sizeof(VtSceneOps),
    .get_active_document = Checked<GetActiveDocument>,
    .object_array_alloc = Checked<ObjectArrayAlloc>,
    .object_array_free = Checked<ObjectArrayFree>,
    .object_array_count = Checked<ObjectArrayCount>,
    .object_array_get = Checked<ObjectArrayGet>,
    .document_get_active_objects = Checked<DocumentGetActiveObjects>,
    .document_insert_object = Checked<DocumentInsertObject>,
    .document_set_active_object = Checked<DocumentSetActiveObject>,
    .document_start_undo = Checked<DocumentStartUndo>,
    .document_add_undo = Checked<DocumentAddUndo>,
    .document_end_undo = Checked<DocumentEndUndo>,
    .object_down = Checked<ObjectDown>,
    .object_next = Checked<ObjectNext>,
    .object_up = Checked<ObjectUp>,
    .object_type = Checked<ObjectType>,
    .object_is_instance_of = Checked<ObjectIsInstanceOf>,
    .object_get_name = Checked<ObjectGetName>,
    .object_set_name = Checked<ObjectSetName>,
    .alias_trans_alloc = Checked<AliasTransAlloc>,
    .alias_trans_free = Checked<AliasTransFree>,
    .alias_trans_init = Checked<AliasTransInit>,
    .alias_trans_translate = Checked<AliasTransTranslate>,
    .object_clone = Checked<ObjectClone>,
    .object_get_ml = Checked<ObjectGetMl>,
    .object_set_ml = Checked<ObjectSetMl>,
    .matrix_to_hpb = Checked<MatrixToHpbEntry>,
    .hpb_to_matrix = Checked<HpbToMatrixEntry>,
    .object_get_vector = Checked<ObjectGetVector>,
    .object_set_vector = Checked<ObjectSetVector>,
    .object_spline_info = Checked<ObjectSplineInfo>,
    .object_tag_data_count = Checked<ObjectTagDataCount>,
    .object_tag_data_writable = Checked<ObjectTagDataWritable>,
    .object_get_container = Checked<ObjectGetContainer>,
    .container_free = Checked<ContainerFree>,
    .object_set_container = Checked<ObjectSetContainer>,
    .container_get_bool = Checked<ContainerGetBool>,
    .container_get_int32 = Checked<ContainerGetInt32>,
    .container_get_float = Checked<ContainerGetFloat>,
    .container_get_vector = Checked<ContainerGetVector>,
    .container_get_custom = Checked<ContainerGetCustom>,
    .container_set_bool = Checked<ContainerSetBool>,
    .container_set_int32 = Checked<ContainerSetInt32>,
    .container_set_float = Checked<ContainerSetFloat>,
    .container_set_vector = Checked<ContainerSetVector>,
    .object_message = Checked<ObjectMessage>,
    .send_modeling_command = Checked<SendModelingCommand>,
    .call_command = Checked<CallCommandEntry>,
    .event_add = Checked<EventAdd>,
    .find_library = Checked<FindLibrary>,
    .object_set_display_color = Checked<ObjectSetDisplayColor>,
};

}  // namespace

const VtSceneOps& StandinSceneOps() { return kSceneOps; }

}  // namespace standin
