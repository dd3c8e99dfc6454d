// Reading the host's input files (scenes, scripts) whole, by UTF-8 name.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace standin {

// Opens the file that the UTF-8 `path` names for reading bytes; null with
// errno set when it cannot be opened.
using InputFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
InputFile OpenInputFile(std::string_view path);

// Reads what is left of `file` into `text` (replacing its contents). A
// regular file is read into a buffer sized once from its length, so that a
// large file is never copied while it is read; a stream (standard input, a
// pipe) grows as it comes. False with errno set on a read error.
bool ReadRestOfFile(std::FILE* file, std::string& text);

}  // namespace standin
