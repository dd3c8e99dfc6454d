#include "io/script_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "io/input_file.h"

namespace standin {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

class LineSplitter {
 public:
  LineSplitter(std::string_view line, std::string where) : line_(line), where_(std::move(where)) {}

  std::vector<std::string> Words() {
    std::vector<std::string> words;
    for (;;) {
      while (at_ < line_.size() && IsBlank(line_[at_])) ++at_;
      if (at_ == line_.size() || line_[at_] == '#') return words;
      words.push_back(line_[at_] == '"' ? Quoted() : Plain());
    }
  }

 private:
  std::string Plain() {
    const size_t start = at_;
    while (at_ < line_.size() && !IsBlank(line_[at_])) ++at_;
    return std::string(line_.substr(start, at_ - start));
  }

  std::string Quoted() {
    std::string word;
    for (++at_; at_ < line_.size(); ++at_) {
      char c = line_[at_];
      if (c == '"') {
        ++at_;
        if (at_ < line_.size() && !IsBlank(line_[at_])) Fail("a closing quote must end its word");
        return word;
      }
      if (c == '\\' && at_ + 1 < line_.size() && (line_[at_ + 1] == '"' || line_[at_ + 1] == '\\'))
        c = line_[++at_];
      word += c;
    }
    Fail("a quote is left open");
  }

  [[noreturn]] void Fail(const std::string& what) const { throw ScriptReadError(where_ + what); }

  std::string_view line_;
  std::string where_;
  size_t at_ = 0;
};

}  // namespace

std::string ReadScriptText(std::string_view path) {
  const std::string name = path == "-" ? "<stdin>" : std::string(path);
  std::string text;
  std::string reason;
  if (!ReadWholeInput(path, kScriptInput, text, reason)) throw ScriptReadError(name + ": " + reason);
  return text;
}

std::vector<ScriptLine> SplitScript(std::string_view text, std::string_view file_name) {
  std::vector<ScriptLine> lines;
  // Editors on Windows start UTF-8 files with a byte order mark; the scene
  // reader skips one too.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    const std::string where = std::string(file_name) + ":" + std::to_string(number) + ": ";
    // The system ends a path at a NUL byte: "load arm.json\0x" would load
    // arm.json, and every message would stop there.
    if (const size_t nul = line.find('\0'); nul != std::string_view::npos) {
      throw ScriptReadError(where + "a NUL byte at column " + std::to_string(nul + 1) +
                            "; a script is text, one step per line");
    }
    std::vector<std::string> words = LineSplitter(line, where).Words();
    if (!words.empty()) lines.push_back({number, std::move(words)});
  }
  return lines;
}

}  // namespace standin
