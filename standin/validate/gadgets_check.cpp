// Every gadget and menu command of the open dialog, pressed in random order
// with values no user could enter: entries outside every pop-up list, values
// of the wrong kind (a text in a check box, a number in a colour field),
// numbers that are not finite, empty, very long and broken UTF-8 texts.
// They go through the host's own entry points, as a window delivers them:
// the value into the gadget's store, then the dialog's command callback. A
// command that closes the dialog (Close, File > Close manager) is followed
// by running the command again. Each step is one round over every id, in a
// random scene of its own, as the Mirror button runs on it.
#include <array>
#include <limits>
#include <span>

#include "random/random_scene.h"
#include "session/mirror_options.h"
#include "validate/validation.h"

namespace standin {
namespace {

// Rounds at strictness S: this times S squared.
constexpr int kRoundsPerStrictnessSquared = 5;
// The long texts end up in object names, which the host keeps until the
// session ends.
constexpr int kRoundsPerSession = 20;
constexpr size_t kLongText = 100000;

std::string OddText(Dice& dice) {
  switch (dice.Int(0, 6)) {
    case 0:
      return "";
    case 1:
      return std::string(kLongText, 'x');
    case 2:
      return "\xFF\xFE\x80 \xC0\xAF \xED\xA0\x80";  // no UTF-8: stray bytes, an overlong slash, a surrogate
    case 3:
      return std::string("a\0b", 3);
    case 4: {
      std::string text(kLongText, '\0');
      for (char& c : text) c = static_cast<char>(dice.Int(1, 255));
      return text;
    }
    case 5:
      return "%s%n%x{}\\\"";
    default:
      return "_mirror";
  }
}

double OddNumber(Dice& dice) {
  constexpr std::array<double, 8> kNumbers = {std::numeric_limits<double>::quiet_NaN(),
                                              std::numeric_limits<double>::infinity(),
                                              -std::numeric_limits<double>::infinity(),
                                              std::numeric_limits<double>::max(),
                                              std::numeric_limits<double>::denorm_min(),
                                              -0.0,
                                              -1.0,
                                              1e9};
  return dice.Chance(0.2) ? dice.Real(-2, 2) : dice.Pick(std::span<const double>(kNumbers));
}

int32_t OddEntry(const Gadget& gadget, Dice& dice) {
  constexpr std::array<int32_t, 5> kIds = {0, -1, 1, std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max()};
  if (!gadget.entries.empty() && dice.Chance(0.3)) {
    const PopupEntry& entry = dice.Pick(std::span<const PopupEntry>(gadget.entries));
    return dice.Chance(0.5) ? entry.id : entry.id + 1;  // listed, or just past one
  }
  return dice.Pick(std::span<const int32_t>(kIds));
}

// Any value of any kind, the gadget's own kind a little more often.
GadgetValue OddValue(const Gadget& gadget, Dice& dice) {
  switch (dice.Int(0, 6)) {
    case 0:
      return dice.Chance(0.5);
    case 1:
      return OddEntry(gadget, dice);
    case 2:
      return OddNumber(dice);
    case 3:
      return OddText(dice);
    case 4:
      return ColorValue{
          {OddNumber(dice), OddNumber(dice), OddNumber(dice)}, OddNumber(dice), OddNumber(dice)};
    case 5:
      return std::monostate{};
    default:
      // The gadget's own kind, with an odd content where the kind allows.
      if (gadget.kind == GadgetKind::kPopup) return OddEntry(gadget, dice);
      if (gadget.kind == GadgetKind::kEdit) return OddText(dice);
      return gadget.value;
  }
}

// Opens the dialog when a command closed it; counts the reopenings.
Dialog& OpenedDialog(Validation& validation, HostSession& session, int64_t& reopenings) {
  if (!session.HasOpenDialog()) {
    session.RunCommand(kMirrorCommand);
    ++reopenings;
    if (!session.HasOpenDialog()) validation.Fail("the command opened no dialog");
  }
  return session.OpenDialog();
}

int64_t Round(Validation& validation, HostSession& session, Dice& dice, int64_t& reopenings) {
  LoadSceneText(RandomSceneText(dice.Raw()));
  const Dialog& first = OpenedDialog(validation, session, reopenings);
  std::vector<int32_t> ids;
  for (const auto& gadget : first.gadgets()) {
    if (gadget->id > 0) ids.push_back(gadget->id);
  }
  for (const Menu& menu : first.menus()) {
    for (const MenuEntry& entry : menu.entries) ids.push_back(entry.id);
  }
  dice.Shuffle(ids);
  int64_t presses = 0;
  for (const int32_t id : ids) {
    Dialog& dialog = OpenedDialog(validation, session, reopenings);
    if (Gadget* gadget = dialog.Find(id)) {
      // A window sends nothing for a disabled gadget; user areas and groups
      // hold no value.
      if (!gadget->enabled) continue;
      if (gadget->kind != GadgetKind::kUserArea && gadget->kind != GadgetKind::kGroup) {
        gadget->value = OddValue(*gadget, dice);
      }
    } else if (!dialog.HasMenuEntry(id)) {
      continue;
    }
    dialog.Command(id);
    ++presses;
  }
  return presses;
}

}  // namespace

std::string RunGadgetsCheck(Validation& validation) {
  RenewedSession sessions(validation, kRoundsPerSession);
  const int rounds = kRoundsPerStrictnessSquared * validation.strictness() * validation.strictness();
  int64_t presses = 0, reopenings = 0;
  for (int round = 1; round <= rounds; ++round) {
    HostSession& session = sessions.For(round);
    validation.Step("gadgets", round,
                    [&](Dice& dice) { presses += Round(validation, session, dice, reopenings); });
  }
  sessions.End();
  return "gadgets: " + std::to_string(rounds) + " rounds, " + std::to_string(presses) + " presses, " +
         std::to_string(reopenings) + " openings of the dialog";
}

}  // namespace standin
