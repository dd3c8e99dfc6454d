// `standin script FILE`: a session of the host run step by step from a file.
#pragma once

#include "cli/arguments.h"

namespace standin {

// Reads the whole script and checks every line before the first step runs;
// then runs the steps in order and stops at the first that fails, its error
// naming FILE:LINE.
int RunScript(Arguments& arguments);

}  // namespace standin
