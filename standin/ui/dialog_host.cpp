#include "ui/dialog_host.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "base/quoted_text.h"
#include "host/faults.h"
#include "journal/journal.h"
#include "ui/dialog_dump.h"
#include "ui/user_area_painting.h"
#include "ui/user_values.h"

namespace standin {
namespace {

// Modal dialogs opened from modal dialogs' commands nest; past this depth the
// host refuses to open another, so a plug-in opening them without end stops.
constexpr int kMaxModalDepth = 16;
int g_modal_depth = 0;
DialogShownObserver g_shown_observer;

void JournalOpen(const Dialog& dialog, bool modal, bool result) {
  Journal::Event event(HostJournal(), "dialog.open");
  if (dialog.description_id) {
    event.Int("id", *dialog.description_id);
  } else {
    event.Null("id");
  }
  event.Bool("modal", modal).Bool("result", result);
  if (modal) {
    if (Journal::Writer* writer = event.Raw("gadgets")) WriteDialogGadgets(dialog, *writer);
  }
}

void MarkClosed(Dialog& dialog, bool forced) {
  dialog.open = false;
  Journal::Event event(HostJournal(), "dialog.close");
  if (dialog.description_id) {
    event.Int("id", *dialog.description_id);
  } else {
    event.Null("id");
  }
  if (forced) event.Bool("forced", true);
}

// What fault injection refused between `before` (a count of failures) and
// now, in the host's words; empty when it refused nothing.
std::string RefusalsSince(int64_t before) {
  const FaultPlan& faults = HostFaults();
  const int64_t refused = faults.failures() - before;
  if (refused <= 0) return {};
  return "while it built the dialog the host refused " + std::to_string(refused) +
         (refused == 1 ? " call" : " calls") + " (the last of kind " +
         std::string(FaultName(faults.last_failed_kind())) + ", by fault injection)";
}

UserOutcome Refused(std::string reason) { return UserOutcome{false, std::move(reason)}; }

std::string GadgetName(int32_t id) { return "gadget " + std::to_string(id); }

// A pop-up's entries as a user picks them: "5000 X, 5001 Y" (id and text),
// the first few of a long list.
std::string EntryList(const std::vector<PopupEntry>& entries) {
  constexpr size_t kShown = 12;
  std::string list;
  for (size_t i = 0; i < entries.size() && i < kShown; ++i) {
    if (i > 0) list += ", ";
    list += std::to_string(entries[i].id) + ' ' + ShowInMessage(entries[i].text);
  }
  if (entries.size() > kShown) list += " and " + std::to_string(entries.size() - kShown) + " more";
  return list;
}

// Puts `text` into `gadget` as its kind reads it; a reason when it cannot.
std::optional<std::string> StoreUserValue(Gadget& gadget, std::string_view text) {
  const std::string bad = QuoteForMessage(text) + " is not a value for " + GadgetName(gadget.id);
  switch (gadget.kind) {
    case GadgetKind::kCheckbox:
      if (text != "true" && text != "false") return bad + " (true or false)";
      gadget.value = text == "true";
      return std::nullopt;
    case GadgetKind::kPopup: {
      std::optional<int32_t> choice = ParseNumber<int32_t>(text);
      const bool listed = choice && std::any_of(gadget.entries.begin(), gadget.entries.end(),
                                                [&](const PopupEntry& entry) { return entry.id == *choice; });
      if (!gadget.entries.empty() && !listed) {
        return bad + (choice ? " (not one of its entries: " : " (its entries by id: ") +
               EntryList(gadget.entries) + ")";
      }
      if (!choice) return bad + " (an entry id)";
      gadget.value = *choice;
      return std::nullopt;
    }
    case GadgetKind::kColor: {
      std::optional<Vec3> color = ParseColor(text);
      if (!color) return bad + " (R,G,B)";
      ColorValue value;
      if (const auto* old = std::get_if<ColorValue>(&gadget.value)) value = *old;
      value.color = *color;
      gadget.value = value;
      return std::nullopt;
    }
    case GadgetKind::kEdit:
      if (std::holds_alternative<int32_t>(gadget.value)) {
        std::optional<int32_t> number = ParseNumber<int32_t>(text);
        if (!number) return bad + " (an integer)";
        gadget.value = static_cast<int32_t>(ClampToLimits(gadget, *number));
      } else if (std::holds_alternative<double>(gadget.value)) {
        std::optional<double> number = ParseNumber<double>(text);
        if (!number) return bad + " (a number)";
        gadget.value = ClampToLimits(gadget, *number);
      } else {
        gadget.value = std::string(text);
      }
      return std::nullopt;
    case GadgetKind::kButton:
    case GadgetKind::kUserArea:
    case GadgetKind::kText:
    case GadgetKind::kGroup:
      break;
  }
  return GadgetName(gadget.id) + " is a " + std::string(GadgetKindName(gadget.kind)) +
         ", which a user cannot set";
}

}  // namespace

bool OpenDialog(Dialog& dialog, int32_t type, int32_t plugin_id) {
  DialogRegistry& dialogs = HostDialogs();
  const bool modal = type == VT_DLG_TYPE_MODAL || type == VT_DLG_TYPE_MODAL_RESIZEABLE;
  if (!modal && type != VT_DLG_TYPE_ASYNC) return false;
  if (dialog.open) {
    // A shown window only comes forward; a modal one cannot open twice, and a
    // shown one cannot turn modal.
    if (modal || dialog.modal) return false;
    dialogs.NoteOpened(&dialog);
    JournalOpen(dialog, false, true);
    return true;
  }
  if (modal && g_modal_depth >= kMaxModalDepth) return false;

  dialog.ClearWindow();
  dialog.modal = modal;
  dialog.plugin_id = plugin_id;
  dialog.open = true;
  const int64_t refused_before = HostFaults().failures();
  bool built = dialog.CreateLayout();
  if (!dialogs.Alive(&dialog)) return false;
  if (built) {
    built = dialog.InitValues();
    if (!dialogs.Alive(&dialog)) return false;
  }
  dialog.refused_while_built = RefusalsSince(refused_before);
  // The plug-in may also have closed the window from its own callbacks.
  const bool shown = built && dialog.open;
  dialog.open = shown;
  JournalOpen(dialog, modal, shown);
  if (!shown) return false;
  // A shown window paints its user areas.
  PaintUserAreasOf(dialog);
  if (!dialogs.Alive(&dialog)) return false;
  if (g_shown_observer) g_shown_observer(dialog);
  if (!modal) {
    dialogs.NoteOpened(&dialog);
    return true;
  }

  // A user reading the modal dialog presses its closing button. A dialog that
  // stays open after that is asked to close and, if it refuses, closed.
  ++g_modal_depth;
  dialog.Command(kModalCloseButton);
  if (dialogs.Alive(&dialog) && dialog.open && !CloseDialog(dialog) && dialogs.Alive(&dialog)) {
    MarkClosed(dialog, true);
  }
  --g_modal_depth;
  return true;
}

void SetDialogShownObserver(DialogShownObserver observer) { g_shown_observer = std::move(observer); }

std::string UndeliveredEntry(const Dialog& dialog, int32_t id, int32_t entry) {
  const Gadget* gadget = dialog.Find(id);
  if (gadget == nullptr || gadget->kind != GadgetKind::kPopup || dialog.refused_while_built.empty())
    return {};
  const bool listed = std::any_of(gadget->entries.begin(), gadget->entries.end(),
                                  [&](const PopupEntry& added) { return added.id == entry; });
  if (listed) return {};
  return "the host could not add entry " + std::to_string(entry) + " to " + GadgetName(id) + ": " +
         dialog.refused_while_built;
}

bool CloseDialog(Dialog& dialog) {
  if (!dialog.open || dialog.closing) return false;
  dialog.closing = true;
  const bool keep = dialog.AskClose();
  if (!HostDialogs().Alive(&dialog)) return true;  // freed while asked: gone with its window
  dialog.closing = false;
  if (keep || !dialog.open) return false;
  MarkClosed(dialog, false);
  return true;
}

void CloseWithoutAsking(Dialog& dialog) {
  if (dialog.open) MarkClosed(dialog, false);
}

UserOutcome SetGadgetAsUser(Dialog& dialog, int32_t id, std::string_view value) {
  if (!dialog.open) return Refused("the dialog is not open");
  Gadget* gadget = dialog.Find(id);
  if (gadget == nullptr) return Refused("the dialog has no " + GadgetName(id));
  if (!gadget->enabled) return Refused(GadgetName(id) + " is disabled");
  if (std::optional<std::string> reason = StoreUserValue(*gadget, value)) return Refused(std::move(*reason));
  dialog.Command(id);
  return UserOutcome{true, {}};
}

UserOutcome PressAsUser(Dialog& dialog, int32_t id) {
  if (!dialog.open) return Refused("the dialog is not open");
  if (const Gadget* gadget = dialog.Find(id)) {
    if (gadget->kind != GadgetKind::kButton) return Refused(GadgetName(id) + " is not a button");
    if (!gadget->enabled) return Refused(GadgetName(id) + " is disabled");
  } else if (!dialog.HasMenuEntry(id)) {
    return Refused("the dialog has no button or menu entry " + std::to_string(id));
  }
  dialog.Command(id);
  return UserOutcome{true, {}};
}

UserOutcome CloseAsUser(Dialog& dialog) {
  if (!dialog.open) return Refused("the dialog is not open");
  if (!CloseDialog(dialog)) return Refused("the dialog refused to close");
  return UserOutcome{true, {}};
}

}  // namespace standin
