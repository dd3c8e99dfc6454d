// The conventions of command lines that users bring from other tools: `help
// COMMAND`, `--` before operands that begin with '-', a suggestion for a
// misspelled command, and no binary output on a terminal.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// `words` with `help` (alone, or before one of `commands`) read as the
// `--help` it stands for. A word after `help` that is no command is a usage
// error that offers the nearest command.
std::vector<std::string> WithHelpCommandRead(std::span<const std::string_view> words,
                                             const std::vector<std::string>& commands);

// "; did you mean mirror?" for the command nearest to `word` when a slip of
// the keys or two explains it; "" when none is near.
std::string DidYouMean(std::string_view word, const std::vector<std::string>& commands);

// The parser keeps the `--` that ended the options among the words it did
// not take; it is no stray word.
void DropEndOfOptions(std::vector<std::string>& left);

// A usage error when `path` is standard output and that is a terminal: PNG
// bytes would garble it. A user who wants them there names the terminal
// itself.
void RefuseBinaryOnTerminal(std::string_view option, std::string_view path);

}  // namespace standin
