// The errors that end the program, each with its own exit status (beside
// those of reading files, scenes and scripts, and writing them, io/).
#pragma once

#include <stdexcept>
#include <string>

#include "session/exit_status.h"

namespace standin {

// An error that ends a run with its own exit status, which it carries: the
// program and each scene of a batch report it as they find it.
class CommandError : public std::runtime_error {
 public:
  CommandError(ExitStatus status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  ExitStatus status() const { return status_; }

 private:
  ExitStatus status_;
};

// A command line that does not fit its command (exit 2).
class UsageError : public CommandError {
 public:
  explicit UsageError(const std::string& message) : CommandError(kExitUsage, message) {}
};

// Something a user cannot do in the host: change a disabled gadget, press a
// button the dialog lacks, select an object the scene lacks. A usage error
// (exit 2) whose message says all there is to say.
class UserActionError : public UsageError {
 public:
  using UsageError::UsageError;
};

// A step needs a command that no loaded plug-in registered (exit 4).
class CommandMissingError : public CommandError {
 public:
  explicit CommandMissingError(const std::string& message) : CommandError(kExitNoCommand, message) {}
};

// The plug-in did not do what a step needs of it (the mirror command opened
// no dialog, say): exit 1.
class StepFailedError : public CommandError {
 public:
  explicit StepFailedError(const std::string& message) : CommandError(kExitFailure, message) {}
};

// Under --strict, what would otherwise be a notice on standard error (the
// mirror changed nothing, the host refused a write): a batch log keeps the
// exit status where it would lose the line (exit 5).
class NoticeError : public CommandError {
 public:
  explicit NoticeError(const std::string& message) : CommandError(kExitNotice, message) {}
};

// A step a user cannot take because the host failed a request of the
// plug-in (it could not add the pop-up entry chosen): the host's failure,
// exit 1, where the plug-in coped as it should.
class HostRefusalError : public StepFailedError {
 public:
  using StepFailedError::StepFailedError;
};

}  // namespace standin
