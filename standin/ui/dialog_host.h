// The host's side of dialogs: opening and closing them as the host does for
// the plug-in, and what a user does in the open dialog (command line,
// scripts, tests).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/dialog.h"

namespace standin {

// The closing button of a modal dialog, which the host presses for the user.
inline constexpr int32_t kModalCloseButton = 10022;

// Opens `dialog` as the plug-in asks (type VT_DLG_TYPE_...): a new window,
// its layout built and its values set. A non-modal dialog stays open; one
// that is open already is only brought forward. A modal dialog is closed by
// pressing kModalCloseButton before this returns; one that does not close
// then is closed by the host. True when the window was built.
bool OpenDialog(Dialog& dialog, int32_t type, int32_t plugin_id);

// Told of every window the host shows, once its layout is built, its values
// set and its user areas painted (a modal one before its closing button is
// pressed). One observer serves the whole host; an empty one is none. It is
// called from inside the plug-in's request to open the dialog, so it must
// not throw.
using DialogShownObserver = std::function<void(const Dialog&)>;
void SetDialogShownObserver(DialogShownObserver observer);

// Whether the pop-up `id` of the open window lacks entry `entry` while
// the host refused calls as the window was built; then the host's words for
// what it could not add ("the host could not add entry 5071 to gadget
// 10016 ..."), empty otherwise. The caller knows which entries the plug-in
// asks for; the host only knows what it refused.
std::string UndeliveredEntry(const Dialog& dialog, int32_t id, int32_t entry);

// Asks the dialog whether it may close and closes it; true when it closed.
bool CloseDialog(Dialog& dialog);

// Closes the window without asking (the dialog is being freed).
void CloseWithoutAsking(Dialog& dialog);

// The outcome of a user's action: done, or why it was refused.
struct UserOutcome {
  bool done = false;
  std::string reason;
};

// Sets gadget `id` from `value` as a user would and then tells the dialog
// (its command callback with the id). `value` is read by the gadget's kind:
// check boxes take true or false, pop-ups one of their entry ids, colour
// fields R,G,B (brightness unchanged), number fields a number within their
// limits, text fields any text. Refused for a missing or disabled gadget, a
// gadget a user cannot set, or a value it cannot take.
UserOutcome SetGadgetAsUser(Dialog& dialog, int32_t id, std::string_view value);

// Presses button `id`, or chooses menu entry `id`; refused for a missing or
// disabled button.
UserOutcome PressAsUser(Dialog& dialog, int32_t id);

// Closes the dialog as its window's close box would.
UserOutcome CloseAsUser(Dialog& dialog);

}  // namespace standin
