// Script files of `standin script`: lines of words.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// A script that cannot be read: missing, or a line that is no step (the
// program's exit status 3).
class ScriptReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ScriptLine {
  int number = 0;  // counting from 1
  std::vector<std::string> words;
};

// The text of the script file at `path` ("-": standard input); throws
// ScriptReadError when it cannot be read.
std::string ReadScriptText(std::string_view path);

// The lines of `text` that hold words. Words are separated by blanks; a
// word beginning with '"' runs to the next unescaped '"' (\" and \\ stand
// for the characters themselves), so it may hold blanks or be empty; an
// unquoted word beginning with '#' starts a comment that ends the line.
// Throws ScriptReadError "FILE:LINE: ..." for a quote left open or a
// closing quote followed by more of the word.
std::vector<ScriptLine> SplitScript(std::string_view text, std::string_view file_name);

}  // namespace standin
