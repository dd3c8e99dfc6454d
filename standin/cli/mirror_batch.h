// `standin mirror A.json B.json ... --out-dir DIR`: many scenes mirrored
// with the same options by one load of the plug-ins, each written into DIR
// under its own name.
#pragma once

#include <string>
#include <vector>

#include "cli/mirror_command.h"

namespace standin {

struct MirrorBatchRequest {
  MirrorRequest each;  // the options of every scene; its scene and outputs are set per scene
  std::vector<std::string> scenes;
  std::string out_dir;
  bool reports = false;          // DIR/NAME.report.json
  bool pictures = false;         // DIR/NAME.png
  bool dialog_pictures = false;  // DIR/NAME.dialog.png
};

// Throws UsageError when two scenes would write the same files in the
// folder (their names alike but for the extension and the case of ASCII
// letters), or when a scene is standard input, which has no name.
void CheckBatchScenes(const std::vector<std::string>& scenes);

// Mirrors each scene in turn in one session, a fresh document each, and
// writes each scene's outputs all or none. One JSON line per scene goes to
// standard output; the exit status is the highest of the scenes'.
int RunMirrorBatch(const MirrorBatchRequest& batch);

}  // namespace standin
