// The stand-in host's dialogs: a window the plug-in describes, with gadgets
// addressed by id, a menu bar, and the callbacks the host makes into it.
//
// A Dialog lives from dialog_alloc to dialog_free. Its gadgets and menus
// belong to its current window: opening the dialog anew clears them before
// the layout callback builds them again. The plug-in reaches a Dialog only
// through its VtDialog handle; the host side (command line, tests, layout
// building) uses the class directly.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "scene/object.h"
#include "vitrel_host_abi.h"

namespace standin {

enum class GadgetKind { kCheckbox, kPopup, kEdit, kColor, kButton, kUserArea, kText, kGroup };

// The kind's name in dialog dumps: "checkbox", "popup", "edit", ...
std::string_view GadgetKindName(GadgetKind kind);

struct ColorValue {
  Vec3 color{};
  double brightness = 1.0;
  double max_brightness = 1.0;
  friend bool operator==(const ColorValue&, const ColorValue&) = default;
};

// What a gadget shows: nothing (buttons, groups, user areas, a gadget not yet
// written), a truth value (check boxes), an integer (pop-ups: the chosen
// entry's id; number fields), a float (number fields), a text (edit and static
// texts) or a colour with its brightness (colour fields).
using GadgetValue = std::variant<std::monostate, bool, int32_t, double, std::string, ColorValue>;

struct PopupEntry {
  int32_t id = 0;
  std::string text;
  friend bool operator==(const PopupEntry&, const PopupEntry&) = default;
};

struct Gadget {
  int32_t id = 0;
  GadgetKind kind = GadgetKind::kText;
  std::string caption;
  GadgetValue value;
  bool enabled = true;
  // Limits of the last integer or float write; values are clamped to them.
  // Limits given the wrong way round, or not finite, are not kept.
  double min = 0, max = 0;
  bool has_limits = false;
  // Pop-up lists: their entries in the order they were added.
  std::vector<PopupEntry> entries;
  // User areas: the gadget's size in pixels and the attached user area. A
  // gadget ends with its window (ClearWindow, dialog_free): whoever keeps a
  // reference to one keeps the dialog and the id, and checks that both are
  // still there.
  int32_t width = 0, height = 0;
  VtUserArea* user_area = nullptr;
  // The id of the group the gadget lies in; 0 at the top of the window.
  int32_t parent = 0;
  // Groups: how many gadgets go in a row. 0 when the group is laid out
  // column by column instead, `rows` gadgets to a column.
  int32_t columns = 1;
  int32_t rows = 0;
};

// Keeps `min` and `max` as the gadget's limits when they make a range.
void SetLimits(Gadget& gadget, double min, double max);
// `value` brought within the gadget's limits, if it has any.
double ClampToLimits(const Gadget& gadget, double value);

struct MenuEntry {
  int32_t id = 0;
  std::string text;
};

struct Menu {
  std::string title;
  std::vector<MenuEntry> entries;
};

class Dialog {
 public:
  Dialog(const VtDialogCallbacks* callbacks, void* user);
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // The plug-in's callbacks. A callback the plug-in left out (null, or past
  // the size it gave) answers as the host's default would: layout and values
  // succeed, a command is handled, a close is allowed. The plug-in may free
  // the dialog inside any of them: check HostDialogs().Alive(this) before
  // touching the dialog after a call.
  bool CreateLayout();
  bool InitValues();
  bool Command(int32_t id);
  // True keeps the dialog open.
  bool AskClose();

  // The window. `description_id` is the dialog description the layout
  // loaded (nothing while none loaded); `layout_loaded` says a description
  // built this window's gadgets, after which a write to a missing gadget
  // fails as in a real window. Without one, a write creates the gadget with
  // the kind the write implies, so code can run before its layouts exist.
  std::optional<int32_t> description_id;
  bool layout_loaded = false;
  std::string title;
  bool open = false;
  bool modal = false;
  bool closing = false;  // while ask_close runs, so a close from inside it is refused
  int32_t plugin_id = 0;
  // The host's own account of the calls it refused while it built this
  // window (see OpenDialog), empty when it refused none: a pop-up may then
  // lack an entry the plug-in asked for, which is the host's failure, not a
  // user's mistake.
  std::string refused_while_built;

  // Starts a new window: no gadgets, no menus, no description.
  void ClearWindow();

  // Gadgets in layout order and by id. AddGadget refuses (null) an id that is
  // already taken; ids 0 and below are for gadgets nobody addresses (labels,
  // unnamed groups) and may repeat.
  Gadget* AddGadget(Gadget gadget);
  Gadget* Find(int32_t id);
  const Gadget* Find(int32_t id) const;
  const std::vector<std::unique_ptr<Gadget>>& gadgets() const { return gadgets_; }

  // Menus: the menu bar in order. Entries added outside a submenu go to a
  // menu without title; a submenu begun inside another is listed as its own
  // menu after it, titled "Outer/Inner".
  const std::vector<Menu>& menus() const { return menus_; }
  void MenuFlushAll();
  void MenuSubBegin(std::string_view title);
  void MenuSubEnd();
  void MenuAddEntry(int32_t id, std::string_view text);
  void MenuFinished();
  bool HasMenuEntry(int32_t id) const;

 private:
  VtDialogCallbacks callbacks_{};
  void* user_ = nullptr;
  std::vector<std::unique_ptr<Gadget>> gadgets_;
  std::unordered_map<int32_t, Gadget*> by_id_;
  std::vector<Menu> menus_;
  std::vector<std::size_t> open_menus_;  // indices into menus_, innermost last
};

// Every dialog of this host process. The plug-in's handles are checked here:
// a handle that was never made, or was freed, is refused instead of used.
// A dialog freed while one of its callbacks runs (the plug-in freeing a
// dialog from its own command, say) stays in memory, marked dead, until the
// outermost host call into the plug-in returns.
class DialogRegistry {
 public:
  // Null when the fault plan fails the allocation (Fault::kDialog).
  Dialog* Create(const VtDialogCallbacks* callbacks, void* user);
  void Release(Dialog* dialog);
  // The live dialog behind a handle, or null.
  Dialog* Find(const VtDialog* handle) const;
  bool Alive(const Dialog* dialog) const;
  // Every live dialog, in no particular order.
  std::vector<Dialog*> All() const;
  static VtDialog* Handle(Dialog* dialog) { return reinterpret_cast<VtDialog*>(dialog); }

  // The open non-modal dialog most recently opened, or null.
  Dialog* OpenNonModal() const;
  // Records which dialog opened last, for OpenNonModal.
  void NoteOpened(Dialog* dialog);

  // Brackets a call from the host into the plug-in; dialogs freed inside it
  // are destroyed when the outermost bracket ends.
  class CallScope {
   public:
    explicit CallScope(DialogRegistry& registry);
    ~CallScope();
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

   private:
    DialogRegistry& registry_;
  };

  // Frees every dialog (the host's end, after the plug-in is gone).
  void Clear();

 private:
  std::unordered_map<const Dialog*, std::unique_ptr<Dialog>> live_;
  std::vector<std::unique_ptr<Dialog>> dead_;
  std::vector<Dialog*> opened_;  // in order of opening, most recent last
  int call_depth_ = 0;
};

// The dialogs of this host process.
DialogRegistry& HostDialogs();

}  // namespace standin
