// The host's plug-in data classes. A command derives from CommandData and
// overrides the operations it needs; the host owns the object once it is
// registered and destroys it when it unloads the plug-in.
#pragma once

#include "host/host_string.h"
#include "host/host_types.h"

class BaseDocument;
class BaseContainer;
class GeDialog;

class BaseData {
 public:
  BaseData() = default;
  BaseData(const BaseData&) = delete;
  BaseData& operator=(const BaseData&) = delete;
  virtual ~BaseData() = default;
};

// State bits of GetState.
inline constexpr Int32 CMD_ENABLED = 0x40000000;

class CommandData : public BaseData {
 public:
  // Runs the command in the active document; true when it did its work.
  // `parentManager` is the dialog the command was started from, if any.
  virtual Bool Execute(BaseDocument* doc, GeDialog* parentManager);
  virtual Bool ExecuteSubID(BaseDocument* doc, Int32 subid);
  virtual Bool ExecuteOptionID(BaseDocument* doc, Int32 plugid, Int32 subid);
  // The command's menu state: CMD_ENABLED and further state bits.
  virtual Int32 GetState(BaseDocument* doc, GeDialog* parentManager);
  virtual Bool GetSubContainer(BaseDocument* doc, BaseContainer& submenu);
  virtual Bool RestoreLayout(void* secret);
  virtual String GetScriptName();
  virtual Bool Message(Int32 type, void* data);
};
