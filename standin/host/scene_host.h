// The host's scene state, one per process: the scene that owns every
// object, the active document, and the handles the plug-in holds. The host
// table's entries have no context argument, so they reach it through
// TheSceneHost().
#pragma once

#include <memory>

#include "host/scene_handles.h"
#include "scene/document.h"

namespace standin {

class SceneHost {
 public:
  SceneHost();
  ~SceneHost();
  SceneHost(const SceneHost&) = delete;
  SceneHost& operator=(const SceneHost&) = delete;

  Scene& scene() { return *scene_; }
  // The document the plug-in's calls act on; null when there is none.
  Document* active_document() const { return active_; }
  void SetActiveDocument(Document* doc) { active_ = doc; }
  SceneHandles& handles() { return *handles_; }

  // Starts afresh: a new scene with one empty active document, no handles,
  // no injected faults and no journal counts. Every object, document and
  // handle from before is gone.
  void Reset();

 private:
  std::unique_ptr<SceneHandles> handles_;
  std::unique_ptr<Scene> scene_;
  Document* active_ = nullptr;
};

SceneHost& TheSceneHost();

}  // namespace standin
