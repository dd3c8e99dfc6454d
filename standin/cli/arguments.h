// The words of a command line after the subcommand's name.
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace standin {

// A command line that does not fit its command; the program's exit status
// is then 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Hands out the words one by one, so that each command reads its operands
// and options in order and the rest is a usage error.
class Arguments {
 public:
  explicit Arguments(std::span<const std::string_view> words) : words_(words) {}

  bool empty() const { return next_ == words_.size(); }

  // The next word as the operand named `what` ("SCENE"). A word beginning
  // with '-' (other than "-" itself) is an unknown option here.
  std::string_view Operand(std::string_view what) {
    if (empty()) throw UsageError("missing " + std::string(what));
    const std::string_view word = words_[next_];
    if (IsOption(word)) throw UsageError("unknown option " + std::string(word));
    ++next_;
    return word;
  }

  // The next word as an option's name ("--axis"); a word that is no option
  // here is an unexpected argument.
  std::string_view Option() {
    if (empty()) throw UsageError("missing option");
    const std::string_view word = words_[next_];
    if (!IsOption(word)) throw UsageError("unexpected argument " + std::string(word));
    ++next_;
    return word;
  }

  // The word after `option` as its value, whatever it begins with (a suffix
  // may well start with '-').
  std::string_view Value(std::string_view option) {
    if (empty()) throw UsageError("missing value for " + std::string(option));
    return words_[next_++];
  }

  // Ends the command line: any word left over is a usage error.
  void ExpectEnd() const {
    if (empty()) return;
    const std::string_view word = words_[next_];
    if (IsOption(word)) throw UsageError("unknown option " + std::string(word));
    throw UsageError("unexpected argument " + std::string(word));
  }

 private:
  static bool IsOption(std::string_view word) { return word.size() > 1 && word.front() == '-'; }

  std::span<const std::string_view> words_;
  size_t next_ = 0;
};

}  // namespace standin
