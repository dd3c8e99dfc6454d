#include "session/dialog_pictures.h"

#include <exception>
#include <system_error>

#include "base/quoted_text.h"
#include "draw/png.h"
#include "session/command_errors.h"
#include "ui/dialog_host.h"
#include "ui/dialog_picture.h"
#include "ui/filename.h"

namespace standin {

namespace fs = std::filesystem;

DialogPictureFolder::DialogPictureFolder(const std::string& folder, Writing writing)
    : folder_(folder), writing_(writing) {
  if (folder == "-") throw UsageError("--pictures takes a folder, not - (standard output)");
  const fs::path native = NativePath(folder);
  std::error_code error;
  const fs::file_status status = fs::status(native, error);
  if (fs::exists(status) && !fs::is_directory(status)) {
    throw UsageError("--pictures " + QuoteForMessage(folder) +
                     ": not a folder; name a folder (it is created when missing)");
  }
  // Creating the folder would fail on the link's own name ("File exists").
  if (!fs::exists(status) && fs::is_symlink(fs::symlink_status(native, error))) {
    throw UsageError("--pictures " + QuoteForMessage(folder) +
                     ": a link to nothing; create the folder it points at, or name another");
  }
  // The folder is made with the first picture (kAtOnce) or only when the
  // run has succeeded (kWithOutputs), so that a run that fails first leaves
  // no empty folder behind.
  if (!folder_.ends_with('/') && !folder_.ends_with('\\')) folder_ += '/';
  SetDialogShownObserver([this](const Dialog& dialog) { Take(dialog); });
}

DialogPictureFolder::~DialogPictureFolder() { SetDialogShownObserver(nullptr); }

std::string DialogPictureFolder::NextName(const Dialog& dialog) {
  if (!dialog.description_id) return "dialog-" + std::to_string(++without_description_) + ".png";
  const int opening = ++openings_[*dialog.description_id];
  return std::to_string(*dialog.description_id) + (opening > 1 ? "-" + std::to_string(opening) : "") + ".png";
}

void DialogPictureFolder::Take(const Dialog& dialog) {
  if (!error_.empty()) return;
  const std::string path = folder_ + NextName(dialog);
  try {
    std::string png = EncodePng(DrawDialog(dialog));
    if (writing_ == Writing::kAtOnce) {
      CreateFolderOnce();
      WriteOutput(path, png);
    } else {
      kept_.emplace_back(path, std::move(png));
    }
  } catch (const FileWriteError& failure) {
    error_ = failure.what();
  } catch (const std::exception& failure) {
    error_ = path + ": cannot draw the dialog: " + failure.what();
  }
}

void DialogPictureFolder::CreateFolderOnce() {
  if (folder_made_) return;
  std::error_code error;
  if (!fs::create_directories(NativePath(folder_), error) && error) {
    throw FileWriteError(folder_ + ": cannot create the folder: " + error.message());
  }
  folder_made_ = true;
}

void DialogPictureFolder::ThrowFirstError() {
  if (!error_.empty()) throw FileWriteError(error_);
}

void DialogPictureFolder::StageInto(OutputBatch& outputs) {
  if (writing_ == Writing::kWithOutputs) outputs.StageFolder(folder_);
  for (auto& [path, png] : kept_) outputs.Stage(path, std::move(png));
  kept_.clear();
}

}  // namespace standin
