#include "cli/mirror_command.h"

#include <optional>
#include <string>
#include <utility>

#include "cli/mirror_picture.h"
#include "cli/mirror_report.h"
#include "cli/output_plan.h"
#include "draw/png.h"
#include "host/run_record.h"
#include "io/output_file.h"
#include "io/scene_writer.h"
#include "session/command_errors.h"
#include "session/exit_status.h"
#include "ui/dialog_picture.h"

namespace standin {

namespace {

constexpr int32_t kResetButton = 10015;

}  // namespace

void CheckMirrorOutputs(const MirrorRequest& request) {
  const NamedFile outputs[] = {{"--out", request.out},
                               {"--report", request.report},
                               {"--journal", request.host.journal},
                               {"--dialog-picture", request.dialog_picture},
                               {"--picture", request.picture}};
  for (const NamedFile& output : outputs) {
    if (!output.path.empty()) CheckOutputTarget(output.path);
  }
  // --out over the scene is how a user mirrors a file in place.
  const NamedFile inputs[] = {{"SCENE", request.scene}};
  CheckOutputsApart(outputs, inputs, "--out");
}

MirrorProducts MirrorInSession(HostSession& session, const MirrorRequest& request, bool dialog_used_before) {
  session.LoadScene(request.scene);
  if (request.select) session.Select(request.selection);
  session.RunCommand(kMirrorCommand);
  if (!session.HasOpenDialog()) throw StepFailedError("command 1024416 opened no dialog");
  // The dialog keeps its values between openings; a scene of a batch starts
  // from the values it shows when first opened, as a run of its own does.
  if (dialog_used_before) session.Press(kResetButton);
  for (const GadgetSetting& setting : request.settings) SetGadget(session, setting, HintStyle::kOptions);
  MirrorProducts products;
  // The dialog as the user leaves it, the moment before pressing Mirror.
  if (!request.dialog_picture.empty()) products.dialog_picture = EncodePng(DrawDialog(session.OpenDialog()));
  std::optional<MirrorPicture> picture;  // the scene as the user is about to mirror it
  if (!request.picture.empty()) picture.emplace(session.document(), session.OpenDialog());
  const int64_t refused_before = RejectedWrites();
  NoticeBeforeMirror(session.document(), session.OpenDialog(), request.host);
  // The report is taken while the run's copy is still in the document: an
  // undo takes it out again.
  // The picture asks the record too: whether the run made a copy decides
  // which plane it mirrored across.
  std::optional<RunRecord> record;
  if (!request.report.empty() || picture) record.emplace();
  const bool handlers_run = HandlersRun(session.OpenDialog());
  session.Press(kMirrorButton);
  CheckNoRejectedWrites(refused_before, request.host);
  if (!request.report.empty()) products.report = MirrorReportJson(*record, handlers_run);
  const bool made_copy = record && record->inserted() != nullptr;
  record.reset();
  session.Close();
  if (request.undo) session.Undo();
  if (request.redo) session.Redo();
  // A scene without a JSON form is an error of the run: the journal, written
  // then by the session, tells how it came about.
  CheckSceneFile(session.document(), request.out);
  if (picture) products.picture = picture->Png(session.document(), made_copy);
  return products;
}

void StageMirrorOutputs(OutputBatch& outputs, const Document& document, const MirrorRequest& request,
                        MirrorProducts& products, HostSession* pictures_of) {
  // The scene goes straight into its file as it is made.
  outputs.StageProduced(request.out,
                        [&](const TextSink& sink) { WriteSceneText(document, request.out, sink); });
  if (!request.report.empty()) outputs.Stage(request.report, std::move(products.report));
  if (!request.dialog_picture.empty())
    outputs.Stage(request.dialog_picture, std::move(products.dialog_picture));
  if (pictures_of != nullptr) pictures_of->StageDialogPictures(outputs);
  if (!request.picture.empty()) outputs.Stage(request.picture, std::move(products.picture));
}

int RunMirror(const MirrorRequest& request) {
  CheckMirrorOutputs(request);
  HostSession session(request.host, DialogPictureFolder::Writing::kWithOutputs);
  MirrorProducts products;
  try {
    products = MirrorInSession(session, request, false);
  } catch (const NoticeError&) {
    session.EndKeepingJournal();  // --strict: no outputs at all, the journal included
    throw;
  }
  // From here on the outputs are written all or none, the journal with them.
  session.EndKeepingJournal();
  session.SettleJournalBehind();
  OutputBatch outputs;
  StageMirrorOutputs(outputs, session.document(), request, products, &session);
  session.StageJournal(outputs);
  outputs.Commit();
  return kExitDone;
}

}  // namespace standin
