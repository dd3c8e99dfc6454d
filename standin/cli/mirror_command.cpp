#include "cli/mirror_command.h"

#include <optional>
#include <string>

#include "cli/command_errors.h"
#include "cli/exit_status.h"
#include "cli/host_session.h"
#include "cli/mirror_options.h"
#include "cli/mirror_report.h"
#include "io/output_file.h"

namespace standin {

int RunMirror(const MirrorRequest& request) {
  HostSession session(request.host);
  session.LoadScene(request.scene);
  if (request.select) session.Select(request.selection);
  session.RunCommand(kMirrorCommand);
  if (!session.HasOpenDialog()) throw StepFailedError("command 1024416 opened no dialog");
  for (const GadgetSetting& setting : request.settings) SetGadget(session, setting, HintStyle::kOptions);
  if (!request.host.quiet) NoticeSelection(session.document());
  // The report is taken while the run's copy is still in the document: an
  // undo takes it out again.
  std::optional<RunRecord> record;
  if (!request.report.empty()) record.emplace();
  session.Press(kMirrorButton);
  const std::string report = record ? MirrorReportJson(*record) : std::string();
  record.reset();
  session.Close();
  if (request.undo) session.Undo();
  if (request.redo) session.Redo();
  session.SaveScene(request.out);
  if (!request.report.empty()) WriteOutput(request.report, report);
  session.End();
  return kExitDone;
}

}  // namespace standin
