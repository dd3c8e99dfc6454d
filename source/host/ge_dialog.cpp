#include "host/ge_dialog.h"

#include "host/ge_resource.h"
#include "host/ge_user_area.h"
#include "host/host_table.h"

namespace {

using vitrel::host::UiOps;

GeDialog& DialogOf(void* user) { return *static_cast<GeDialog*>(user); }

int32_t OnCreateLayout(void* user) { return DialogOf(user).CreateLayout() ? 1 : 0; }
int32_t OnInitValues(void* user) { return DialogOf(user).InitValues() ? 1 : 0; }
int32_t OnCommand(void* user, int32_t id) { return DialogOf(user).Command(id, BaseContainer()) ? 1 : 0; }
int32_t OnAskClose(void* user) { return DialogOf(user).AskClose() ? 1 : 0; }

constexpr VtDialogCallbacks kDialogCallbacks = {sizeof(VtDialogCallbacks), OnCreateLayout, OnInitValues,
                                                OnCommand, OnAskClose};

}  // namespace

GeDialog::GeDialog() = default;

GeDialog::~GeDialog() {
  if (handle_ != nullptr && vitrel::host::IsBound()) UiOps().dialog_free(handle_);
}

Bool GeDialog::CreateLayout() { return true; }
Bool GeDialog::InitValues() { return true; }
Bool GeDialog::Command(Int32, const BaseContainer&) { return false; }
Bool GeDialog::AskClose() { return false; }

Bool GeDialog::Open(DLG_TYPE type, Int32 pluginid, Int32 xpos, Int32 ypos, Int32 defaultw, Int32 defaulth,
                    Int32 subid) {
  // The host's dialog is made at the first opening and kept for the later
  // ones, which build its window anew.
  if (handle_ == nullptr) handle_ = UiOps().dialog_alloc(&kDialogCallbacks, this);
  if (handle_ == nullptr) return false;
  return UiOps().dialog_open(handle_, static_cast<Int32>(type), pluginid, xpos, ypos, defaultw, defaulth,
                             subid) != 0;
}

Bool GeDialog::Close() { return handle_ != nullptr && UiOps().dialog_close(handle_) != 0; }

Bool GeDialog::LoadDialogResource(Int32 id, GeResource* resource, Int32 flags) {
  if (handle_ == nullptr || resource == nullptr || resource->handle() == nullptr) return false;
  return UiOps().dialog_load_layout(handle_, id, resource->handle(), flags) != 0;
}

Bool GeDialog::AttachUserArea(GeUserArea& ua, Int32 id, USERAREAFLAGS flags) {
  if (handle_ == nullptr) return false;
  VtUserArea* area = ua.HostHandle();
  return area != nullptr &&
         UiOps().dialog_attach_user_area(handle_, id, area, static_cast<Int32>(flags)) != 0;
}

void GeDialog::MenuFlushAll() {
  if (handle_ != nullptr) UiOps().menu_flush_all(handle_);
}

Bool GeDialog::MenuSubBegin(const String& title) {
  if (handle_ == nullptr || !title.IsComplete()) return false;
  UiOps().menu_sub_begin(handle_, title.ToText());
  return true;
}

void GeDialog::MenuSubEnd() {
  if (handle_ != nullptr) UiOps().menu_sub_end(handle_);
}

void GeDialog::MenuAddString(Int32 id, const String& text) {
  if (handle_ != nullptr && text.IsComplete()) UiOps().menu_add_entry(handle_, id, text.ToText());
}

void GeDialog::MenuFinished() {
  if (handle_ != nullptr) UiOps().menu_finished(handle_);
}

Bool GeDialog::GetBool(Int32 id, Bool& value) const {
  int32_t out = 0;
  if (handle_ == nullptr || UiOps().gadget_get_bool(handle_, id, &out) == 0) return false;
  value = out != 0;
  return true;
}

Bool GeDialog::GetInt32(Int32 id, Int32& value) const {
  int32_t out = 0;
  if (handle_ == nullptr || UiOps().gadget_get_int32(handle_, id, &out) == 0) return false;
  value = out;
  return true;
}

Bool GeDialog::GetFloat(Int32 id, Float& value) const {
  double out = 0.0;
  if (handle_ == nullptr || UiOps().gadget_get_float(handle_, id, &out) == 0) return false;
  value = out;
  return true;
}

Bool GeDialog::GetString(Int32 id, String& value) const {
  VtText out = {nullptr, 0};
  if (handle_ == nullptr || UiOps().gadget_get_text(handle_, id, &out) == 0) return false;
  String text = String::FromText(out);
  if (!text.IsComplete()) return false;
  value = text;
  return true;
}

Bool GeDialog::GetColorField(Int32 id, Vector& color, Float& brightness) const {
  VtVector out = {0.0, 0.0, 0.0};
  double level = 0.0;
  if (handle_ == nullptr || UiOps().gadget_get_color(handle_, id, &out, &level) == 0) return false;
  color = Vector(out.x, out.y, out.z);
  brightness = level;
  return true;
}

Bool GeDialog::SetBool(Int32 id, Bool value) {
  return handle_ != nullptr && UiOps().gadget_set_bool(handle_, id, value ? 1 : 0) != 0;
}

Bool GeDialog::SetInt32(Int32 id, Int32 value, Int32 min, Int32 max, Int32 step, Bool tristate) {
  return handle_ != nullptr &&
         UiOps().gadget_set_int32(handle_, id, value, min, max, step, tristate ? 1 : 0) != 0;
}

Bool GeDialog::SetFloat(Int32 id, Float value, Float min, Float max, Float step, Bool tristate) {
  return handle_ != nullptr &&
         UiOps().gadget_set_float(handle_, id, value, min, max, step, tristate ? 1 : 0) != 0;
}

Bool GeDialog::SetString(Int32 id, const String& text, Bool tristate, Int32 flags) {
  return handle_ != nullptr && text.IsComplete() &&
         UiOps().gadget_set_text(handle_, id, text.ToText(), tristate ? 1 : 0, flags) != 0;
}

Bool GeDialog::SetColorField(Int32 id, const Vector& color, Float brightness, Float maxbrightness,
                             Int32 flags) {
  const VtVector value = {color.x, color.y, color.z};
  return handle_ != nullptr &&
         UiOps().gadget_set_color(handle_, id, &value, brightness, maxbrightness, flags) != 0;
}

Bool GeDialog::Enable(Int32 id, Bool enabled) {
  return handle_ != nullptr && UiOps().gadget_enable(handle_, id, enabled ? 1 : 0) != 0;
}

Bool GeDialog::FreeChildren(Int32 id) { return handle_ != nullptr && UiOps().popup_clear(handle_, id) != 0; }

Bool GeDialog::AddChild(Int32 id, Int32 subid, const String& text) {
  return handle_ != nullptr && text.IsComplete() && UiOps().popup_add(handle_, id, subid, text.ToText()) != 0;
}

Bool GeModalDialog::Open(Int32 xpos, Int32 ypos, Int32 defaultw, Int32 defaulth, Bool resizeable) {
  // The result is what the dialog records while it is open; closing it by
  // the window's own means leaves it false.
  result_ = false;
  const DLG_TYPE type = resizeable ? DLG_TYPE::MODAL_RESIZEABLE : DLG_TYPE::MODAL;
  if (!GeDialog::Open(type, 0, xpos, ypos, defaultw, defaulth, 0)) return false;
  return result_;
}

Bool GeModalDialog::Close(Bool result) {
  result_ = result;
  return GeDialog::Close();
}
