// One run of the host for a subcommand that drives plug-ins (`mirror`,
// `script`): the journal, the plug-ins, the active document, and what a user
// does with them, each refusal turned into the error that ends the program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

#include "io/output_file.h"
#include "journal/block_text_buffer.h"
#include "scene/document.h"
#include "session/dialog_pictures.h"
#include "ui/dialog.h"

namespace standin {

class PluginHost;

struct HostSettings {
  std::filesystem::path plugins;      // the folder whose plug-in folders load
  int32_t host_version = 0;           // announced in the host table
  bool open_files = false;            // files the plug-in asks to open are opened
  std::string journal;                // the journal's file ("-": standard output); empty: none
  bool quiet = false;                 // no notices on standard error
  bool strict = false;                // a notice ends the run as a NoticeError
  int64_t fail_op = 0;                // the host call that may fail that fails (from 1); 0: none
  std::optional<uint64_t> fail_seed;  // host calls that may fail fail at random from this seed
  std::string pictures;               // a folder that gets a PNG of every dialog opened; empty: none
  std::string scene_in_notices;       // named after "standin: " in each notice (a scene of a batch)
};

class HostSession {
 public:
  // Starts afresh: a new scene with an empty active document, no plug-ins
  // yet, the journal recording. With `settings.pictures`, every dialog shown
  // is drawn into that folder (created when missing), written as `pictures`
  // says; a name there that is no folder is a UsageError.
  explicit HostSession(HostSettings settings,
                       DialogPictureFolder::Writing pictures = DialogPictureFolder::Writing::kAtOnce);
  // Ends the plug-ins if End was not reached; the journal is still written
  // (an error then goes to standard error), for it tells what led to the
  // error that ends the program.
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  const HostSettings& settings() const { return settings_; }

  // Ends the plug-ins and writes the journal; throws FileWriteError when it
  // cannot be written.
  void End();
  // Ends the plug-ins and keeps the journal for StageJournal, for the caller
  // to write together with its other outputs; the session writes nothing
  // after this, and a journal not staged is dropped.
  void EndKeepingJournal();
  // Stages the journal kept by EndKeepingJournal in `outputs` (nothing when
  // none is kept); throws FileWriteError.
  void StageJournal(OutputBatch& outputs);
  // After EndKeepingJournal, before the other outputs are made: a journal
  // going to its file has what it holds flushed to disk meanwhile.
  void SettleJournalBehind();

  // The version the host announces; only before the plug-ins load.
  void SetHostVersion(int32_t version);
  // Loads the plug-ins of the plug-ins folder, once; later calls do nothing.
  void LoadPlugins();
  // Sends host message `id` to every plug-in (loading them first).
  void SendMessage(int32_t id);

  // Drops the scene and its documents for an empty one, as a new session
  // starts, keeping the plug-ins loaded: the next scene of a batch sees
  // nothing of the last. Host faults and journal counts start afresh too.
  void NewScene();
  bool PluginsLoaded() const { return plugins_ != nullptr; }

  // Reads the scene file at `path` ("-": standard input) as the active
  // document.
  Document& LoadScene(std::string_view path);
  Document& document();
  // Makes the objects at these name paths the selection, and nothing else.
  void Select(std::span<const std::string> paths);
  // Writes the active document to `path` ("-": standard output).
  void SaveScene(std::string_view path);

  // Runs registered command `id` as a user choosing it, loading the
  // plug-ins first.
  void RunCommand(int32_t id);

  // The open non-modal dialog most recently opened.
  bool HasOpenDialog() const;
  Dialog& OpenDialog();
  void Set(int32_t gadget, std::string_view value);
  void Press(int32_t id);
  void Close();

  // Undo and redo of the active document's last group, journalled as
  // `undo` and `redo` with `done`; nothing to take back is no error.
  void Undo();
  void Redo();

  // The dialog pictures of `settings.pictures`: CheckDialogPictures throws
  // FileWriteError when one could not be drawn or written (asked after each
  // step, as the pictures are taken inside the plug-in's calls);
  // StageDialogPictures stages those kept for the run's outputs.
  void CheckDialogPictures();
  void StageDialogPictures(OutputBatch& outputs);

 private:
  // Loads the plug-ins, keeping the loader's problems for the caller to
  // report (ReportPluginProblems) or to fold into its own error
  // (TakePluginProblems: "problem; problem").
  void LoadPluginsHoldingProblems();
  void ReportPluginProblems();
  std::string TakePluginProblems();

  // A journal file that is replaced is written to its temporary file as the
  // run goes, a block at a time, rather than held whole until the end.
  void StartJournalFile();

  HostSettings settings_;
  std::ostringstream plugin_problems_;  // lines the loader wrote
  BlockTextBuffer journal_text_;        // all of the journal, or what is not yet in journal_file_
  std::ostream journal_{&journal_text_};
  // After the text: dropped first, its writer done with a block of the
  // text before the text goes.
  std::unique_ptr<OutputInProgress> journal_file_;
  std::unique_ptr<PluginHost> plugins_;
  std::unique_ptr<DialogPictureFolder> pictures_;
  bool ended_ = false;
};

}  // namespace standin
