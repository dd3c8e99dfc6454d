#include "session/mirror_options.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "base/quoted_text.h"
#include "host/run_record.h"
#include "journal/journal.h"
#include "session/command_errors.h"
#include "ui/dialog_host.h"
#include "ui/user_values.h"

namespace standin {
namespace {

// Gadgets of the mirror dialog that enable others.
constexpr int32_t kDuplicate = 10008;
constexpr int32_t kKeepColor = 10018;
constexpr int32_t kColorMode = 10019;
constexpr int32_t kColorField = 10020;
constexpr int32_t kColorOff = 5200;
constexpr int32_t kColorLayer = 5203;

constexpr Choice kAxes[] = {{"x", "5000"}, {"y", "5001"}, {"z", "5002"}};
constexpr Choice kPositionings[] = {
    {"move-rotate", "5050"}, {"move", "5051"}, {"rotate", "5052"}, {"none", "5053"}};
constexpr Choice kRenameModes[] = {{"primary", "5070"}, {"all", "5071"}, {"none", "5072"}, {"host", "5073"}};
constexpr Choice kColorModes[] = {
    {"off", "5200"}, {"automatic", "5201"}, {"always", "5202"}, {"layer", "5203"}};

using enum GadgetKind;

constexpr NamedGadget kGadgets[] = {
    {"axis", 10005, kPopup, kAxes, false, "x|y|z", "the axis to mirror across", "x"},
    {"positioning", 10006, kPopup, kPositionings, false, "move-rotate|move|rotate|none",
     "how the mirrored object's placement changes", "move-rotate"},
    {"points", 10007, kCheckbox, {}, true, "", "mirror points, spline tangents and lattices", "on"},
    {"duplicate", kDuplicate, kCheckbox, {}, false, "", "mirror a copy and keep the original", "off"},
    {"without-children",
     10009,
     kCheckbox,
     {},
     false,
     "",
     "copy without child objects (needs --duplicate)",
     "off"},
    {"skip-children", 10010, kCheckbox, {}, false, "", "leave child objects unmirrored", "off"},
    {"skip-primitives", 10011, kCheckbox, {}, false, "", "leave primitive settings unchanged", "off"},
    {"skip-polygon-command", 10012, kCheckbox, {}, false, "", "do not flip polygon normals", "off"},
    {"final-command", 10013, kCheckbox, {}, false, "", "run the finishing command afterwards", "off"},
    {"rename", 10016, kPopup, kRenameModes, false, "primary|all|none|host",
     "which objects of the copy get the suffix (needs --duplicate)", "primary"},
    {"suffix",
     10017,
     kEdit,
     {},
     false,
     "TEXT",
     "suffix added to renamed names (needs --duplicate)",
     "_mirror"},
    {"keep-color",
     kKeepColor,
     kCheckbox,
     {},
     true,
     "",
     "keep the original's display colour (needs --duplicate)",
     "on"},
    {"color-mode", kColorMode, kPopup, kColorModes, false, "off|automatic|always|layer",
     "display colour use of the copy (needs --duplicate --no-keep-color)", "off"},
    {"color",
     kColorField,
     kColor,
     {},
     false,
     "R,G,B",
     "display colour of the copy, components 0 to 1 (needs --color-mode automatic|always)",
     "0,0,0"},
    {"xray",
     10021,
     kCheckbox,
     {},
     false,
     "",
     "show the copy in x-ray (needs --duplicate --no-keep-color)",
     "off"},
};

struct Button {
  std::string_view name;
  int32_t id;
};

constexpr Button kButtons[] = {{"mirror", kMirrorButton}, {"reset", 10015}, {"close", 10023}};

// "x, y or z" (`last` "or"), "a, b and c" (`last` "and").
template <typename T, typename Word>
std::string JoinWords(std::span<const T> items, Word word, std::string_view last) {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " " + std::string(last) + " " : ", ";
    text += word(items[i]);
  }
  return text;
}

// "0.5,1,0": three numbers from 0 to 1, as the colour field takes them.
void CheckColor(std::string_view text) {
  const std::string why = "a colour is R,G,B with each component from 0 to 1";
  const std::optional<Vec3> color = ParseColor(text);
  if (!color) throw UsageError(why + ", not " + QuoteForMessage(text));
  for (const double component : {color->x, color->y, color->z}) {
    if (component < 0 || component > 1) {
      char shown[32];
      char* end = std::to_chars(shown, shown + sizeof shown, component).ptr;
      throw UsageError(why + "; " + std::string(shown, end) + " is outside that range");
    }
  }
}

int EnablingRank(int32_t gadget) {
  switch (gadget) {
    case kDuplicate:
      return 0;
    case kKeepColor:
      return 1;
    case kColorMode:
      return 2;
    default:
      return 3;
  }
}

const GadgetValue* ValueOf(const Dialog& dialog, int32_t id) {
  const Gadget* gadget = dialog.Find(id);
  return gadget == nullptr ? nullptr : &gadget->value;
}

bool Checked(const Dialog& dialog, int32_t id) {
  const GadgetValue* value = ValueOf(dialog, id);
  const bool* checked = value == nullptr ? nullptr : std::get_if<bool>(value);
  return checked != nullptr && *checked;
}

// What a user still has to do to enable gadget `id` of the mirror dialog as
// it stands ("--duplicate and --no-keep-color"); empty when nothing would.
std::string EnablingHint(const Dialog& dialog, int32_t id, HintStyle style) {
  const bool options = style == HintStyle::kOptions;
  const bool needs_duplicate = id == 10009 || id == 10016 || id == 10017 || id == kKeepColor ||
                               id == kColorMode || id == kColorField || id == 10021;
  const bool needs_own_color = id == kColorMode || id == kColorField || id == 10021;
  std::vector<std::string> missing;
  if (needs_duplicate && !Checked(dialog, kDuplicate)) {
    missing.emplace_back(options ? "--duplicate" : "set duplicate true");
  }
  if (needs_own_color && Checked(dialog, kKeepColor)) {
    missing.emplace_back(options ? "--no-keep-color" : "set keep-color false");
  }
  if (id == kColorField) {
    const GadgetValue* value = ValueOf(dialog, kColorMode);
    const int32_t* mode = value == nullptr ? nullptr : std::get_if<int32_t>(value);
    if (mode == nullptr || *mode == kColorOff || *mode == kColorLayer) {
      missing.emplace_back(options ? "--color-mode automatic|always" : "set color-mode automatic|always");
    }
  }
  return JoinWords(
      std::span<const std::string>(missing), [](const std::string& s) { return s; }, "and");
}

// When `setting` chooses an entry the plug-in adds to a pop-up of its
// dialog and the host failed to add it, the host's words for that; empty
// otherwise.
std::string UndeliveredMirrorEntry(const Dialog& dialog, const GadgetSetting& setting) {
  if (dialog.description_id != kMirrorDialog) return {};
  const auto* named = std::find_if(std::begin(kGadgets), std::end(kGadgets),
                                   [&](const NamedGadget& g) { return g.id == setting.gadget; });
  if (named == std::end(kGadgets) || named->kind != kPopup) return {};
  for (const Choice& choice : named->choices) {
    if (choice.value != setting.value) continue;
    return UndeliveredEntry(dialog, setting.gadget, ParseNumber<int32_t>(choice.value).value_or(0));
  }
  return {};
}

}  // namespace

std::span<const NamedGadget> MirrorGadgets() { return kGadgets; }

const NamedGadget* FindMirrorGadget(std::string_view name) {
  const auto* found = std::find_if(std::begin(kGadgets), std::end(kGadgets),
                                   [&](const NamedGadget& g) { return g.name == name; });
  return found == std::end(kGadgets) ? nullptr : found;
}

std::optional<int32_t> FindMirrorButton(std::string_view name) {
  for (const Button& button : kButtons) {
    if (button.name == name) return button.id;
  }
  return std::nullopt;
}

std::string MirrorButtonNames() {
  return JoinWords(
      std::span<const Button>(kButtons), [](const Button& b) { return std::string(b.name); }, "or");
}

std::string GadgetValueOf(const NamedGadget& gadget, std::string_view word) {
  switch (gadget.kind) {
    case kPopup:
      for (const Choice& choice : gadget.choices) {
        if (choice.word == word) return std::string(choice.value);
      }
      throw UsageError(std::string(gadget.name) + " must be " +
                       JoinWords(
                           gadget.choices, [](const Choice& c) { return std::string(c.word); }, "or") +
                       ", not " + QuoteForMessage(word));
    case kCheckbox:
      if (word != "true" && word != "false") {
        throw UsageError(std::string(gadget.name) + " must be true or false, not " + QuoteForMessage(word));
      }
      return std::string(word);
    case kColor:
      CheckColor(word);
      return std::string(word);
    default:
      return std::string(word);
  }
}

void OrderForEnabling(std::vector<GadgetSetting>& settings) {
  std::stable_sort(settings.begin(), settings.end(), [](const GadgetSetting& a, const GadgetSetting& b) {
    return EnablingRank(a.gadget) < EnablingRank(b.gadget);
  });
}

void SetGadget(HostSession& session, const GadgetSetting& setting, HintStyle style) {
  const Dialog& dialog = session.OpenDialog();
  const std::string prefix = setting.option.empty() ? "" : setting.option + ": ";
  const Gadget* gadget = dialog.Find(setting.gadget);
  if (gadget != nullptr && !gadget->enabled && dialog.description_id == kMirrorDialog) {
    const std::string hint = EnablingHint(dialog, setting.gadget, style);
    std::string message = prefix + "gadget " + std::to_string(setting.gadget) + " is disabled";
    if (!hint.empty()) message += "; " + hint + " would enable it";
    throw UserActionError(message);
  }
  try {
    session.Set(setting.gadget, setting.value);
  } catch (const UserActionError& error) {
    if (const std::string lost = UndeliveredMirrorEntry(dialog, setting); !lost.empty()) {
      throw HostRefusalError(prefix + lost);
    }
    throw UserActionError(prefix + error.what());
  }
}

namespace {

// The value of gadget `id` when it holds a T; null otherwise.
template <typename T>
const T* ValueIn(const Dialog& dialog, int32_t id) {
  const Gadget* gadget = dialog.Find(id);
  return gadget != nullptr ? std::get_if<T>(&gadget->value) : nullptr;
}

// The line for a suffix the host will refuse in every name it ends, or
// empty. Only a copy is renamed, and only in the modes that add the suffix.
std::string SuffixNotice(const Dialog& dialog) {
  constexpr int32_t kRenameMode = 10016, kSuffix = 10017, kRenamePrimary = 5070, kRenameAll = 5071;
  const bool* duplicate = ValueIn<bool>(dialog, kDuplicate);
  const int32_t* mode = ValueIn<int32_t>(dialog, kRenameMode);
  const std::string* text = ValueIn<std::string>(dialog, kSuffix);
  if (duplicate == nullptr || !*duplicate || mode == nullptr || text == nullptr || IsUtf8(*text)) return {};
  if (*mode != kRenamePrimary && *mode != kRenameAll) return {};
  return "standin: the suffix " + QuoteForMessage(*text) +
         " is not UTF-8, and the host takes only UTF-8 names, so the copy keeps the names it has\n";
}

// The notice lines as one message: "--strict: first; second".
std::string StrictMessage(std::string_view lines) {
  constexpr std::string_view kPrefix = "standin: ";
  std::string message = "--strict: ";
  bool first = true;
  while (!lines.empty()) {
    const size_t end = lines.find('\n');
    std::string_view line = lines.substr(0, end);
    if (line.starts_with(kPrefix)) line.remove_prefix(kPrefix.size());
    if (!first) message += "; ";
    message += line;
    first = false;
    lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
  }
  return message;
}

}  // namespace

void NoticeBeforeMirror(const Document& document, const Dialog& dialog, const HostSettings& settings) {
  const Object* first = nullptr;
  size_t selected = 0;
  for (const Object* op = document.first(); op != nullptr; op = NextInDocument(op)) {
    if (!op->selected) continue;
    if (first == nullptr) first = op;
    ++selected;
  }
  std::string line;
  if (selected == 0) {
    line = "standin: nothing is selected, so the mirror changed nothing (--select PATH chooses an object)\n";
  } else if (selected > 1) {
    line = "standin: " + std::to_string(selected) +
           " objects are selected; the plug-in mirrors only the first, " + ObjectPath(*first) + "\n";
  }
  if (selected > 0) line += SuffixNotice(dialog);
  if (line.empty()) return;
  if (settings.strict) throw NoticeError(StrictMessage(line));
  if (settings.quiet) return;
  // Each line begins "standin: "; the scene goes right after it.
  for (size_t at = 0; !settings.scene_in_notices.empty() && at < line.size();) {
    line.insert(at + std::string_view("standin: ").size(), settings.scene_in_notices + ": ");
    const size_t end = line.find('\n', at);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  std::fputs(line.c_str(), stderr);
}

void CheckNoRejectedWrites(int64_t before, const HostSettings& settings) {
  const int64_t refused = RejectedWrites() - before;
  if (!settings.strict || refused <= 0) return;
  throw NoticeError("--strict: the host refused " + std::to_string(refused) +
                    (refused == 1 ? " write" : " writes") + " of the plug-in (the last: " +
                    LastRejectedWrite() + "); the journal's write.rejected events name each");
}

}  // namespace standin
