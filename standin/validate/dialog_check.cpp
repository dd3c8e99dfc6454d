// The dialog's memory: the plug-in keeps its settings while its dialog is
// closed. Each step changes a few gadgets at random as a user would (or
// presses Reset), closes the dialog, runs the command again and expects
// every gadget to show what it showed at the close.
#include <map>
#include <span>

#include "session/mirror_options.h"
#include "validate/validation.h"

namespace standin {
namespace {

constexpr int kReopeningsPerStrictness = 50;
constexpr int32_t kResetButton = 10015;
constexpr int kMostChanges = 4;

constexpr std::string_view kTexts[] = {"", "_mirror", ".L", " copy", "\xC3\xA9t\xC3\xA9", "a/b", "x\ty"};

bool Settable(const Gadget& gadget) {
  switch (gadget.kind) {
    case GadgetKind::kCheckbox:
    case GadgetKind::kPopup:
    case GadgetKind::kEdit:
    case GadgetKind::kColor:
      return gadget.id > 0;
    default:
      return false;
  }
}

// A value a user could enter into `gadget`, as SetGadgetAsUser reads it.
std::string UserValue(const Gadget& gadget, Dice& dice) {
  switch (gadget.kind) {
    case GadgetKind::kCheckbox:
      return dice.Chance(0.5) ? "true" : "false";
    case GadgetKind::kPopup:
      return gadget.entries.empty()
                 ? "0"
                 : std::to_string(dice.Pick(std::span<const PopupEntry>(gadget.entries)).id);
    case GadgetKind::kColor:
      return std::to_string(dice.Int(0, 1000) / 1000.0) + "," + std::to_string(dice.Int(0, 1000) / 1000.0) +
             "," + std::to_string(dice.Int(0, 1000) / 1000.0);
    default:
      if (std::holds_alternative<int32_t>(gadget.value)) return std::to_string(dice.Int(-100, 100));
      if (std::holds_alternative<double>(gadget.value)) return std::to_string(dice.Real(-100, 100));
      return std::string(dice.Pick(std::span<const std::string_view>(kTexts)));
  }
}

std::map<int32_t, GadgetValue> Values(const Dialog& dialog) {
  std::map<int32_t, GadgetValue> values;
  for (const auto& gadget : dialog.gadgets()) {
    if (Settable(*gadget)) values[gadget->id] = gadget->value;
  }
  return values;
}

void ChangeAtRandom(HostSession& session, Dice& dice) {
  if (dice.Chance(0.1)) {
    session.Press(kResetButton);
    return;
  }
  for (int change = dice.Int(0, kMostChanges); change > 0; --change) {
    std::vector<const Gadget*> enabled;
    for (const auto& gadget : session.OpenDialog().gadgets()) {
      if (Settable(*gadget) && gadget->enabled) enabled.push_back(gadget.get());
    }
    if (enabled.empty()) return;
    const Gadget& gadget = *dice.Pick(std::span<const Gadget* const>(enabled));
    session.Set(gadget.id, UserValue(gadget, dice));
  }
}

void Reopen(Validation& validation, HostSession& session, Dice& dice) {
  ChangeAtRandom(session, dice);
  const std::map<int32_t, GadgetValue> at_close = Values(session.OpenDialog());
  session.Close();
  if (session.HasOpenDialog()) validation.Fail("the dialog is still open after it closed");
  session.RunCommand(kMirrorCommand);
  if (!session.HasOpenDialog()) validation.Fail("the command opened no dialog");
  const std::map<int32_t, GadgetValue> reopened = Values(session.OpenDialog());
  for (const auto& [id, value] : at_close) {
    const auto now = reopened.find(id);
    if (now == reopened.end())
      validation.Fail("gadget " + std::to_string(id) + " is missing after reopening");
    if (now->second != value) {
      validation.Fail("gadget " + std::to_string(id) + " showed " + ShowValue(value) + " at the close and " +
                      ShowValue(now->second) + " after reopening");
    }
  }
}

}  // namespace

std::string RunDialogCheck(Validation& validation) {
  HostSession session(validation.host());
  validation.Step("dialog", 1, [&](Dice&) {
    session.RunCommand(kMirrorCommand);
    if (!session.HasOpenDialog()) validation.Fail("the command opened no dialog");
  });
  const int reopenings = kReopeningsPerStrictness * validation.strictness();
  for (int step = 2; step <= reopenings + 1; ++step) {
    validation.Step("dialog", step, [&](Dice& dice) { Reopen(validation, session, dice); });
  }
  session.End();
  return "dialog: " + std::to_string(reopenings) + " closings and reopenings, every gadget as it was";
}

}  // namespace standin
