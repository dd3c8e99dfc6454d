#include "cli/script_command.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/quoted_text.h"
#include "cli/output_plan.h"
#include "cli/program_location.h"
#include "draw/png.h"
#include "host/faults.h"
#include "host/run_record.h"
#include "io/output_file.h"
#include "io/scene_reader.h"
#include "io/scene_writer.h"
#include "io/script_reader.h"
#include "resources/user_area.h"
#include "session/command_errors.h"
#include "session/exit_status.h"
#include "session/host_session.h"
#include "session/mirror_options.h"
#include "table/host_table.h"
#include "ui/dialog_dump.h"
#include "ui/dialog_picture.h"
#include "ui/user_values.h"

namespace standin {
namespace {

using Words = std::span<const std::string>;

bool IsInt32(std::string_view text) { return ParseNumber<int32_t>(text).has_value(); }

// Words checked when the script is read, so this cannot fail.
int32_t Int(const std::string& word) { return ParseNumber<int32_t>(word).value_or(0); }

Dialog& UserAreaDialog(HostSession& session, int32_t id) {
  Dialog& dialog = session.OpenDialog();
  if (UserAreaCanvas(dialog, id) == nullptr) {
    throw UserActionError("gadget " + std::to_string(id) + " has no user area attached");
  }
  return dialog;
}

void Fail(HostSession&, Words words) {
  const int32_t first = words.size() > 1 ? Int(words[1]) : 1;
  const int32_t count = words.size() > 2 ? Int(words[2]) : 1;
  if (first < 1) throw UsageError("FIRST counts calls from 1");
  if (count < 1 && count != -1) throw UsageError("COUNT is 1 or more, or -1 for every later call");
  HostFaults().FailFrom(*FaultByName(words[0]), first, count);
}

void Resize(HostSession& session, Words words) {
  const int32_t id = Int(words[0]);
  if (!ResizeUserArea(UserAreaDialog(session, id), id, Int(words[1]), Int(words[2]))) {
    throw UserActionError("gadget " + std::to_string(id) + " cannot take the size " + words[1] + " x " +
                          words[2]);
  }
}

// A file named *.png gets a PNG picture, any other a TIFF one. The bytes are
// written like every other output: links followed, a device written to,
// a regular file replaced only by a complete new one.
void SaveCanvas(HostSession& session, Words words) {
  const int32_t id = Int(words[0]);
  const Dialog& dialog = UserAreaDialog(session, id);
  const std::string& file = words[1];
  const bool png = file.size() >= 4 && std::equal(file.end() - 4, file.end(), ".png", [](char a, char b) {
                     return std::tolower(static_cast<unsigned char>(a)) == b;
                   });
  std::string picture;
  std::string error;
  if (!EncodeUserAreaCanvas(dialog, id, png ? PictureFormat::kPng : PictureFormat::kTiff, picture, error)) {
    throw FileWriteError(file + ": " + error);
  }
  WriteOutput(file, picture);
}

// Words checked when the script is read (see Misfit), names already turned
// into ids and values (see Normalise).
void Set(HostSession& session, Words words) {
  SetGadget(session, {{}, Int(words[0]), words[1]}, HintStyle::kScriptSteps);
}

void Press(HostSession& session, Words words) {
  const int32_t id = Int(words[0]);
  const Dialog& dialog = session.OpenDialog();
  if (id == kMirrorButton && dialog.description_id == kMirrorDialog) {
    NoticeBeforeMirror(session.document(), dialog, session.settings());
  }
  const int64_t refused_before = RejectedWrites();
  session.Press(id);
  CheckNoRejectedWrites(refused_before, session.settings());
}

// A step: its name, the words that follow it and what it does. In `words`
// each letter is one word: i an integer, k a fault kind, g a gadget (its id,
// or the name of a mirror dialog's gadget), b a button or menu entry (its
// id, or the name of a mirror dialog's button), w any word; an
// upper-case letter is optional (all optional words come last); '*' is any
// number of words.
struct Step {
  std::string_view name;
  std::string_view words;
  void (*run)(HostSession&, Words);
  int output = -1;  // the word that names a file the step writes
};

constexpr Step kSteps[] = {
    {"load", "w", [](HostSession& s, Words w) { s.LoadScene(w[0]); }},
    {"select", "*", [](HostSession& s, Words w) { s.Select(w); }},
    {"command", "i", [](HostSession& s, Words w) { s.RunCommand(Int(w[0])); }},
    {"set", "gw", Set},
    {"press", "b", Press},
    {"close", "", [](HostSession& s, Words) { s.Close(); }},
    {"undo", "", [](HostSession& s, Words) { s.Undo(); }},
    {"redo", "", [](HostSession& s, Words) { s.Redo(); }},
    {"save", "w", [](HostSession& s, Words w) { s.SaveScene(w[0]); }, 0},
    {"dump-dialog", "w",
     [](HostSession& s, Words w) { WriteOutput(w[0], DumpDialog(s.OpenDialog()) + "\n"); }, 0},
    {"picture-dialog", "w",
     [](HostSession& s, Words w) { WriteOutput(w[0], EncodePng(DrawDialog(s.OpenDialog()))); }, 0},
    {"fail", "kII", Fail},
    {"host-version", "i", [](HostSession& s, Words w) { s.SetHostVersion(Int(w[0])); }},
    {"message", "i", [](HostSession& s, Words w) { s.SendMessage(Int(w[0])); }},
    {"resize", "iii", Resize},
    {"save-canvas", "iw", SaveCanvas, 1},
};

struct ScriptStep {
  int line = 0;
  const Step* step = nullptr;
  std::vector<std::string> words;
};

// The names `set` takes, for messages.
std::string GadgetNames() {
  std::string names;
  for (const NamedGadget& gadget : MirrorGadgets()) {
    names += names.empty() ? "" : ", ";
    names += gadget.name;
  }
  return names;
}

// Turns the names of `set` and `press` into the ids and values they stand
// for; throws UsageError for a value the named gadget does not take.
void Normalise(const Step& step, std::vector<std::string>& words) {
  if (step.name == "set") {
    if (const NamedGadget* gadget = FindMirrorGadget(words[0])) {
      words[1] = GadgetValueOf(*gadget, words[1]);
      words[0] = std::to_string(gadget->id);
    }
  } else if (step.name == "press") {
    if (const std::optional<int32_t> button = FindMirrorButton(words[0])) words[0] = std::to_string(*button);
  }
}

// Why `words` do not fit the step's pattern, or nothing when they do.
std::string Misfit(const Step& step, Words words) {
  const std::string_view pattern = step.words;
  if (pattern == "*") return {};
  const size_t required = static_cast<size_t>(
      std::count_if(pattern.begin(), pattern.end(), [](char c) { return c >= 'a' && c <= 'z'; }));
  if (words.size() < required || words.size() > pattern.size()) {
    return std::string(step.name) + " takes " +
           (required == pattern.size() ? std::to_string(required)
                                       : std::to_string(required) + " to " + std::to_string(pattern.size())) +
           (pattern.size() == 1 ? " word" : " words") + " after it, not " + std::to_string(words.size());
  }
  for (size_t i = 0; i < words.size(); ++i) {
    const char kind = static_cast<char>(pattern[i] | 0x20);
    if (kind == 'i' && !IsInt32(words[i])) return QuoteForMessage(words[i]) + " is not an integer";
    if (kind == 'k' && !FaultByName(words[i])) return QuoteForMessage(words[i]) + " is no kind of fault";
    if (kind == 'g' && !IsInt32(words[i]) && FindMirrorGadget(words[i]) == nullptr) {
      return QuoteForMessage(words[i]) + " is neither a gadget id nor a name: " + GadgetNames();
    }
    if (kind == 'b' && !IsInt32(words[i]) && !FindMirrorButton(words[i])) {
      return QuoteForMessage(words[i]) + " is neither an id nor a button's name: " + MirrorButtonNames();
    }
  }
  return {};
}

std::vector<ScriptStep> ReadSteps(const std::string& text, const std::string& name) {
  std::vector<ScriptStep> steps;
  for (ScriptLine& line : SplitScript(text, name)) {
    const std::string where = name + ":" + std::to_string(line.number) + ": ";
    const std::string& word = line.words.front();
    const auto* step =
        std::find_if(std::begin(kSteps), std::end(kSteps), [&](const Step& s) { return s.name == word; });
    if (step == std::end(kSteps)) throw ScriptReadError(where + "unknown step " + word);
    line.words.erase(line.words.begin());
    if (const std::string misfit = Misfit(*step, line.words); !misfit.empty()) {
      throw ScriptReadError(where + misfit);
    }
    try {
      Normalise(*step, line.words);
    } catch (const UsageError& error) {
      throw ScriptReadError(where + error.what());
    }
    steps.push_back({line.number, step, std::move(line.words)});
  }
  return steps;
}

// The steps' files, as `mirror` checks its options': no two outputs in one
// file, none on the script or on a scene a step loads, except that `save`
// may replace a loaded scene, as `mirror --out` may.
void CheckStepsApart(std::span<const ScriptStep> steps, const std::string& name, const std::string& journal) {
  std::vector<std::string> labels;  // "steps.txt:4: save", kept alive for the views below
  labels.reserve(steps.size());
  std::vector<NamedFile> outputs = {{"--journal", journal}};
  std::vector<NamedFile> loads;
  for (const ScriptStep& step : steps) {
    const bool output = step.step->output >= 0;
    if (!output && step.step->name != "load") continue;
    labels.push_back(name + ":" + std::to_string(step.line) + ": " + std::string(step.step->name));
    const std::string_view path = step.words[output ? static_cast<size_t>(step.step->output) : 0];
    if (output) {
      outputs.push_back({labels.back(), path, step.step->name == "save"});
    } else {
      loads.push_back({labels.back(), path});
    }
  }
  CheckOutputsApart(outputs, loads, "");
  // No output may replace the script itself, `save` included.
  for (NamedFile& output : outputs) output.may_replace_input = false;
  const NamedFile script[] = {{"FILE", name == "<stdin>" ? std::string_view("-") : name}};
  CheckOutputsApart(outputs, script, "");
}

// The files the steps and the journal would write are checked before the
// first step runs, so that one that cannot be written (its folder missing,
// say) ends the script before it has done anything.
void CheckOutputs(std::span<const ScriptStep> steps, const std::string& name, const std::string& journal) {
  if (!journal.empty()) CheckOutputTarget(journal);
  for (const ScriptStep& step : steps) {
    if (step.step->output < 0) continue;
    try {
      CheckOutputTarget(step.words[static_cast<size_t>(step.step->output)]);
    } catch (const FileWriteError& error) {
      throw FileWriteError(name + ":" + std::to_string(step.line) + ": " + error.what());
    }
  }
  CheckStepsApart(steps, name, journal);
}

// Rethrows the error in flight with `where` before its message, as its own
// kind, so that it ends the program with its own exit status.
[[noreturn]] void RethrowAt(const std::string& where) {
  try {
    throw;
  } catch (const UserActionError& error) {
    throw UserActionError(where + error.what());
  } catch (const UsageError& error) {
    throw UserActionError(where + error.what());
  } catch (const CommandMissingError& error) {
    throw CommandMissingError(where + error.what());
  } catch (const StepFailedError& error) {
    throw StepFailedError(where + error.what());
  } catch (const NoticeError& error) {
    throw NoticeError(where + error.what());
  } catch (const SceneReadError& error) {
    throw SceneReadError(where + error.what());
  } catch (const SceneWriteError& error) {
    throw SceneWriteError(where + error.what());
  } catch (const FileWriteError& error) {
    throw FileWriteError(where + error.what());
  }
}

}  // namespace

int RunScript(const ScriptRequest& request) {
  const std::string_view path = request.script;
  const HostSettings& settings = request.host;
  const std::string name = path == "-" ? "<stdin>" : std::string(path);
  const std::vector<ScriptStep> steps = ReadSteps(ReadScriptText(path), name);
  CheckOutputs(steps, name, settings.journal);

  HostSession session(settings);
  for (const ScriptStep& step : steps) {
    try {
      step.step->run(session, step.words);
      session.CheckDialogPictures();
    } catch (...) {
      RethrowAt(name + ":" + std::to_string(step.line) + ": ");
    }
  }
  session.End();
  return kExitDone;
}

std::string ScriptStepsHelp() {
  return "Steps, one per line (# starts a comment; \"...\" quotes a word):\n"
         "  load FILE               read FILE as the active document\n"
         "  select PATH...          select these objects (name paths such as Arm/Hand), nothing else\n"
         "  command ID              run a registered command (1024416 opens the mirror dialog)\n"
         "  set GADGET VALUE        set a gadget of the open dialog, by id or by the name of a mirror\n"
         "                          option (set axis y, set duplicate true, set color 1,0,0)\n"
         "  press BUTTON            press a button or choose a menu entry, by id or name (mirror, reset,\n"
         "                          close)\n"
         "  close                   close the open dialog\n"
         "  undo, redo              undo or redo the document's last group\n"
         "  save FILE               write the active document (- for standard output)\n"
         "  dump-dialog FILE        write the open dialog as JSON\n"
         "  picture-dialog FILE     write the open dialog as a PNG picture, as a user would see it\n"
         "  fail KIND [FIRST [COUNT]]  make a host service fail from its FIRST call, COUNT times (-1: "
         "always)\n"
         "  host-version N          the version announced to the plug-ins (before they load)\n"
         "  message ID              send a host message to every plug-in\n"
         "  resize ID W H           resize a user area of the open dialog\n"
         "  save-canvas ID FILE     write a user area's pixels as a picture\n";
}

}  // namespace standin
