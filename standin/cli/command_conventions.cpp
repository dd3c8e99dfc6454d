#include "cli/command_conventions.h"

#include <algorithm>
#include <cstdio>

#include "base/quoted_text.h"
#include "session/command_errors.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace standin {
namespace {

// Edits (a letter added, dropped, changed, or two neighbours swapped)
// between `a` and `b`.
size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> cost(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) cost[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) cost[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t change = cost[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      cost[i][j] = std::min({cost[i - 1][j] + 1, cost[i][j - 1] + 1, change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        cost[i][j] = std::min(cost[i][j], cost[i - 2][j - 2] + 1);
    }
  }
  return cost[a.size()][b.size()];
}

bool StandardOutputIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stdout)) != 0;
#else
  return isatty(STDOUT_FILENO) != 0;
#endif
}

}  // namespace

std::vector<std::string> WithHelpCommandRead(std::span<const std::string_view> words,
                                             const std::vector<std::string>& commands) {
  std::vector<std::string> read(words.begin(), words.end());
  if (read.empty() || read.front() != "help") return read;
  if (read.size() == 1) return {"--help"};
  const std::string& command = read[1];
  if (std::find(commands.begin(), commands.end(), command) == commands.end()) {
    throw UsageError("help: unknown command " + ShowInMessage(command) + DidYouMean(command, commands) +
                     " (see standin --help)");
  }
  if (read.size() > 2)
    throw UsageError("help takes one command, not " + ShowInMessage(read[2]) + " (see standin --help)");
  return {command, "--help"};
}

std::string DidYouMean(std::string_view word, const std::vector<std::string>& commands) {
  const std::string* nearest = nullptr;
  size_t least = 3;  // three edits or more make another word, not a slip
  for (const std::string& command : commands) {
    const size_t distance = EditDistance(word, command);
    if (distance < least) {
      least = distance;
      nearest = &command;
    }
  }
  // A command cut short ("mir") is as clear as one mistyped.
  for (const std::string& command : commands) {
    if (nearest == nullptr && word.size() >= 3 && command.starts_with(word)) nearest = &command;
  }
  return nearest != nullptr ? "; did you mean " + *nearest + "?" : std::string();
}

void DropEndOfOptions(std::vector<std::string>& left) {
  const auto end_of_options = std::find(left.begin(), left.end(), "--");
  if (end_of_options != left.end()) left.erase(end_of_options);
}

void RefuseBinaryOnTerminal(std::string_view option, std::string_view path) {
  if (path != "-" || !StandardOutputIsTerminal()) return;
  throw UsageError(std::string(option) +
                   " -: standard output is a terminal, which PNG bytes would garble; redirect it "
                   "or name a file");
}

}  // namespace standin
