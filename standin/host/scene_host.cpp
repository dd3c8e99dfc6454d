#include "host/scene_host.h"

#include "host/faults.h"
#include "journal/journal.h"

namespace standin {

SceneHost::SceneHost() { Reset(); }

SceneHost::~SceneHost() = default;

void SceneHost::Reset() {
  // Handles point into the scene, so they go first.
  handles_ = std::make_unique<SceneHandles>();
  active_ = nullptr;
  scene_ = std::make_unique<Scene>();
  active_ = &scene_->NewDocument();
  HostFaults().Clear();
  HostJournal().ClearCounts();
}

SceneHost& TheSceneHost() {
  static SceneHost host;
  return host;
}

}  // namespace standin
