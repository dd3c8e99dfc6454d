// Parses the two text formats of a plug-in's resource (see
// docs/resource-format.md): the dialog descriptions of the resource file and
// the string table of one language. Bad input gives an error with its line,
// never a crash; nesting is handled with an explicit stack, so any depth
// works.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "resources/resource.h"

namespace standin {

struct ParseError {
  int32_t line = 0;
  std::string message;
};

// Adds the descriptions of `text` to `out`. False on the first error.
bool ParseDialogDescriptions(std::string_view text, std::map<int32_t, DialogDescription>& out,
                             ParseError& error);

// Adds the texts of `text` to `out`. False on the first error.
bool ParseStringTable(std::string_view text, StringTable& out, ParseError& error);

}  // namespace standin
