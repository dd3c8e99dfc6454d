#include "session/host_session.h"

#include <cstdio>
#include <iostream>
#include <vector>

#include "host/faults.h"
#include "host/scene_host.h"
#include "io/output_file.h"
#include "io/scene_reader.h"
#include "io/scene_writer.h"
#include "journal/journal.h"
#include "loader/plugin_host.h"
#include "session/command_errors.h"
#include "session/object_paths.h"
#include "table/host_table.h"
#include "ui/dialog_host.h"
#include "ui/host_options.h"
#include "undo/undo_history.h"

namespace standin {

HostSession::HostSession(HostSettings settings, DialogPictureFolder::Writing pictures)
    : settings_(std::move(settings)) {
  // First, before anything of the host changes: the folder may be refused.
  if (!settings_.pictures.empty())
    pictures_ = std::make_unique<DialogPictureFolder>(settings_.pictures, pictures);
  TheSceneHost().Reset();
  if (settings_.fail_op > 0) HostFaults().FailNthCall(settings_.fail_op);
  if (settings_.fail_seed) HostFaults().FailAtRandom(*settings_.fail_seed, kRandomFailureOdds);
  ::standin::SetHostVersion(settings_.host_version);
  TheHostOptions().open_files = settings_.open_files;
  if (!settings_.journal.empty()) {
    StartJournalFile();
    HostJournal().SetOutput(&journal_);
  }
}

void HostSession::StartJournalFile() {
  journal_file_ = OutputInProgress::Start(settings_.journal);
  if (journal_file_ == nullptr) return;
  journal_text_.PassFullBlocksTo(
      [file = journal_file_.get()](std::string_view block) { file->WriteBehind(block); });
}

HostSession::~HostSession() {
  if (ended_) return;
  try {
    End();
  } catch (const std::exception& error) {
    std::fputs(("standin: " + std::string(error.what()) + "\n").c_str(), stderr);
  }
}

void HostSession::EndKeepingJournal() {
  ended_ = true;
  plugins_.reset();  // the plug-ins' end actions are journalled too
  ReportPluginProblems();
  HostJournal().SetOutput(nullptr);
  ::standin::SetHostVersion(kDefaultHostVersion);
  TheHostOptions().open_files = false;
  journal_.flush();
}

void HostSession::StageJournal(OutputBatch& outputs) {
  if (settings_.journal.empty()) return;
  if (journal_file_ == nullptr) {
    outputs.StageProduced(settings_.journal,
                          [this](const TextSink& sink) { journal_text_.ForEachPiece(sink); });
    return;
  }
  journal_text_.ForEachPiece([this](std::string_view piece) { journal_file_->Write(piece); });
  outputs.StageWritten(std::move(journal_file_));
}

void HostSession::SettleJournalBehind() {
  if (journal_file_ != nullptr) journal_file_->SettleBehind();
}

void HostSession::End() {
  EndKeepingJournal();
  if (settings_.journal.empty()) return;
  OutputBatch outputs;
  StageJournal(outputs);
  outputs.Commit();
}

void HostSession::SetHostVersion(int32_t version) {
  if (plugins_ != nullptr) throw UserActionError("the host version can only change before the plug-ins load");
  ::standin::SetHostVersion(version);
}

void HostSession::LoadPlugins() {
  LoadPluginsHoldingProblems();
  ReportPluginProblems();
}

void HostSession::LoadPluginsHoldingProblems() {
  if (plugins_ != nullptr) return;
  plugins_ = std::make_unique<PluginHost>(plugin_problems_);
  plugins_->LoadFolder(settings_.plugins);
}

void HostSession::ReportPluginProblems() {
  std::cerr << std::move(plugin_problems_).str();
  plugin_problems_.str({});
}

std::string HostSession::TakePluginProblems() {
  std::string lines = std::move(plugin_problems_).str();
  plugin_problems_.str({});
  std::string joined;
  constexpr std::string_view kPrefix = "standin: ";
  size_t start = 0;
  while (start < lines.size()) {
    size_t end = lines.find('\n', start);
    if (end == std::string::npos) end = lines.size();
    std::string_view line = std::string_view(lines).substr(start, end - start);
    if (line.starts_with(kPrefix)) line.remove_prefix(kPrefix.size());
    if (!joined.empty()) joined += "; ";
    joined += line;
    start = end + 1;
  }
  return joined;
}

void HostSession::SendMessage(int32_t id) {
  LoadPlugins();
  plugins_->SendMessage(id, nullptr);
}

void HostSession::NewScene() { TheSceneHost().Reset(); }

Document& HostSession::LoadScene(std::string_view path) {
  Document& loaded = ReadSceneFile(path, TheSceneHost().scene());
  TheSceneHost().SetActiveDocument(&loaded);
  return loaded;
}

Document& HostSession::document() { return *TheSceneHost().active_document(); }

void HostSession::Select(std::span<const std::string> paths) {
  Document& doc = document();
  std::vector<Object*> chosen;
  for (const std::string& path : paths) {
    Object* op = FindObjectByPath(doc, path);
    if (op == nullptr) throw UserActionError(NoObjectMessage(doc, path));
    chosen.push_back(op);
  }
  for (Object* op = doc.first(); op != nullptr; op = NextInDocument(op)) op->selected = false;
  for (Object* op : chosen) op->selected = true;
}

void HostSession::SaveScene(std::string_view path) { WriteSceneFile(document(), path); }

void HostSession::RunCommand(int32_t id) {
  LoadPluginsHoldingProblems();
  if (!::standin::RunCommand(id)) {
    // What went wrong while loading is why the command is missing: one line.
    const std::string why = TakePluginProblems();
    throw CommandMissingError("no loaded plug-in registered command " + std::to_string(id) +
                              (why.empty() ? "" : ": " + why));
  }
  ReportPluginProblems();
}

bool HostSession::HasOpenDialog() const { return HostDialogs().OpenNonModal() != nullptr; }

Dialog& HostSession::OpenDialog() {
  Dialog* dialog = HostDialogs().OpenNonModal();
  if (dialog == nullptr) throw UserActionError("no dialog is open");
  return *dialog;
}

void HostSession::Set(int32_t gadget, std::string_view value) {
  const UserOutcome outcome = SetGadgetAsUser(OpenDialog(), gadget, value);
  if (!outcome.done) throw UserActionError(outcome.reason);
}

void HostSession::Press(int32_t id) {
  const UserOutcome outcome = PressAsUser(OpenDialog(), id);
  if (!outcome.done) throw UserActionError(outcome.reason);
}

void HostSession::Close() {
  const UserOutcome outcome = CloseAsUser(OpenDialog());
  if (!outcome.done) throw UserActionError(outcome.reason);
}

void HostSession::CheckDialogPictures() {
  if (pictures_ != nullptr) pictures_->ThrowFirstError();
}

void HostSession::StageDialogPictures(OutputBatch& outputs) {
  if (pictures_ == nullptr) return;
  pictures_->ThrowFirstError();
  pictures_->StageInto(outputs);
}

void HostSession::Undo() {
  const bool done = ::standin::Undo(document());
  Journal::Event(HostJournal(), "undo").Bool("done", done);
}

void HostSession::Redo() {
  const bool done = ::standin::Redo(document());
  Journal::Event(HostJournal(), "redo").Bool("done", done);
}

}  // namespace standin
