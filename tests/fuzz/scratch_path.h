// A path of this fuzz process's own for the readers that take a file rather
// than bytes. It lies in memory (/dev/shm) where the system has that, since
// the input is written there on every run; it is removed at exit.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline std::filesystem::path ScratchPath(const std::string& name) {
  static std::filesystem::path removed_at_exit;
  const std::filesystem::path memory = "/dev/shm";
  const std::filesystem::path folder =
      std::filesystem::is_directory(memory) ? memory : std::filesystem::temp_directory_path();
  removed_at_exit = folder / ("vitrel-fuzz-" + std::to_string(getpid()) + "-" + name);
  std::atexit([] { std::filesystem::remove_all(removed_at_exit); });
  return removed_at_exit;
}
