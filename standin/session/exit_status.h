// The program's exit statuses.
#pragma once

namespace standin {

enum ExitStatus : int {
  kExitDone = 0,
  kExitFailure = 1,     // an output could not be written
  kExitUsage = 2,       // unknown command or option, missing or bad value, a step a user cannot take
  kExitUnreadable = 3,  // the scene or script cannot be read
  kExitNoCommand = 4,   // no loaded plug-in registered the command a step needs
  kExitNotice = 5,      // under --strict: the run would have given a notice
};

}  // namespace standin
