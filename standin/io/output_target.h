// What an output's path finally names, and so how it is written. Used by
// output_file.cpp and the platform writers only.
#pragma once

#include <filesystem>
#include <string_view>

namespace standin {

enum class OutputRoute {
  kReplace,  // a regular file or a missing one: written aside, renamed over it
  kDirect,   // a device, a FIFO, a socket: opened and written, never replaced
};

struct OutputTarget {
  OutputRoute route = OutputRoute::kReplace;
  // kReplace: the name finally pointed at, links followed (a dangling link
  // gives the name it would create), so that the link itself stays.
  // kDirect: the path as given; opening it follows links.
  std::filesystem::path name;
};

// The path `utf8` in the system's own encoding.
std::filesystem::path NativeOutputPath(std::string_view utf8);

// Examines the target of an output named `path` (UTF-8, not "-"). Throws
// FileWriteError for a target that cannot or must not be written: a folder,
// a block device, a link loop, a missing folder.
OutputTarget ExamineOutputTarget(std::string_view path);

// The folder a temporary file for `name` goes in.
std::filesystem::path FolderOf(const std::filesystem::path& name);

// Throws FileWriteError "`path`: what: reason".
[[noreturn]] void FailOutput(std::string_view path, std::string_view what, std::string_view reason);

}  // namespace standin
