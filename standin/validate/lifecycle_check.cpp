// The plug-in's start and end, over and over: each cycle loads the
// plug-ins folder (actions 1 and 2), sends message 1 (action 6) and ends
// every plug-in (action 3); every fifth cycle starts twice before it ends,
// as a careless host might. The mirror command must be registered exactly
// once while the plug-in runs and be gone after it ended, and every end
// must succeed.
#include <algorithm>
#include <sstream>

#include "journal/journal.h"
#include "loader/plugin_host.h"
#include "session/mirror_options.h"
#include "table/commands.h"
#include "validate/validation.h"

namespace standin {
namespace {

constexpr int kCyclesPerStrictness = 20;
constexpr int kTwiceEvery = 5;

int64_t Registrations(int32_t id) {
  const auto& commands = HostCommands().commands();
  return std::count_if(commands.begin(), commands.end(),
                       [id](const RegisteredCommand& command) { return command.id == id; });
}

// The number of `plugin.action` events of `action`, and of those with
// result 1, in the journal text.
std::pair<int64_t, int64_t> ActionResults(const std::string& journal, int action) {
  const std::string any = "{\"event\":\"plugin.action\",\"action\":" + std::to_string(action) + ",";
  const std::string done = any + "\"result\":1}";
  int64_t calls = 0, succeeded = 0;
  for (size_t at = journal.find(any); at != std::string::npos; at = journal.find(any, at + 1)) {
    ++calls;
    if (journal.compare(at, done.size(), done) == 0) ++succeeded;
  }
  return {calls, succeeded};
}

void Cycle(Validation& validation, bool start_twice) {
  std::ostringstream problems;
  {
    PluginHost host(problems);
    const int started = host.LoadFolder(validation.host().plugins);
    if (started == 0) validation.Fail("no plug-in started: " + problems.str());
    if (!problems.str().empty()) validation.Fail("the loader refused a plug-in: " + problems.str());
    host.SendMessage(1, nullptr);
    if (start_twice) host.StartAgain();
    const int64_t registered = Registrations(kMirrorCommand);
    if (registered != 1) {
      validation.Fail("command " + std::to_string(kMirrorCommand) + " is registered " +
                      std::to_string(registered) + " times while the plug-in runs, not once");
    }
    host.UnloadAll();
  }
  if (Registrations(kMirrorCommand) != 0) {
    validation.Fail("command " + std::to_string(kMirrorCommand) +
                    " is still registered after the plug-in ended");
  }
  HostJournal().Flush();
  const auto [ends, clean] = ActionResults(validation.journal(), 3);
  if (ends == 0 || ends != clean) {
    validation.Fail(std::to_string(ends - clean) + " of " + std::to_string(ends) +
                    " end calls (action 3) did not answer 1");
  }
}

}  // namespace

std::string RunLifecycleCheck(Validation& validation) {
  // The session only sets up the host (version, options); the cycles load
  // the plug-ins themselves.
  HostSession session(validation.host());
  const int cycles = kCyclesPerStrictness * validation.strictness();
  int twice = 0;
  for (int cycle = 1; cycle <= cycles; ++cycle) {
    const bool start_twice = cycle % kTwiceEvery == 0;
    validation.Step("lifecycle", cycle, [&](Dice&) { Cycle(validation, start_twice); });
    if (start_twice) ++twice;
  }
  session.End();
  return "lifecycle: " + std::to_string(cycles) + " load and end cycles, " + std::to_string(twice) +
         " of them started twice";
}

}  // namespace standin
