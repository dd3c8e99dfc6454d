#include "engine_session.h"

#include <cstdio>
#include <cstdlib>

#include "flipit.h"
#include "flipit_ids.h"
#include "host/host_table.h"
#include "host/scene_host.h"
#include "journal/journal.h"
#include "mirror.h"
#include "table/host_table.h"
#include "undo/undo_history.h"

namespace vitrel::bench {

EngineSession& EngineSession::Get() {
  static EngineSession session;
  return session;
}

EngineSession::EngineSession() {
  standin::TheSceneHost().Reset();
  // As `standin mirror` without a journal file: events are counted, not written.
  standin::HostJournal().SetOutput(nullptr);
  if (!vitrel::host::Bind(&standin::StandinHostTable())) {
    std::fputs("vitrel-bench: the stand-in host's table does not fit the plug-in\n", stderr);
    std::exit(1);
  }
  // Without a plug-in folder there is no dialog description: the gadgets are
  // made as the dialog writes its settings into them.
  dialog_ = std::make_unique<FlipItDialog>();
  dialog_->Open(DLG_TYPE::ASYNC, ID_VITREL, -1, -1, 0, 0, 0);
  SetDefaultOptions();
}

EngineSession::~EngineSession() {
  dialog_.reset();
  vitrel::host::Unbind();
}

standin::Document& EngineSession::SceneFor(const std::string& key,
                                           const std::function<void(standin::Document&)>& build) {
  standin::SceneHost& host = standin::TheSceneHost();
  if (key != scene_key_) {
    // The key is forgotten first, so that a build that throws leaves no
    // half-built scene to be taken for a finished one.
    scene_key_.clear();
    host.Reset();
    build(*host.active_document());
    scene_key_ = key;
  }
  return *host.active_document();
}

void EngineSession::SetDefaultOptions() {
  FlipItDialog& dialog = *dialog_;
  dialog.SetInt32(IDC_AXIS, AXIS_X);
  dialog.SetInt32(IDC_POSITIONING, POSITION_MOVE_ROTATE);
  dialog.SetBool(IDC_MIRROR_POINTS, true);
  for (Int32 id : {IDC_DUPLICATE, IDC_DUPLICATE_WITHOUT_CHILDREN, IDC_SKIP_CHILDREN, IDC_SKIP_PRIMITIVES,
                   IDC_SKIP_POLYGON_COMMAND, IDC_FINAL_COMMAND}) {
    dialog.SetBool(id, false);
  }
}

void EngineSession::Run() { MirrorRun(*dialog_); }

bool EngineSession::Undo() { return standin::Undo(*standin::TheSceneHost().active_document()); }

bool EngineSession::Redo() { return standin::Redo(*standin::TheSceneHost().active_document()); }

bool EngineSession::EveryChangeRegistered() const {
  return standin::HostJournal().Count("undo.missing") == 0;
}

}  // namespace vitrel::bench
