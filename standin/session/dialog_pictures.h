// `--pictures DIR`: a PNG picture of every dialog the plug-in opens, modal
// or not, drawn as soon as the host has shown it. The pictures are named
// after the dialog description: DIR/10001.png, and for later openings of
// the same description 10001-2.png, 10001-3.png, ...; a dialog laid out
// without a description is DIR/dialog-1.png, dialog-2.png, ..., which no
// description's name can take.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "io/output_file.h"
#include "ui/dialog.h"

namespace standin {

class DialogPictureFolder {
 public:
  // kAtOnce writes each picture as it is taken (a script); kWithOutputs
  // keeps them for the run's other outputs, written all or none (mirror).
  enum class Writing { kAtOnce, kWithOutputs };

  // Starts taking pictures. A missing `folder` is created with the first
  // picture (kAtOnce), or with the run's outputs (kWithOutputs), so that a
  // failed run leaves no empty folder behind. Throws UsageError when `folder` is "-", names something
  // that is no folder or a link to nothing, FileWriteError when it cannot
  // be created.
  DialogPictureFolder(const std::string& folder, Writing writing);
  // Stops taking pictures.
  ~DialogPictureFolder();
  DialogPictureFolder(const DialogPictureFolder&) = delete;
  DialogPictureFolder& operator=(const DialogPictureFolder&) = delete;

  // Throws FileWriteError for the first picture that could not be drawn or
  // written; no picture is taken after it. The pictures are taken inside
  // the plug-in's calls, where no error may pass, so the caller asks after
  // each of its steps.
  void ThrowFirstError();
  // Stages the pictures kept so far, and a missing folder, with the run's
  // other outputs.
  void StageInto(OutputBatch& outputs);

 private:
  void Take(const Dialog& dialog);
  std::string NextName(const Dialog& dialog);
  // Throws FileWriteError when the folder cannot be created.
  void CreateFolderOnce();

  std::string folder_;
  Writing writing_;
  std::map<int32_t, int> openings_;  // pictures taken so far by description id
  int without_description_ = 0;
  std::vector<std::pair<std::string, std::string>> kept_;  // path, PNG bytes
  std::string error_;
  bool folder_made_ = false;
};

}  // namespace standin
