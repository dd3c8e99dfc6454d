// Plug-in loading with the test plug-in's variants: a good one, one that
// refuses the host, one that fails to start, libraries missing their entry
// point or declaration or declaring another table layout, a second copy,
// one whose command id is taken, and files that are no library of this
// system.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "loader/plugin_host.h"
#include "loader/shared_library.h"
#include "table/commands.h"
#include "ui/filename.h"
#include "ui_testing.h"

namespace standin::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kPlugins = TEST_PLUGINS_DIR;

fs::path Library(const std::string& name) { return kPlugins / name / (name + SharedLibrary::PluginSuffix()); }

// The header of a library of the other system, where the test plug-ins are
// not: a Windows x64 one, or a Linux x86-64 one where they are Windows ones.
void WriteForeignLibrary(const fs::path& file) {
  std::string bytes(70, '\0');
  if (SharedLibrary::PluginSuffix() == std::string(".xdl64")) {
    bytes.replace(0, 7, "\177ELF\2\1\1", 7);
    bytes[18] = 62;  // x86-64
  } else {
    bytes.replace(0, 2, "MZ");
    bytes[0x3c] = 0x40;  // where the PE header starts
    bytes.replace(0x40, 6, "PE\0\0\x64\x86", 6);
  }
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

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
    EXPECT_EQ(host.plugins()[0].module, "net.example.good");
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
  EXPECT_STREQ(load["module"].GetString(), "net.example.good");
  ASSERT_EQ(load["frameworks"].Size(), 2u);
  EXPECT_STREQ(load["frameworks"][1].GetString(), "net.example.ui.framework");
}

TEST_F(LoaderTest, LibrariesThatCannotBeUsedAreReportedAndLeftOut) {
  const fs::path foreign = kPlugins / "foreign" / (std::string("foreign") + SharedLibrary::PluginSuffix());
  WriteForeignLibrary(foreign);
  JournalCapture journal;
  std::ostringstream errors;
  PluginHost host(errors);
  EXPECT_EQ(host.LoadFolder(kPlugins), 2) << errors.str();
  ASSERT_EQ(host.plugins().size(), 2u);
  EXPECT_EQ(host.plugins()[0].path, Utf8Path(Library("good")));
  EXPECT_EQ(host.plugins()[1].path, Utf8Path(Library("same_command")));

  // One line each, naming the file, with the reason after it.
  std::istringstream lines(errors.str());
  std::map<std::string, std::string> reasons;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t colon = line.find(": ", 17);
    ASSERT_EQ(line.rfind("standin: plug-in ", 0), 0u) << line;
    ASSERT_NE(colon, std::string::npos) << line;
    reasons[line.substr(17, colon - 17)] = line.substr(colon + 2);
  }
  const fs::path copy = kPlugins / "good_copy" / Library("good").filename();
  const std::string damaged = Utf8Path(Library("damaged")), old_layout = Utf8Path(Library("old_layout"));
  EXPECT_EQ(reasons.size(), 9u) << errors.str();
  for (const char* name : {"fails_start", "no_declaration", "no_entry", "refuses"}) {
    EXPECT_EQ(reasons.count(Utf8Path(Library(name))), 1u) << name << " in:\n" << errors.str();
  }
  EXPECT_EQ(reasons[damaged], "not a library (the file has no library header)");
  EXPECT_NE(reasons[Utf8Path(foreign)].find("(wrong format or architecture)"), std::string::npos);
  EXPECT_EQ(reasons[Utf8Path(foreign)].find(Utf8Path(foreign)), std::string::npos);
  EXPECT_NE(reasons[old_layout].find("layout 0, this host has layout 1"), std::string::npos);
  // The copy names the plug-in it copies, whether the system loaded it anew
  // or handed out the one it has open.
  EXPECT_NE(reasons[Utf8Path(copy)].find(Utf8Path(Library("good"))), std::string::npos);
  EXPECT_EQ(reasons[Utf8Path(Library("same_command"))].rfind(
                "command 424242 is registered already by plug-in " + Utf8Path(Library("good")) + "; ", 0),
            0u)
      << errors.str();

  // The one that failed to start had registered its command: that is gone,
  // and it was ended; the one that refused was not. The command id stays
  // with the good plug-in: the later registration failed and its data was
  // destroyed at once.
  const std::vector<std::string> story = Story(journal);
  EXPECT_EQ(std::count(story.begin(), story.end(), "plugin.action 1 -> -3"), 1);
  EXPECT_EQ(std::count(story.begin(), story.end(), "plugin.action 2 -> 0"), 1);
  EXPECT_EQ(std::count(story.begin(), story.end(), "console register refused"), 1);
  EXPECT_EQ(std::count(story.begin(), story.end(), "console destroy"), 2);
  EXPECT_EQ(std::count(story.begin(), story.end(), "plugin.action 3 -> 1"), 1);
  EXPECT_EQ(HostCommands().commands().size(), 1u);
}

TEST_F(LoaderTest, TheSameLibraryTwiceStartsOnce) {
  JournalCapture journal;
  std::ostringstream errors;
  PluginHost host(errors);
  ASSERT_TRUE(host.LoadPlugin(Library("good")));
  EXPECT_FALSE(host.LoadPlugin(Library("good")));
  EXPECT_EQ(errors.str(), "standin: plug-in " + Utf8Path(Library("good")) + ": the same library as plug-in " +
                              Utf8Path(Library("good")) + ", loaded already\n");
  EXPECT_EQ(journal.Events("plugin.load").size(), 1u);
  EXPECT_EQ(RunCommand(424242), std::optional<bool>(true));  // the first one's code is still there
}

TEST_F(LoaderTest, AMissingPluginsFolderIsReported) {
  std::ostringstream errors;
  PluginHost host(errors);
  EXPECT_EQ(host.LoadFolder(kPlugins / "none here"), 0);
  EXPECT_EQ(errors.str().rfind("standin: plug-ins folder ", 0), 0u) << errors.str();
}

}  // namespace
}  // namespace standin::testing
