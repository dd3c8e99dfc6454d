// Plug-in loading with the test plug-in's variants: a good one, one that
// refuses the host, one that fails to start, and libraries missing their
// entry point or declaration.
#include <gtest/gtest.h>

#include <sstream>

#include "abi/commands.h"
#include "loader/plugin_host.h"
#include "loader/shared_library.h"
#include "ui/filename.h"
#include "ui_testing.h"

namespace standin::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kPlugins = TEST_PLUGINS_DIR;

fs::path Library(const std::string& name) { return kPlugins / name / (name + SharedLibrary::PluginSuffix()); }

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetHost(); }
  void TearDown() override { ResetHost(); }

  // The events as "name detail" lines: console texts, action numbers and
  // results, so that the order reads at a glance.
  static std::vector<std::string> Story(JournalCapture& journal) {
    std::vector<std::string> story;
    for (const auto& event : journal.Events()) {
      std::string line = event["event"].GetString();
      if (line == "console") line += std::string(" ") + event["text"].GetString();
      if (line == "plugin.action") {
        line += " " + std::to_string(event["action"].GetInt()) + " -> " +
                std::to_string(event["result"].GetInt());
      }
      story.push_back(line);
    }
    return story;
  }
};

TEST_F(LoaderTest, AGoodPlugInStartsRegistersAndEndsInOrder) {
  JournalCapture journal;
  std::ostringstream errors;
  const fs::path library = Library("good");
  const std::string folder = Utf8Path(fs::absolute(library).lexically_normal().parent_path());
  {
    PluginHost host(errors);
    ASSERT_TRUE(host.LoadPlugin(library));
    ASSERT_NE(HostCommands().Find(424242), nullptr);
    EXPECT_EQ(RunCommand(424242), std::optional<bool>(true));
    EXPECT_EQ(host.SendMessage(1, nullptr), std::vector<int32_t>{1});
    EXPECT_EQ(host.SendMessage(2, nullptr), std::vector<int32_t>{-1});
    ASSERT_EQ(host.plugins().size(), 1u);
    EXPECT_EQ(host.plugins()[0].module, "net.example.probe");
  }  // the host ends its plug-ins
  EXPECT_EQ(HostCommands().Find(424242), nullptr);
  EXPECT_TRUE(errors.str().empty()) << errors.str();
  EXPECT_EQ(Story(journal),
            (std::vector<std::string>{"plugin.load", "console folder " + folder, "plugin.action 1 -> 1",
                                      "command.register", "plugin.action 2 -> 1", "console execute",
                                      "plugin.action 6 -> 1", "plugin.action 6 -> -1", "console destroy",
                                      "console end", "plugin.action 3 -> 1"}));
  auto loads = journal.Events("plugin.load");
  const auto& load = loads.at(0);
  EXPECT_EQ(load["path"].GetString(), Utf8Path(library));
  EXPECT_STREQ(load["module"].GetString(), "net.example.probe");
  ASSERT_EQ(load["frameworks"].Size(), 2u);
  EXPECT_STREQ(load["frameworks"][1].GetString(), "net.example.ui.framework");
}

TEST_F(LoaderTest, LibrariesThatCannotBeUsedAreReportedAndLeftOut) {
  JournalCapture journal;
  std::ostringstream errors;
  PluginHost host(errors);
  EXPECT_EQ(host.LoadFolder(kPlugins), 1) << errors.str();
  ASSERT_EQ(host.plugins().size(), 1u);
  EXPECT_EQ(host.plugins()[0].path, Utf8Path(Library("good")));

  const std::string report = errors.str();
  for (const char* name : {"fails_start", "no_declaration", "no_entry", "refuses"}) {
    const std::string line = "standin: plug-in " + Utf8Path(Library(name)) + ": ";
    EXPECT_NE(report.find(line), std::string::npos) << name << " in:\n" << report;
  }
  EXPECT_NE(report.find("damaged"), std::string::npos) << "a file that is no library is reported too";
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 5);

  // The one that failed to start had registered its command: that is gone,
  // and it was ended; the one that refused was not.
  const std::vector<std::string> story = Story(journal);
  EXPECT_EQ(std::count(story.begin(), story.end(), "plugin.action 1 -> -3"), 1);
  EXPECT_EQ(std::count(story.begin(), story.end(), "plugin.action 2 -> 0"), 1);
  EXPECT_EQ(std::count(story.begin(), story.end(), "console destroy"), 1);
  EXPECT_EQ(std::count(story.begin(), story.end(), "plugin.action 3 -> 1"), 1);
  EXPECT_EQ(HostCommands().commands().size(), 1u);
}

TEST_F(LoaderTest, AMissingPluginsFolderIsReported) {
  std::ostringstream errors;
  PluginHost host(errors);
  EXPECT_EQ(host.LoadFolder(kPlugins / "none here"), 0);
  EXPECT_EQ(errors.str().rfind("standin: plug-ins folder ", 0), 0u) << errors.str();
}

}  // namespace
}  // namespace standin::testing
