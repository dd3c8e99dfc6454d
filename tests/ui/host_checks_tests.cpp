// The host's own checks on a plug-in that breaks its rules: they are
// reported as `check` events and undone, and a callback loop is cut off.
#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <filesystem>
#include <sstream>
#include <string>

#include "host/plugin_calls.h"
#include "loader/plugin_host.h"
#include "table/commands.h"
#include "table/host_table.h"
#include "ui_testing.h"

namespace standin::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> CheckWhats(JournalCapture& journal) {
  std::vector<std::string> whats;
  for (const auto& event : journal.Events("check")) whats.push_back(event["what"].GetString());
  return whats;
}

TEST(HostChecks, APluginsChangesToTheProcessAreReportedAndUndone) {
  ResetHost();
  const fs::path folder = fs::current_path();
  const std::string locale = std::setlocale(LC_ALL, nullptr);
  JournalCapture journal;
  std::ostringstream errors;
  {
    PluginHost host(errors);
    ASSERT_TRUE(host.LoadPlugin(MISBEHAVING_PLUGIN)) << errors.str();
    EXPECT_EQ(RunCommand(424242), std::optional<bool>(true));
  }
  EXPECT_EQ(fs::current_path(), folder);
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), locale);
  EXPECT_EQ(std::fegetround(), FE_TONEAREST);
  // The call from the plug-in's thread was refused: its text never arrived.
  for (const auto& event : journal.Events("console"))
    EXPECT_STRNE(event["text"].GetString(), "from a thread");
#ifdef _WIN32
  // The plug-in leaves the locale alone there.
  const std::vector<std::string> expected{"folder", "fpenv", "thread"};
#else
  const std::vector<std::string> expected{"locale", "folder", "fpenv", "thread"};
#endif
  EXPECT_EQ(CheckWhats(journal), expected);
  ResetHost();
}

// Calls into the plug-in nested `levels` deep; gives the first level that
// was refused, or 0.
int Nest(int level, int levels) {
  const PluginCall call;
  if (!call.allowed()) return level;
  return level == levels ? 0 : Nest(level + 1, levels);
}

TEST(HostChecks, ACallbackLoopIsCutOffAndReportedOncePerOutermostCall) {
  JournalCapture journal;
  EXPECT_EQ(Nest(1, kMaxPluginCallDepth), 0);
  EXPECT_TRUE(CheckWhats(journal).empty());
  EXPECT_EQ(Nest(1, 100), kMaxPluginCallDepth + 1);
  EXPECT_EQ(Nest(1, 100), kMaxPluginCallDepth + 1);
  EXPECT_EQ(CheckWhats(journal), (std::vector<std::string>{"loop", "loop"}));
}

}  // namespace
}  // namespace standin::testing
