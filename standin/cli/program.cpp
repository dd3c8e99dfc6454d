#include "cli/program.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>

#include "cli/arguments.h"
#include "cli/command_errors.h"
#include "cli/exit_status.h"
#include "cli/info_command.h"
#include "cli/mirror_command.h"
#include "cli/script_command.h"
#include "io/output_file.h"
#include "io/scene_reader.h"
#include "io/scene_writer.h"

namespace standin {
namespace {

struct Command {
  std::string_view name;
  std::string_view synopsis;
  std::string_view summary;
  int (*run)(Arguments&);
};

// Each subcommand reads its own words; a new one is one more entry here.
constexpr Command kCommands[] = {
    {"info", "info SCENE", "print the scene as an indented tree of objects",
     [](Arguments& arguments) {
       InfoRequest request{std::string(arguments.Operand("SCENE"))};
       arguments.ExpectEnd();
       return RunInfo(request);
     }},
    {"mirror", "mirror SCENE [OPTIONS]", "mirror the selection through the plug-in's dialog", RunMirror},
    {"script", "script FILE [OPTIONS]", "run the steps of a script file, one per line", RunScript},
};

std::string HelpText() {
  std::string text = "Usage: standin COMMAND ARGUMENTS...\n       standin --version | --help\n\n";
  text += "The stand-in host of the Vitrel plug-in.\n\nCommands:\n";
  for (const Command& command : kCommands) {
    std::string line = "  " + std::string(command.synopsis);
    line.resize(std::max<size_t>(line.size() + 2, 26), ' ');
    text += line + std::string(command.summary) + '\n';
  }
  text +=
      "\nSCENE is a scene file (format vitrel-scene, version 1) or - for standard input.\n"
      "\nOptions of mirror (applied as a user sets the dialog's gadgets):\n"
      "  --axis x|y|z  --positioning move-rotate|move|rotate|none  --points  --no-points\n"
      "  --duplicate  --without-children  --skip-children  --skip-primitives\n"
      "  --skip-polygon-command  --final-command  --rename primary|all|none|host\n"
      "  --suffix TEXT  --keep-color  --no-keep-color  --color-mode off|automatic|always|layer\n"
      "  --color R,G,B  --xray  --gadget ID=VALUE  --select PATH (repeatable)\n"
      "  --out FILE  --undo [--redo]\n"
      "Options of mirror and script:\n"
      "  --journal FILE  --plugins DIR  --host-version N  --open-files\n"
      "\nSteps of a script: load FILE, select PATH..., command ID, set ID VALUE, press ID,\n"
      "close, undo, redo, save FILE, dump-dialog FILE, fail KIND [FIRST [COUNT]],\n"
      "host-version N, message ID, resize ID W H, save-canvas ID FILE.\n"
      "\nExit status: 0 done, 1 an output could not be written or the plug-in failed a step,\n"
      "2 usage error, 3 the scene or script cannot be read, 4 no loaded plug-in registered\n"
      "the command a step needs.\n";
  return text;
}

// One line on standard error; control characters (from file names, say)
// would break it, so they show as '?'.
void Report(std::string_view message) {
  std::string line = "standin: ";
  line += message;
  std::replace_if(
      line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
  line += '\n';
  std::fputs(line.c_str(), stderr);
}

int Dispatch(std::span<const std::string_view> words) {
  if (words.empty()) throw UsageError("missing command");
  const std::string_view first = words.front();
  if (first == "--help" || first == "--version") {
    Arguments(words.subspan(1)).ExpectEnd();
    WriteOutput("-", first == "--help" ? HelpText() : "standin " STANDIN_VERSION "\n");
    return kExitDone;
  }
  const auto* command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                     [&](const Command& c) { return c.name == first; });
  if (command == std::end(kCommands)) {
    throw UsageError((first.starts_with('-') ? "unknown option " : "unknown command ") + std::string(first));
  }
  Arguments arguments(words.subspan(1));
  return command->run(arguments);
}

}  // namespace

int RunProgram(std::span<const std::string_view> words) {
  try {
    return Dispatch(words);
  } catch (const UserActionError& error) {
    Report(error.what());
    return kExitUsage;
  } catch (const UsageError& error) {
    Report(std::string(error.what()) + " (see standin --help)");
    return kExitUsage;
  } catch (const SceneReadError& error) {
    Report(error.what());
    return kExitUnreadable;
  } catch (const SceneWriteError& error) {
    Report(error.what());
    return kExitFailure;
  } catch (const FileWriteError& error) {
    Report(error.what());
    return kExitFailure;
  } catch (const ScriptReadError& error) {
    Report(error.what());
    return kExitUnreadable;
  } catch (const CommandMissingError& error) {
    Report(error.what());
    return kExitNoCommand;
  } catch (const StepFailedError& error) {
    Report(error.what());
    return kExitFailure;
  } catch (const std::bad_alloc&) {
    Report("out of memory");
    return kExitFailure;
  }
}

}  // namespace standin
