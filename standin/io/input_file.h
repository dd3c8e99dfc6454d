// Reading the host's input files (scenes, scripts) whole, by UTF-8 name,
// under the rule of io/regular_input.h.
#pragma once

#include <string>
#include <string_view>

#include "base/regular_input.h"

namespace standin {

// Opens the file that the UTF-8 `path` names for reading bytes, whatever it
// is; null with errno set when it cannot be opened.
InputFile OpenInputFile(std::string_view path);

// The whole of the input that the UTF-8 `path` names ("-": standard input)
// as `kind` allows it; false with `reason` (not naming the path) otherwise.
bool ReadWholeInput(std::string_view path, const InputKind& kind, std::string& text, std::string& reason);
bool ReadWholeInput(std::string_view path, const InputKind& kind, InputText& text, std::string& reason);

}  // namespace standin
