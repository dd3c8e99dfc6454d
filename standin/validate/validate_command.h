// `standin validate`: runs the plug-in through tests that a host's own use
// seldom reaches (loading and ending it over and over, its dialog closed and
// reopened, every gadget pressed with values no user could enter, random
// mirror runs undone and redone, every host call that may fail failed once),
// each check stopping at its first step that goes wrong.
#pragma once

#include "validate/validation.h"

namespace standin {

// Runs the chosen checks (all when none was named) in the table's order,
// printing `PASS <figures>` or `FAIL NAME: step N (seed S): what went wrong`
// for each and `N passed, M failed` at the end (none of it when quiet). A
// check stops at its first failing step, which is also named on standard
// error as `standin: validate: NAME step N (seed S): what went wrong`; the
// checks after it still run. Returns 1 when any check failed, else 0. The
// journal, when asked for, is that of the first failing step, or of the last
// step when all passed. With `list`, prints each check's name and what it
// checks instead.
int RunValidate(const ValidateRequest& request);

}  // namespace standin
