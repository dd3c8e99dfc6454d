// The plug-in's engine bound in-process to the stand-in host's table, as the
// engine tests bind it: one session for the whole program, a mirror dialog
// whose gadgets hold the options a run reads, and the scene a case measures
// kept from one call of the case to the next, so that a scene is built once
// per size rather than once per timing trial.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "scene/document.h"

class FlipItDialog;

namespace vitrel::bench {

class EngineSession {
 public:
  // The one session of the program, bound on first use.
  static EngineSession& Get();

  // The active document holding the scene named `key`. A key other than the
  // last one asked for starts a fresh host scene and builds it with `build`;
  // the same key hands back the scene as the last call left it.
  standin::Document& SceneFor(const std::string& key, const std::function<void(standin::Document&)>& build);

  // Sets the options a first opening of the dialog shows (axis X, move and
  // rotate, points mirrored, the polygon command run, everything else off).
  void SetDefaultOptions();

  // One mirror run over the selection, as pressing the dialog's button does:
  // one undo group with every change registered in it.
  void Run();
  // Takes back or brings back the last run; false when there was none.
  bool Undo();
  bool Redo();
  // True while every change the host saw was registered for undo first.
  bool EveryChangeRegistered() const;

  EngineSession(const EngineSession&) = delete;
  EngineSession& operator=(const EngineSession&) = delete;

 private:
  EngineSession();
  ~EngineSession();

  std::unique_ptr<FlipItDialog> dialog_;
  std::string scene_key_;
};

}  // namespace vitrel::bench
