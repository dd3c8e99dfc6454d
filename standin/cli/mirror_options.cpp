#include "cli/mirror_options.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <string_view>

#include "abi/host_table.h"
#include "cli/program_location.h"
#include "ui/filename.h"

namespace standin {
namespace {

// Gadgets of the mirror dialog that enable others.
constexpr int32_t kDuplicate = 10008;
constexpr int32_t kKeepColor = 10018;
constexpr int32_t kColorMode = 10019;
constexpr int32_t kColorOff = 5200;
constexpr int32_t kColorLayer = 5203;

struct Choice {
  std::string_view word;
  std::string_view value;
};

constexpr Choice kAxes[] = {{"x", "5000"}, {"y", "5001"}, {"z", "5002"}};
constexpr Choice kPositionings[] = {
    {"move-rotate", "5050"}, {"move", "5051"}, {"rotate", "5052"}, {"none", "5053"}};
constexpr Choice kRenameModes[] = {{"primary", "5070"}, {"all", "5071"}, {"none", "5072"}, {"host", "5073"}};
constexpr Choice kColorModes[] = {
    {"off", "5200"}, {"automatic", "5201"}, {"always", "5202"}, {"layer", "5203"}};

// An option that sets one gadget: a switch sets its fixed value; any other
// option takes a value, one of its choices when it has them.
struct GadgetOption {
  std::string_view name;
  int32_t gadget;
  const char* switch_value;
  std::span<const Choice> choices;
};

constexpr GadgetOption kGadgetOptions[] = {
    {"--axis", 10005, nullptr, kAxes},
    {"--positioning", 10006, nullptr, kPositionings},
    {"--points", 10007, "true", {}},
    {"--no-points", 10007, "false", {}},
    {"--duplicate", kDuplicate, "true", {}},
    {"--without-children", 10009, "true", {}},
    {"--skip-children", 10010, "true", {}},
    {"--skip-primitives", 10011, "true", {}},
    {"--skip-polygon-command", 10012, "true", {}},
    {"--final-command", 10013, "true", {}},
    {"--rename", 10016, nullptr, kRenameModes},
    {"--suffix", 10017, nullptr, {}},
    {"--keep-color", kKeepColor, "true", {}},
    {"--no-keep-color", kKeepColor, "false", {}},
    {"--color-mode", kColorMode, nullptr, kColorModes},
    {"--color", 10020, nullptr, {}},
    {"--xray", 10021, "true", {}},
};

int32_t ReadInt32(std::string_view text, const std::string& what) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    throw UsageError("bad value \"" + std::string(text) + "\" for " + what + " (an integer)");
  }
  return value;
}

std::string ChoiceValue(const GadgetOption& option, std::string_view word) {
  for (const Choice& choice : option.choices) {
    if (choice.word == word) return std::string(choice.value);
  }
  std::string words;
  for (size_t i = 0; i < option.choices.size(); ++i) {
    if (i > 0) words += i + 1 == option.choices.size() ? " or " : ", ";
    words += option.choices[i].word;
  }
  throw UsageError("bad value \"" + std::string(word) + "\" for " + std::string(option.name) + " (" + words +
                   ")");
}

GadgetSetting ReadGadgetOption(const GadgetOption& option, Arguments& arguments) {
  const std::string name(option.name);
  if (option.switch_value != nullptr) return {name, option.gadget, option.switch_value};
  const std::string_view word = arguments.Value(option.name);
  const std::string written = name + " " + std::string(word);
  if (option.choices.empty()) return {written, option.gadget, std::string(word)};
  return {written, option.gadget, ChoiceValue(option, word)};
}

// --gadget ID=VALUE
GadgetSetting ReadAnyGadget(Arguments& arguments) {
  const std::string_view word = arguments.Value("--gadget");
  const size_t equals = word.find('=');
  if (equals == std::string_view::npos) {
    throw UsageError("bad value \"" + std::string(word) + "\" for --gadget (ID=VALUE)");
  }
  const int32_t id = ReadInt32(word.substr(0, equals), "the gadget id of --gadget");
  return {"--gadget " + std::string(word), id, std::string(word.substr(equals + 1))};
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

}  // namespace

MirrorRequest ReadMirrorRequest(Arguments& arguments) {
  MirrorRequest request;
  request.scene = arguments.Operand("SCENE");
  request.host.plugins = DefaultPluginsFolder();
  request.host.host_version = kDefaultHostVersion;
  while (!arguments.empty()) {
    const std::string_view option = arguments.Option();
    const auto* known = std::find_if(std::begin(kGadgetOptions), std::end(kGadgetOptions),
                                     [&](const GadgetOption& o) { return o.name == option; });
    if (known != std::end(kGadgetOptions)) {
      request.settings.push_back(ReadGadgetOption(*known, arguments));
    } else if (option == "--gadget") {
      request.settings.push_back(ReadAnyGadget(arguments));
    } else if (option == "--select") {
      request.select = true;
      request.selection.emplace_back(arguments.Value(option));
    } else if (option == "--out") {
      request.out = arguments.Value(option);
    } else if (option == "--journal") {
      request.host.journal = arguments.Value(option);
    } else if (option == "--plugins") {
      request.host.plugins = NativePath(arguments.Value(option));
    } else if (option == "--host-version") {
      request.host.host_version = ReadInt32(arguments.Value(option), "--host-version");
    } else if (option == "--open-files") {
      request.host.open_files = true;
    } else if (option == "--undo") {
      request.undo = true;
    } else if (option == "--redo") {
      request.redo = true;
    } else {
      throw UsageError("unknown option " + std::string(option));
    }
  }
  if (request.redo && !request.undo) throw UsageError("--redo needs --undo");
  OrderForEnabling(request.settings);
  return request;
}

void OrderForEnabling(std::vector<GadgetSetting>& settings) {
  std::stable_sort(settings.begin(), settings.end(), [](const GadgetSetting& a, const GadgetSetting& b) {
    return EnablingRank(a.gadget) < EnablingRank(b.gadget);
  });
}

std::string EnablingOptions(const Dialog& dialog, int32_t id) {
  const bool needs_duplicate = id == 10009 || id == 10016 || id == 10017 || id == kKeepColor ||
                               id == kColorMode || id == 10020 || id == 10021;
  const bool needs_own_color = id == kColorMode || id == 10020 || id == 10021;
  const bool needs_mode = id == 10020;
  std::vector<std::string> missing;
  if (needs_duplicate && !Checked(dialog, kDuplicate)) missing.emplace_back("--duplicate");
  if (needs_own_color && Checked(dialog, kKeepColor)) missing.emplace_back("--no-keep-color");
  if (needs_mode) {
    const GadgetValue* value = ValueOf(dialog, kColorMode);
    const int32_t* mode = value == nullptr ? nullptr : std::get_if<int32_t>(value);
    if (mode == nullptr || *mode == kColorOff || *mode == kColorLayer) {
      missing.emplace_back("--color-mode automatic|always");
    }
  }
  std::string text;
  for (size_t i = 0; i < missing.size(); ++i) {
    if (i > 0) text += i + 1 == missing.size() ? " and " : ", ";
    text += missing[i];
  }
  return text;
}

}  // namespace standin
