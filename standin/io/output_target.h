// What an output's path finally names, and so how it is written. Used by
// output_file.cpp and the platform writers only.
#pragma once

#include <cstddef>
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

// A hidden name beside `target` for the files made while it is written: "."
// and the target's name, cut at a whole character where needed so that
// `reserve` more units still make a name a folder takes (255 units).
std::filesystem::path HiddenNameBeside(const std::filesystem::path& target, std::size_t reserve);

// Throws FileWriteError when the existing regular file `name` (of the
// output `path`) is read-only for this user: it is refused, as cp refuses
// it, not replaced behind the user's back. Each system's own
// (staged_output_*.cpp).
void CheckReplaceable(std::string_view path, const std::filesystem::path& name);

// Whether the existing files `a` and `b` are one file (devices included),
// and whether `name` is the null device, which any number of outputs may
// share. Each system's own (staged_output_*.cpp).
bool SameFileOnDisk(const std::filesystem::path& a, const std::filesystem::path& b);
bool IsNullDevice(const std::filesystem::path& name);

// Throws FileWriteError "`path`: what: reason".
[[noreturn]] void FailOutput(std::string_view path, std::string_view what, std::string_view reason);

}  // namespace standin
