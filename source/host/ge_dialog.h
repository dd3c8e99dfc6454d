// The host's dialog: a window whose layout comes from a dialog description,
// with gadgets addressed by id. Plug-in dialogs derive from it and override
// the callbacks they need.
#pragma once

#include "host/base_container.h"
#include "host/host_string.h"
#include "host/host_types.h"

class GeResource;
class GeUserArea;

// Kinds of dialog window.
enum class DLG_TYPE : Int32 {
  MODAL = VT_DLG_TYPE_MODAL,
  MODAL_RESIZEABLE = VT_DLG_TYPE_MODAL_RESIZEABLE,
  ASYNC = VT_DLG_TYPE_ASYNC,
};

// How a user area takes part in its dialog's messages.
enum class USERAREAFLAGS : Int32 {
  NONE = 0,
};

class GeDialog {
 public:
  GeDialog();
  virtual ~GeDialog();
  GeDialog(const GeDialog&) = delete;
  GeDialog& operator=(const GeDialog&) = delete;

  // Host callbacks.
  virtual Bool CreateLayout();
  virtual Bool InitValues();
  virtual Bool Command(Int32 id, const BaseContainer& msg);
  // True keeps the dialog open.
  virtual Bool AskClose();

  // Opening and closing.
  Bool Open(DLG_TYPE type, Int32 pluginid, Int32 xpos = -1, Int32 ypos = -1, Int32 defaultw = 0,
            Int32 defaulth = 0, Int32 subid = 0);
  Bool Close();

  Bool LoadDialogResource(Int32 id, GeResource* resource, Int32 flags);
  Bool AttachUserArea(GeUserArea& ua, Int32 id, USERAREAFLAGS flags = USERAREAFLAGS::NONE);

  // Menus. A title or an entry whose text is incomplete is left out; a
  // submenu left out returns false, and its entries are then not added.
  void MenuFlushAll();
  Bool MenuSubBegin(const String& title);
  void MenuSubEnd();
  void MenuAddString(Int32 id, const String& text);
  void MenuFinished();

  // Gadget reads: true on success; on failure (also a text that cannot be
  // built in full) `value` is left as it was.
  Bool GetBool(Int32 id, Bool& value) const;
  Bool GetInt32(Int32 id, Int32& value) const;
  Bool GetFloat(Int32 id, Float& value) const;
  Bool GetString(Int32 id, String& value) const;
  Bool GetColorField(Int32 id, Vector& color, Float& brightness) const;

  // Gadget writes; an incomplete text is not written and gives false.
  Bool SetBool(Int32 id, Bool value);
  Bool SetInt32(Int32 id, Int32 value, Int32 min = LIMIT<Int32>::MIN, Int32 max = LIMIT<Int32>::MAX,
                Int32 step = 1, Bool tristate = false);
  Bool SetFloat(Int32 id, Float value, Float min = LIMIT<Float>::MIN, Float max = LIMIT<Float>::MAX,
                Float step = 1.0, Bool tristate = false);
  Bool SetString(Int32 id, const String& text, Bool tristate = false, Int32 flags = 0);
  Bool SetColorField(Int32 id, const Vector& color, Float brightness, Float maxbrightness, Int32 flags);
  Bool Enable(Int32 id, Bool enabled);
  // Pop-up lists.
  Bool FreeChildren(Int32 id);
  Bool AddChild(Int32 id, Int32 subid, const String& text);

 protected:
  VtDialog* handle_ = nullptr;  // null when the host could not make the dialog
};

// A dialog opened modally: Open returns once it is closed, with the result
// that the dialog recorded before closing.
class GeModalDialog : public GeDialog {
 public:
  Bool Open(Int32 xpos = -1, Int32 ypos = -1, Int32 defaultw = 0, Int32 defaulth = 0,
            Bool resizeable = false);
  // Closes the dialog; Open then returns `result`.
  Bool Close(Bool result);
  Bool GetModalResult() const { return result_; }

 private:
  Bool result_ = false;
};
