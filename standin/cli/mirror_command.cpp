#include "cli/mirror_command.h"

#include <optional>
#include <string>
#include <utility>

#include "cli/command_errors.h"
#include "cli/exit_status.h"
#include "cli/host_session.h"
#include "cli/mirror_options.h"
#include "cli/mirror_picture.h"
#include "cli/mirror_report.h"
#include "cli/output_plan.h"
#include "draw/png.h"
#include "host/run_record.h"
#include "io/output_file.h"
#include "io/scene_writer.h"
#include "ui/dialog_picture.h"

namespace standin {

namespace {

// An output that cannot be written, or that would land in another's file
// or on the scene, ends the run before it starts, so that it touches
// nothing.
void CheckOutputsBeforeRun(const MirrorRequest& request) {
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

}  // namespace

int RunMirror(const MirrorRequest& request) {
  CheckOutputsBeforeRun(request);
  HostSession session(request.host, DialogPictureFolder::Writing::kWithOutputs);
  session.LoadScene(request.scene);
  if (request.select) session.Select(request.selection);
  session.RunCommand(kMirrorCommand);
  if (!session.HasOpenDialog()) throw StepFailedError("command 1024416 opened no dialog");
  for (const GadgetSetting& setting : request.settings) SetGadget(session, setting, HintStyle::kOptions);
  // The dialog as the user leaves it, the moment before pressing Mirror.
  const std::string dialog_picture =
      request.dialog_picture.empty() ? std::string() : EncodePng(DrawDialog(session.OpenDialog()));
  std::optional<MirrorPicture> picture;  // the scene as the user is about to mirror it
  if (!request.picture.empty()) picture.emplace(session.document(), session.OpenDialog());
  const int64_t refused_before = RejectedWrites();
  try {
    NoticeBeforeMirror(session.document(), session.OpenDialog(), request.host);
  } catch (const NoticeError&) {
    (void)session.EndAndTakeJournal();  // --strict: no outputs at all, the journal included
    throw;
  }
  // The report is taken while the run's copy is still in the document: an
  // undo takes it out again.
  // The picture asks the record too: whether the run made a copy decides
  // which plane it mirrored across.
  std::optional<RunRecord> record;
  if (!request.report.empty() || picture) record.emplace();
  const bool handlers_run = HandlersRun(session.OpenDialog());
  session.Press(kMirrorButton);
  try {
    CheckNoRejectedWrites(refused_before, request.host);
  } catch (const NoticeError&) {
    record.reset();
    (void)session.EndAndTakeJournal();
    throw;
  }
  std::string report = request.report.empty() ? std::string() : MirrorReportJson(*record, handlers_run);
  const bool made_copy = record && record->inserted() != nullptr;
  record.reset();
  session.Close();
  if (request.undo) session.Undo();
  if (request.redo) session.Redo();
  // A scene without a JSON form is an error of the run: the journal, written
  // then by the session, tells how it came about. From here on the outputs
  // are written all or none; the scene goes straight into its file as it is
  // made.
  const Document& document = session.document();
  CheckSceneFile(document, request.out);
  std::string picture_png = picture ? picture->Png(document, made_copy) : std::string();
  const TextProducer journal = session.EndAndTakeJournal();
  OutputBatch outputs;
  outputs.StageProduced(request.out,
                        [&](const TextSink& sink) { WriteSceneText(document, request.out, sink); });
  if (!request.report.empty()) outputs.Stage(request.report, std::move(report));
  if (!request.dialog_picture.empty()) outputs.Stage(request.dialog_picture, dialog_picture);
  session.StageDialogPictures(outputs);
  if (picture) outputs.Stage(request.picture, std::move(picture_png));
  if (journal) outputs.StageProduced(request.host.journal, journal);
  outputs.Commit();
  return kExitDone;
}

}  // namespace standin
