#include "host/command_data.h"

// The host's defaults: a command that does nothing, is enabled and has no
// sub-ids, options or script name.
Bool CommandData::Execute(BaseDocument*, GeDialog*) { return false; }
Bool CommandData::ExecuteSubID(BaseDocument*, Int32) { return false; }
Bool CommandData::ExecuteOptionID(BaseDocument*, Int32, Int32) { return false; }
Int32 CommandData::GetState(BaseDocument*, GeDialog*) { return CMD_ENABLED; }
Bool CommandData::GetSubContainer(BaseDocument*, BaseContainer&) { return false; }
Bool CommandData::RestoreLayout(void*) { return false; }
String CommandData::GetScriptName() { return String(); }
Bool CommandData::Message(Int32, void*) { return true; }
