// The mirror dialog's gadgets by name: the options of `standin mirror`
// (`--axis y`) and the names of the script steps `set` and `press`
// (`set axis y`, `press mirror`), the values a user writes for them, and the
// order in which a user sets them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "session/host_session.h"
#include "ui/dialog.h"

namespace standin {

inline constexpr int32_t kMirrorCommand = 1024416;
inline constexpr int32_t kMirrorDialog = 10001;
inline constexpr int32_t kMirrorButton = 10022;

// A pop-up entry as a user names it.
struct Choice {
  std::string_view word;
  std::string_view value;
};

// A gadget of the mirror dialog that has a name.
struct NamedGadget {
  std::string_view name;  // "axis": --axis on the command line, `set axis` in a script
  int32_t id;
  GadgetKind kind;                  // a check box, pop-up, edit text or colour field
  std::span<const Choice> choices;  // of a pop-up
  bool negatable;                   // a check box that is on by default: --no-NAME turns it off
  std::string_view value_name;      // of the value in help texts ("x|y|z")
  std::string_view help;            // what it does, for --help
  std::string_view default_value;   // as the dialog opens the first time
};

std::span<const NamedGadget> MirrorGadgets();
const NamedGadget* FindMirrorGadget(std::string_view name);

// The buttons of the mirror dialog by name ("mirror", "reset", "close").
std::optional<int32_t> FindMirrorButton(std::string_view name);
// The names FindMirrorButton knows, for messages.
std::string MirrorButtonNames();

// The gadget value a user enters when they write `word` for `gadget`
// ("y" for the axis is 5001); throws UsageError naming the values it takes.
std::string GadgetValueOf(const NamedGadget& gadget, std::string_view word);

// One gadget to set: the option as written (for messages), the gadget and
// the value as a user enters it (see SetGadgetAsUser).
struct GadgetSetting {
  std::string option;
  int32_t gadget = 0;
  std::string value;
};

// Moves the settings of 10008 (duplicate), then 10018 (keep colour), then
// 10019 (colour mode) before all others, keeping the order given within
// each: a user switches those on before the gadgets they enable, and a
// disabled gadget cannot be changed.
void OrderForEnabling(std::vector<GadgetSetting>& settings);

// How a hint names what a user still has to do: as options of `mirror`
// ("--duplicate") or as script steps ("set duplicate true").
enum class HintStyle { kOptions, kScriptSteps };

// Sets a gadget of the open dialog as a user would. A disabled gadget of
// the mirror dialog is refused with what would enable it.
void SetGadget(HostSession& session, const GadgetSetting& setting, HintStyle style);

// Before the mirror button is pressed: a line on standard error when the
// run will change nothing (nothing selected), only the first of several
// selected objects, or will leave a copy's names as they were because the
// suffix is not UTF-8 (the host refuses such a name). The plug-in does
// exactly that, so it is no error, except under --strict (`settings`),
// where it throws NoticeError instead of writing the line.
void NoticeBeforeMirror(const Document& document, const Dialog& dialog, const HostSettings& settings);

// Under --strict, throws NoticeError when the host refused a write of the
// plug-in since RejectedWrites() was `before`.
void CheckNoRejectedWrites(int64_t before, const HostSettings& settings);

}  // namespace standin
