#include "cli/mirror_command.h"

#include "cli/command_errors.h"
#include "cli/exit_status.h"
#include "cli/host_session.h"
#include "cli/mirror_options.h"

namespace standin {
namespace {

constexpr int32_t kMirrorCommand = 1024416;
constexpr int32_t kMirrorButton = 10022;

void Apply(HostSession& session, const GadgetSetting& setting) {
  const Dialog& dialog = session.OpenDialog();
  const Gadget* gadget = dialog.Find(setting.gadget);
  if (gadget != nullptr && !gadget->enabled) {
    const std::string enablers = EnablingOptions(dialog, setting.gadget);
    std::string message = setting.option + ": gadget " + std::to_string(setting.gadget) + " is disabled";
    if (!enablers.empty()) message += "; " + enablers + " would enable it";
    throw UserActionError(message);
  }
  try {
    session.Set(setting.gadget, setting.value);
  } catch (const UserActionError& error) {
    throw UserActionError(setting.option + ": " + error.what());
  }
}

}  // namespace

int RunMirror(Arguments& arguments) {
  const MirrorRequest request = ReadMirrorRequest(arguments);
  HostSession session(request.host);
  session.LoadScene(request.scene);
  if (request.select) session.Select(request.selection);
  session.RunCommand(kMirrorCommand);
  if (!session.HasOpenDialog()) throw StepFailedError("command 1024416 opened no dialog");
  for (const GadgetSetting& setting : request.settings) Apply(session, setting);
  session.Press(kMirrorButton);
  session.Close();
  if (request.undo) session.Undo();
  if (request.redo) session.Redo();
  session.SaveScene(request.out);
  session.End();
  return kExitDone;
}

}  // namespace standin
