// `standin script FILE`: a session of the host run step by step from a file.
#pragma once

#include <string>

#include "session/host_session.h"

namespace standin {

struct ScriptRequest {
  std::string script;  // a path, or "-" for standard input
  HostSettings host;
};

// Reads the whole script and checks every line before the first step runs;
// then runs the steps in order and stops at the first that fails, its error
// naming FILE:LINE.
int RunScript(const ScriptRequest& request);

// The steps a script may hold, one line each, for help texts.
std::string ScriptStepsHelp();

}  // namespace standin
