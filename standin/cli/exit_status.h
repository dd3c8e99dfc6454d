// The program's exit statuses.
#pragma once

namespace standin {

enum ExitStatus : int {
  kExitDone = 0,
  kExitFailure = 1,     // an output could not be written
  kExitUsage = 2,       // unknown command or option, missing or bad value
  kExitUnreadable = 3,  // the scene cannot be read
};

}  // namespace standin
