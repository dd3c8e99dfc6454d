#include "cli/mirror_batch.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "base/quoted_text.h"
#include "cli/error_status.h"
#include "io/json_text.h"
#include "session/command_errors.h"
#include "session/exit_status.h"
#include "ui/filename.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

// The name a scene's outputs take in the folder: its file name without the
// extension.
std::string OutputStem(const std::string& scene) { return Utf8Path(NativePath(scene).stem()); }

// Alike on every system: a folder on Windows or macOS tells no case apart.
std::string ClashKey(const std::string& scene) {
  std::string key = OutputStem(scene);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return Utf8Path(NativePath(folder) / NativePath(name));
}

MirrorRequest SceneRequest(const MirrorBatchRequest& batch, const std::string& scene) {
  MirrorRequest request = batch.each;
  const std::string stem = OutputStem(scene);
  request.scene = scene;
  request.host.scene_in_notices = scene;
  request.out = InFolder(batch.out_dir, Utf8Path(NativePath(scene).filename()));
  if (batch.reports) request.report = InFolder(batch.out_dir, stem + ".report.json");
  if (batch.pictures) request.picture = InFolder(batch.out_dir, stem + ".png");
  if (batch.dialog_pictures) request.dialog_picture = InFolder(batch.out_dir, stem + ".dialog.png");
  return request;
}

void CheckOutDir(const std::string& folder) {
  std::error_code error;
  const fs::path path = NativePath(folder);
  if (fs::is_directory(path, error)) return;
  throw UsageError("--out-dir " + ShowInMessage(folder) +
                   (fs::exists(path, error) ? " is no folder" : " does not exist") +
                   "; name a folder that exists");
}

struct SceneOutcome {
  ErrorOutcome result;
  std::vector<std::string> outputs;
};

std::vector<std::string> OutputsOf(const MirrorRequest& request) {
  std::vector<std::string> outputs = {request.out};
  for (const std::string* path : {&request.report, &request.dialog_picture, &request.picture}) {
    if (!path->empty()) outputs.push_back(*path);
  }
  return outputs;
}

// A file's name with links, `.` and `..` resolved, so that names can be
// compared by the thousand at once (a hard link to a scene is still caught
// by each scene's own check when the scene is its own output).
std::string ResolvedName(const std::string& path) {
  std::error_code error;
  const fs::path resolved = fs::weakly_canonical(NativePath(path), error);
  return Utf8Path(error ? NativePath(path) : resolved);
}

// An output of one scene that is another scene's file would overwrite it,
// before or after that scene is read: refused before any scene runs.
void CheckNoOutputIsAnotherScene(const MirrorBatchRequest& batch) {
  std::map<std::string, const std::string*> scenes;
  for (const std::string& scene : batch.scenes) scenes.emplace(ResolvedName(scene), &scene);
  for (const std::string& scene : batch.scenes) {
    for (const std::string& output : OutputsOf(SceneRequest(batch, scene))) {
      const auto found = scenes.find(ResolvedName(output));
      if (found == scenes.end() || *found->second == scene) continue;
      throw UsageError("the output " + ShowInMessage(output) + " of scene " + ShowInMessage(scene) +
                       " is scene " + ShowInMessage(*found->second) +
                       ", which it would overwrite; mirror that scene in a run of its own or move it out of "
                       "--out-dir");
    }
  }
}

// A scene that failed may leave the dialog open; the next scene opens it
// anew.
void CloseLeftDialog(HostSession& session) {
  try {
    if (session.HasOpenDialog()) session.Close();
  } catch (const UsageError&) {
    // The dialog refused to close: the next scene's command brings it back.
  }
}

SceneOutcome MirrorOneScene(HostSession& session, const MirrorRequest& request, bool dialog_used_before) {
  try {
    CheckMirrorOutputs(request);
    session.NewScene();
    MirrorProducts products = MirrorInSession(session, request, dialog_used_before);
    OutputBatch outputs;
    StageMirrorOutputs(outputs, session.document(), request, products, nullptr);
    outputs.Commit();
    return {{kExitDone, {}}, OutputsOf(request)};
  } catch (...) {
    SceneOutcome outcome{OutcomeOfCurrentError(), {}};
    CloseLeftDialog(session);
    // The line names the scene, unless its message begins with it already.
    const std::string& message = outcome.result.message;
    const std::string named = message.starts_with(request.scene) ? message : request.scene + ": " + message;
    std::fputs(("standin: " + named + "\n").c_str(), stderr);
    return outcome;
  }
}

std::string JsonLine(const std::string& scene, const SceneOutcome& outcome) {
  std::string line = "{\"scene\":";
  AppendJsonString(line, scene);
  line += outcome.result.status == kExitDone ? ",\"status\":\"done\"" : ",\"status\":\"failed\"";
  line += ",\"exit_status\":" + std::to_string(outcome.result.status);
  if (!outcome.result.message.empty()) {
    line += ",\"message\":";
    AppendJsonString(line, outcome.result.message);
  }
  line += ",\"outputs\":[";
  for (size_t i = 0; i < outcome.outputs.size(); ++i) {
    if (i > 0) line += ',';
    AppendJsonString(line, outcome.outputs[i]);
  }
  return line + "]}\n";
}

}  // namespace

void CheckBatchScenes(const std::vector<std::string>& scenes) {
  std::map<std::string, const std::string*> named;
  for (const std::string& scene : scenes) {
    if (scene == "-") {
      throw UsageError("SCENE - (standard input) has no name to write under in --out-dir; give a scene file");
    }
    const auto [found, added] = named.emplace(ClashKey(scene), &scene);
    if (!added) {
      throw UsageError(
          "scenes " + ShowInMessage(*found->second) + " and " + ShowInMessage(scene) +
          " would write the same files in --out-dir; mirror them in separate runs or rename one");
    }
  }
}

int RunMirrorBatch(const MirrorBatchRequest& batch) {
  CheckOutDir(batch.out_dir);
  CheckNoOutputIsAnotherScene(batch);
  HostSession session(batch.each.host, DialogPictureFolder::Writing::kWithOutputs);
  int worst = kExitDone;
  bool dialog_used = false;
  for (const std::string& scene : batch.scenes) {
    const SceneOutcome outcome = MirrorOneScene(session, SceneRequest(batch, scene), dialog_used);
    dialog_used = dialog_used || session.PluginsLoaded();
    worst = std::max(worst, outcome.result.status);
    std::fputs(JsonLine(scene, outcome).c_str(), stdout);
    std::fflush(stdout);
  }
  return worst;
}

}  // namespace standin
