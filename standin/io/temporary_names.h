// The temporary files that outputs are written to before they are put in
// place, known by name so that an interrupted run removes them: a
// registry that a signal handler (a console control handler on
// Windows) reads without allocating or locking anything of the program's.
#pragma once

#include <filesystem>

#ifndef _WIN32
#include <csignal>
#endif

namespace standin {

// While one exists, an interruption waits: made around creating a temporary
// file and registering its name, and around removing it and forgetting its
// name, so that no interruption falls between the two.
class InterruptionsHeld {
 public:
  InterruptionsHeld();
  ~InterruptionsHeld();
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

 private:
#ifndef _WIN32
  sigset_t saved_;
#endif
};

// Installs, once, what removes temporary files when the program is
// interrupted (a signal the program ignores, as under nohup, stays ignored),
// and on POSIX systems ignores SIGXFSZ so that a write past the file-size
// limit fails as an error.
void PrepareForOutputs();

// Registers the temporary file `name`, to be removed when the program is
// interrupted; the first call calls PrepareForOutputs. Any number may be
// registered at once. Returns the slot to forget it by, or -1 when there is
// no memory left to keep it. Call it with interruptions held.
int RememberTemporary(const std::filesystem::path& name);

// The temporary file in `slot` is gone or in place. Call it with
// interruptions held, after removing or renaming the file.
void ForgetTemporary(int slot);

}  // namespace standin
