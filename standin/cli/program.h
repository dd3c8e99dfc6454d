// The `standin` program: its subcommands, help, version and exit statuses.
#pragma once

#include <span>
#include <string_view>

namespace standin {

// Runs the command line `words` (without the program's name) and gives the
// exit status. Errors go to standard error as one line beginning "standin:".
int RunProgram(std::span<const std::string_view> words);

}  // namespace standin
