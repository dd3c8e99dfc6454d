// The errors that end the program, each with its own exit status (beside
// those of reading and writing files, io/).
#pragma once

#include <stdexcept>

namespace standin {

// A command line that does not fit its command; the program's exit status
// is then 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

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

// Under --strict, what would otherwise be a notice on standard error (the
// mirror changed nothing, the host refused a write): a batch log keeps the
// exit status where it would lose the line (exit 5).
class NoticeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A step a user cannot take because the host failed a request of the
// plug-in (it could not add the pop-up entry chosen): the host's failure,
// exit 1, where the plug-in coped as it should.
class HostRefusalError : public StepFailedError {
 public:
  using StepFailedError::StepFailedError;
};

// A script that cannot be read: missing, or a line that is no step (exit 3).
class ScriptReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace standin
