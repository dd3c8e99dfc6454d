// The plug-in's start, messages and end as the host drives them, and the
// command it registers.
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

using EndToEndLifecycle = StandinTest;

std::vector<int> ActionResults(const std::vector<rapidjson::Document>& events, int action) {
  std::vector<int> results;
  for (const rapidjson::Document& event : events) {
    if (event["action"].GetInt() == action) results.push_back(event["result"].GetInt());
  }
  return results;
}

TEST_F(EndToEndLifecycle, HostVersionDecidesWhetherThePluginStarts) {
  struct Case {
    int version;
    std::vector<int> first_call;
    bool starts;
  };
  for (const Case& c : {Case{23099, {-3}, false}, Case{23100, {1}, true}, Case{26000, {1}, true}}) {
    SCOPED_TRACE(c.version);
    const ProgramRun run =
        Script("message 1\ncommand 1024416\n", {"--host-version", std::to_string(c.version)});
    const std::vector<rapidjson::Document> actions = Events("plugin.action");
    EXPECT_EQ(ActionResults(actions, 1), c.first_call);
    EXPECT_EQ(Events("command.register").size(), c.starts ? 1u : 0u);
    if (c.starts) {
      EXPECT_EQ(run.status, 0) << run.err;
      EXPECT_EQ(ActionResults(actions, 2), std::vector<int>{1});
      EXPECT_EQ(ActionResults(actions, 3), std::vector<int>{1});
    } else {
      // A refused host is never called again: no start, no message, no end.
      EXPECT_EQ(run.status, 4);
      EXPECT_NE(run.err.find("refused the host"), std::string::npos) << run.err;
      EXPECT_NE(run.err.find("steps.txt:2: no loaded plug-in registered command 1024416"), std::string::npos);
      EXPECT_EQ(actions.size(), 1u);
    }
  }
}

TEST_F(EndToEndLifecycle, OnlyMessageOneIsAnswered) {
  const ProgramRun run = Script("message 1\nmessage 0\nmessage 2\nmessage -1\nmessage 1\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ActionResults(Events("plugin.action"), 6), (std::vector<int>{1, -1, -1, -1, 1}));
}

TEST_F(EndToEndLifecycle, RegistersTheCommandWithOrWithoutItsIcon) {
  const fs::path without_icon = PluginsCopy();
  fs::remove(without_icon / "vitrel" / "res" / "mirror.tif");
  for (const bool icon : {true, false}) {
    SCOPED_TRACE(icon ? "with mirror.tif" : "without mirror.tif");
    const fs::path plugins = icon ? Plugins() : without_icon;
    ASSERT_EQ(Script("message 1\n", {"--plugins", plugins.string()}).status, 0);
    const std::vector<rapidjson::Document> registered = Events("command.register");
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_EQ(registered[0]["id"].GetInt(), kMirrorCommand);
    EXPECT_STREQ(registered[0]["name"].GetString(), "Vitrel");
    EXPECT_STREQ(registered[0]["help"].GetString(), "Mirrors objects across the selected axis");
    EXPECT_EQ(registered[0]["icon"].GetBool(), icon);
    // The command works the same without its icon.
    const ProgramRun mirrored =
        Standin({"mirror", Example("arm.json").string(), "--plugins", plugins.string(), "--out", "out.json"});
    EXPECT_EQ(mirrored.status, 0) << mirrored.err;
  }
}

}  // namespace
}  // namespace vitrel::e2e
