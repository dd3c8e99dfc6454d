// Starting a program as a test's child process, the same way on every
// system: its working folder and its three standard streams given as files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vitrel::test_support {

struct ChildStreams {
  std::filesystem::path in, out, err;
};

// Runs `program` with `args` in `folder` and waits for it. Gives its exit
// status, or -1 when it did not exit normally (a signal, a crash).
// Throws std::runtime_error when it cannot be started.
int RunChild(const std::filesystem::path& program, const std::vector<std::string>& args,
             const std::filesystem::path& folder, const ChildStreams& streams);

}  // namespace vitrel::test_support
