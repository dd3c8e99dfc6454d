// Errors of the subcommands that drive plug-ins, beside UsageError
// (arguments.h); each ends the program with its own exit status.
#pragma once

#include <stdexcept>

#include "cli/arguments.h"

namespace standin {

// Something a user cannot do in the host: change a disabled gadget, press a
// button the dialog lacks, select an object the scene lacks. A usage error
// (exit 2) whose message says all there is to say.
class UserActionError : public UsageError {
 public:
  using UsageError::UsageError;
};

// A step needs a command that no loaded plug-in registered (exit 4).
class CommandMissingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The plug-in did not do what a step needs of it (the mirror command opened
// no dialog, say): exit 1.
class StepFailedError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A script that cannot be read: missing, or a line that is no step (exit 3).
class ScriptReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace standin
