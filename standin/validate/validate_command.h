// `standin validate`: runs the plug-in through tests that a host's own use
// seldom reaches (loading and ending it over and over, its dialog closed and
// reopened, every gadget pressed with values no user could enter, random
// mirror runs undone and redone, every host call that may fail failed once)
// and stops at the first step that goes wrong.
#pragma once

#include "validate/validation.h"

namespace standin {

// Runs the tests in order, printing one line of figures for each (unless
// quiet). On the first failure prints `standin: validate: TEST step N
// (seed S): what went wrong` on standard error and returns 1; returns 0 when
// every test passed. The journal, when asked for, is that of the failing
// step, or of the last step when all passed.
int RunValidate(const ValidateRequest& request);

}  // namespace standin
