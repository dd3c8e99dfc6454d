#include "ui/dialog_ops.h"

#include <cmath>
#include <initializer_list>

#include "host/plugin_calls.h"
#include "ui/dialog.h"
#include "ui/dialog_host.h"
#include "ui/vt_text.h"

namespace standin {
namespace {

Dialog* Live(const VtDialog* handle) { return HostDialogs().Find(handle); }

// The gadget a read goes to, or null when there is none.
const Gadget* ForRead(VtDialog* handle, int32_t id) {
  Dialog* dialog = Live(handle);
  return dialog == nullptr ? nullptr : dialog->Find(id);
}

// The gadget a write goes to, when it is of one of the `accepted` kinds. A
// dialog that no description laid out gets the gadget made on the first
// write, with the kind the write implies (the first accepted kind).
Gadget* ForWrite(VtDialog* handle, int32_t id, std::initializer_list<GadgetKind> accepted) {
  Dialog* dialog = Live(handle);
  if (dialog == nullptr) return nullptr;
  Gadget* gadget = dialog->Find(id);
  if (gadget == nullptr) {
    if (dialog->layout_loaded || id <= 0) return nullptr;
    Gadget made;
    made.id = id;
    made.kind = *accepted.begin();
    return dialog->AddGadget(std::move(made));
  }
  for (GadgetKind kind : accepted) {
    if (gadget->kind == kind) return gadget;
  }
  return nullptr;
}

template <typename T>
const T* Held(VtDialog* handle, int32_t id) {
  const Gadget* gadget = ForRead(handle, id);
  return gadget == nullptr ? nullptr : std::get_if<T>(&gadget->value);
}

VtDialog* DialogAlloc(const VtDialogCallbacks* callbacks, void* user) {
  return DialogRegistry::Handle(HostDialogs().Create(callbacks, user));
}

void DialogFree(VtDialog* handle) {
  Dialog* dialog = Live(handle);
  if (dialog == nullptr) return;
  CloseWithoutAsking(*dialog);
  HostDialogs().Release(dialog);
}

int32_t DialogOpen(VtDialog* handle, int32_t type, int32_t plugin_id, int32_t, int32_t, int32_t, int32_t,
                   int32_t) {
  Dialog* dialog = Live(handle);
  return dialog != nullptr && OpenDialog(*dialog, type, plugin_id) ? 1 : 0;
}

int32_t DialogClose(VtDialog* handle) {
  Dialog* dialog = Live(handle);
  return dialog != nullptr && CloseDialog(*dialog) ? 1 : 0;
}

void MenuFlushAll(VtDialog* handle) {
  if (Dialog* dialog = Live(handle)) dialog->MenuFlushAll();
}

void MenuSubBegin(VtDialog* handle, VtText title) {
  if (Dialog* dialog = Live(handle)) dialog->MenuSubBegin(TextView(title));
}

void MenuSubEnd(VtDialog* handle) {
  if (Dialog* dialog = Live(handle)) dialog->MenuSubEnd();
}

void MenuAddEntry(VtDialog* handle, int32_t id, VtText text) {
  if (Dialog* dialog = Live(handle)) dialog->MenuAddEntry(id, TextView(text));
}

void MenuFinished(VtDialog* handle) {
  if (Dialog* dialog = Live(handle)) dialog->MenuFinished();
}

int32_t GetBool(VtDialog* handle, int32_t id, int32_t* out) {
  const bool* value = Held<bool>(handle, id);
  if (value == nullptr || out == nullptr) return 0;
  *out = *value ? 1 : 0;
  return 1;
}

int32_t GetInt32(VtDialog* handle, int32_t id, int32_t* out) {
  const int32_t* value = Held<int32_t>(handle, id);
  if (value == nullptr || out == nullptr) return 0;
  *out = *value;
  return 1;
}

int32_t GetFloat(VtDialog* handle, int32_t id, double* out) {
  const double* value = Held<double>(handle, id);
  if (value == nullptr || out == nullptr) return 0;
  *out = *value;
  return 1;
}

int32_t GetText(VtDialog* handle, int32_t id, VtText* out) {
  const std::string* value = Held<std::string>(handle, id);
  if (value == nullptr || out == nullptr) return 0;
  *out = LendText(*value);
  return 1;
}

int32_t GetColor(VtDialog* handle, int32_t id, VtVector* color, double* brightness) {
  const ColorValue* value = Held<ColorValue>(handle, id);
  if (value == nullptr || color == nullptr || brightness == nullptr) return 0;
  *color = VtVector{value->color.x, value->color.y, value->color.z};
  *brightness = value->brightness;
  return 1;
}

int32_t SetBool(VtDialog* handle, int32_t id, int32_t value) {
  Gadget* gadget = ForWrite(handle, id, {GadgetKind::kCheckbox});
  if (gadget == nullptr) return 0;
  gadget->value = value != 0;
  return 1;
}

int32_t SetInt32(VtDialog* handle, int32_t id, int32_t value, int32_t min, int32_t max, int32_t, int32_t) {
  Gadget* gadget = ForWrite(handle, id, {GadgetKind::kEdit, GadgetKind::kPopup});
  if (gadget == nullptr) return 0;
  SetLimits(*gadget, min, max);
  gadget->value = static_cast<int32_t>(ClampToLimits(*gadget, value));
  return 1;
}

int32_t SetFloat(VtDialog* handle, int32_t id, double value, double min, double max, double, int32_t) {
  if (!std::isfinite(value)) return 0;
  Gadget* gadget = ForWrite(handle, id, {GadgetKind::kEdit});
  if (gadget == nullptr) return 0;
  SetLimits(*gadget, min, max);
  gadget->value = ClampToLimits(*gadget, value);
  return 1;
}

int32_t SetText(VtDialog* handle, int32_t id, VtText text, int32_t, int32_t) {
  // Fields show the text as their value; buttons, check boxes and groups
  // show it as their caption.
  Gadget* gadget = ForWrite(
      handle, id,
      {GadgetKind::kEdit, GadgetKind::kText, GadgetKind::kButton, GadgetKind::kCheckbox, GadgetKind::kGroup});
  if (gadget == nullptr) return 0;
  if (gadget->kind == GadgetKind::kEdit || gadget->kind == GadgetKind::kText) {
    gadget->value = std::string(TextView(text));
  } else {
    gadget->caption = std::string(TextView(text));
  }
  return 1;
}

int32_t SetColor(VtDialog* handle, int32_t id, const VtVector* color, double brightness,
                 double max_brightness, int32_t) {
  if (color == nullptr || !std::isfinite(color->x) || !std::isfinite(color->y) || !std::isfinite(color->z) ||
      !std::isfinite(brightness) || !std::isfinite(max_brightness)) {
    return 0;
  }
  Gadget* gadget = ForWrite(handle, id, {GadgetKind::kColor});
  if (gadget == nullptr) return 0;
  gadget->value = ColorValue{Vec3{color->x, color->y, color->z}, brightness, max_brightness};
  return 1;
}

int32_t Enable(VtDialog* handle, int32_t id, int32_t enabled) {
  Dialog* dialog = Live(handle);
  Gadget* gadget = dialog == nullptr ? nullptr : dialog->Find(id);
  if (gadget == nullptr) return 0;
  gadget->enabled = enabled != 0;
  return 1;
}

int32_t PopupClear(VtDialog* handle, int32_t id) {
  Gadget* gadget = ForWrite(handle, id, {GadgetKind::kPopup});
  if (gadget == nullptr) return 0;
  gadget->entries.clear();
  return 1;
}

int32_t PopupAdd(VtDialog* handle, int32_t id, int32_t entry_id, VtText text) {
  Gadget* gadget = ForWrite(handle, id, {GadgetKind::kPopup});
  if (gadget == nullptr) return 0;
  gadget->entries.push_back(PopupEntry{entry_id, std::string(TextView(text))});
  return 1;
}

}  // namespace

void FillDialogOps(VtUiOps& ops) {
  ops.dialog_alloc = Checked<DialogAlloc>;
  ops.dialog_free = Checked<DialogFree>;
  ops.dialog_open = Checked<DialogOpen>;
  ops.dialog_close = Checked<DialogClose>;
  ops.menu_flush_all = Checked<MenuFlushAll>;
  ops.menu_sub_begin = Checked<MenuSubBegin>;
  ops.menu_sub_end = Checked<MenuSubEnd>;
  ops.menu_add_entry = Checked<MenuAddEntry>;
  ops.menu_finished = Checked<MenuFinished>;
  ops.gadget_get_bool = Checked<GetBool>;
  ops.gadget_get_int32 = Checked<GetInt32>;
  ops.gadget_get_float = Checked<GetFloat>;
  ops.gadget_get_text = Checked<GetText>;
  ops.gadget_get_color = Checked<GetColor>;
  ops.gadget_set_bool = Checked<SetBool>;
  ops.gadget_set_int32 = Checked<SetInt32>;
  ops.gadget_set_float = Checked<SetFloat>;
  ops.gadget_set_text = Checked<SetText>;
  ops.gadget_set_color = Checked<SetColor>;
  ops.gadget_enable = Checked<Enable>;
  ops.popup_clear = Checked<PopupClear>;
  ops.popup_add = Checked<PopupAdd>;
}

}  // namespace standin
