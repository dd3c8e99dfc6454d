// Writing the host's output files so that no error leaves half a file.
#pragma once

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string_view>

namespace standin {

// An output that could not be written; the message names it and the reason.
class FileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Replaces the file at `path` by one holding exactly `contents`: writes a
// temporary file beside it, flushes it to disk, then renames it over the
// target, so the target is at every moment either the old file or the
// complete new one. A symbolic link is followed (the file it names is
// replaced); an existing file's permissions are kept. On an error the
// temporary file is removed and the old file is untouched.
void ReplaceFile(std::string_view path, std::string_view contents);

// Writes `contents` to `path` with ReplaceFile, or to standard output for "-".
void WriteOutput(std::string_view path, std::string_view contents);

// Opens the file that the UTF-8 `path` names for reading bytes; null with
// errno set when it cannot be opened.
using InputFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
InputFile OpenInputFile(std::string_view path);

}  // namespace standin
