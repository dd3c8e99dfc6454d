// Starting and ending the plug-in through its entry point, and registering
// its command with the host.
#include <string>
#include <vector>

#include "flipit_ids.h"
#include "host/faults.h"
#include "host/scene_host.h"
#include "plugin_fixture.h"
#include "table/commands.h"
#include "table/host_table.h"
#include "ui/dialog_host.h"
#include "ui/filename.h"
#include "ui/memory_ops.h"

namespace vitrel::testing {
namespace {

using LifecycleTest = PluginTest;

TEST_F(LifecycleTest, RefusesHostsItCannotWorkWith) {
  struct Case {
    const char* what;
    bool table;
    int32_t version;
    int32_t abi;
    bool folder;
    int32_t expected;
  };
  const Case cases[] = {
      {"a host one version too old", true, 23099, VT_ABI_VERSION, true, -3},
      {"no host table", false, 23100, VT_ABI_VERSION, true, -3},
      {"a table of another layout", true, 23100, VT_ABI_VERSION + 1, true, -3},
      {"no plug-in folder", true, 23100, VT_ABI_VERSION, false, -3},
      {"the oldest host it accepts", true, 23100, VT_ABI_VERSION, true, 1},
      {"a newer host", true, 26000, VT_ABI_VERSION, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    VtHostTable table = standin::StandinHostTable();
    table.host_version = c.version;
    table.abi_version = c.abi;
    const std::filesystem::path folder = SourceFolder();
    const std::size_t names = standin::LiveFilenames();
    EXPECT_EQ(Init(c.table ? &table : nullptr, c.folder ? &folder : nullptr), c.expected);
    if (c.expected != 1) {
      // No copy of the folder was kept (the host's own name is the only new
      // one), and a start without a host registers nothing.
      EXPECT_EQ(standin::LiveFilenames(), names + (c.folder ? 1 : 0));
      EXPECT_EQ(c4d_main(VT_ACTION_START, nullptr, nullptr, nullptr), 0);
      EXPECT_EQ(standin::HostCommands().Find(ID_VITREL), nullptr);
    }
    End();
  }
}

TEST_F(LifecycleTest, ARefusedHostLeavesThePluginFreeToStartLater) {
  VtHostTable old = standin::StandinHostTable();
  old.host_version = 23099;
  const std::filesystem::path folder = SourceFolder();
  ASSERT_EQ(Init(&old, &folder), -3);
  // The second call is checked as a first one, not merely counted.
  EXPECT_TRUE(Start());
  EXPECT_NE(standin::HostCommands().Find(ID_VITREL), nullptr);
}

TEST_F(LifecycleTest, OnlyTheLastEndReleasesTheFolder) {
  ASSERT_EQ(Init(SourceFolder()), 1);
  const std::size_t withCopy = standin::LiveFilenames();
  ASSERT_EQ(Init(SourceFolder()), 1);
  // The second start is only counted: no second copy of the folder.
  EXPECT_EQ(standin::LiveFilenames(), withCopy + 1);

  EXPECT_EQ(Finish(), 1);
  EXPECT_EQ(standin::LiveFilenames(), withCopy + 1);
  EXPECT_EQ(Finish(), 1);
  EXPECT_EQ(standin::LiveFilenames(), withCopy);
  // An end without a start has nothing to release.
  EXPECT_EQ(Finish(), 1);
  EXPECT_EQ(standin::LiveFilenames(), withCopy);
}

TEST_F(LifecycleTest, AnswersTheOtherActionsAndMessages) {
  ASSERT_TRUE(Start());
  struct Case {
    int32_t action;
    intptr_t p1;
    int32_t expected;
  };
  const Case cases[] = {{VT_ACTION_QUERY, 0, VT_RESULT_QUERY},
                        {VT_ACTION_MESSAGE, 1, 1},
                        {VT_ACTION_MESSAGE, 0, -1},
                        {VT_ACTION_MESSAGE, 2, -1},
                        {VT_ACTION_MESSAGE, -1, -1},
                        {0, 0, -1},
                        {5, 0, -1},
                        {7, 1, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(c4d_main(c.action, reinterpret_cast<void*>(c.p1), nullptr, nullptr), c.expected)
        << "action " << c.action << " with " << c.p1;
  }
}

TEST_F(LifecycleTest, EndingReleasesEverythingThePluginHeld) {
  const std::size_t blocks = standin::LiveMemoryBlocks();
  const std::size_t names = standin::LiveFilenames();
  const std::size_t dialogs = standin::HostDialogs().All().size();
  ASSERT_TRUE(Start(PluginFolder(0, true)));
  RunCommand();
  Press(IDM_SIMPLE_USAGE);
  Press(IDM_ABOUT);
  End();
  EXPECT_EQ(standin::LiveMemoryBlocks(), blocks);
  EXPECT_EQ(standin::LiveFilenames(), names);
  EXPECT_EQ(standin::HostDialogs().All().size(), dialogs);
}

using RegistrationTest = PluginTest;

TEST_F(RegistrationTest, RegistersTheCommandWithItsIcon) {
  for (const bool picture : {true, false}) {
    SCOPED_TRACE(picture ? "with mirror.tif" : "without mirror.tif");
    ASSERT_TRUE(Start(PluginFolder(0, picture)));
    const std::vector<rapidjson::Document> registered = Events("command.register");
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_EQ(registered[0]["id"].GetInt(), ID_VITREL);
    EXPECT_STREQ(registered[0]["name"].GetString(), "Vitrel");
    EXPECT_STREQ(registered[0]["help"].GetString(), "Mirrors objects across the selected axis");
    EXPECT_EQ(registered[0]["icon"].GetBool(), picture);
    EXPECT_EQ(standin::HostCommands().Find(ID_VITREL)->flags, 0);
    End();
    ClearJournal();
  }
}

TEST_F(RegistrationTest, AFailedRegistrationIsReportedAndLeavesNothingBehind) {
  // Another command holds the id already, so the host refuses this one.
  const VtCommandCallbacks callbacks = {sizeof(VtCommandCallbacks), [](void*, VtDocument*) { return 1; },
                                        nullptr, nullptr};
  ASSERT_TRUE(standin::HostCommands().Register(ID_VITREL, "other", 0, false, "", &callbacks, nullptr));
  ASSERT_EQ(Init(SourceFolder()), 1);
  const std::size_t blocks = standin::LiveMemoryBlocks();
  EXPECT_EQ(c4d_main(VT_ACTION_START, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(ConsoleLines(), std::vector<std::string>{"Failed to register Vitrel."});
  EXPECT_EQ(standin::LiveMemoryBlocks(), blocks);
}

// Memory refused at start never registers the command under an incomplete
// name or help nor prints an incomplete line; without a copy of its folder
// the plug-in takes no icon from the working directory.
TEST_F(RegistrationTest, RefusalsAtStartMakeNothingUp) {
  const std::filesystem::path folder = PluginFolder(0, true);
  for (const int64_t count : {1, -1}) {
    for (int64_t first = 1; first <= 8; ++first) {
      ASSERT_EQ(Init(folder), 1);
      standin::HostFaults().FailFrom(standin::Fault::kAllocation, first, count);
      c4d_main(VT_ACTION_START, nullptr, nullptr, nullptr);
      standin::HostFaults().Clear();
      End();
    }
  }
  for (const rapidjson::Document& event : Events("command.register")) {
    EXPECT_EQ(std::string(event["name"].GetString()) + "|" + event["help"].GetString(),
              "Vitrel|Mirrors objects across the selected axis");
  }
  for (const std::string& line : ConsoleLines()) EXPECT_EQ(line, "Failed to register Vitrel.");

  ClearJournal();
  const std::filesystem::path working = std::filesystem::current_path();
  std::filesystem::current_path(folder);  // it holds res/mirror.tif
  standin::HostFaults().FailFrom(standin::Fault::kFilename, 1);
  const bool started = Start(folder);
  std::filesystem::current_path(working);
  ASSERT_TRUE(started);
  EXPECT_FALSE(Events("command.register").at(0)["icon"].GetBool());
}

// Whatever the host refuses while the plug-in starts and shows its dialogs,
// the plug-in goes on without it and gives back what it holds.
TEST_F(RegistrationTest, SurvivesEveryRefusalOfTheHost) {
  struct Case {
    const char* what;
    standin::Fault fault;
    int64_t first;
  };
  std::vector<Case> cases = {
      {"bitmaps", standin::Fault::kBitmap, 1},
      {"dialogs and user areas", standin::Fault::kDialog, 1},
      {"file names", standin::Fault::kFilename, 1},
      {"resources", standin::Fault::kResource, 1},
  };
  for (int64_t first = 1; first <= 40; ++first)
    cases.push_back({"memory", standin::Fault::kAllocation, first});

  const std::filesystem::path folder = PluginFolder(0, true);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " refused from call " + std::to_string(c.first));
    const std::size_t blocks = standin::LiveMemoryBlocks();
    ASSERT_EQ(Init(folder), 1);
    standin::HostFaults().FailFrom(c.fault, c.first, -1);
    const bool started = c4d_main(VT_ACTION_START, nullptr, nullptr, nullptr) == 1;
    EXPECT_EQ(started, standin::HostCommands().Find(ID_VITREL) != nullptr);
    if (started) {
      standin::RunCommand(ID_VITREL);
      for (standin::Dialog* dialog : standin::HostDialogs().All()) {
        if (dialog->plugin_id != ID_VITREL || !dialog->open) continue;
        for (int32_t id :
             {IDM_SIMPLE_USAGE, IDM_ABOUT, IDM_HELP_FILE, IDC_DUPLICATE, IDC_RESET, IDC_MIRROR}) {
          dialog->Command(id);
        }
        standin::CloseDialog(*dialog);
      }
    }
    standin::HostFaults().Clear();
    End();
    EXPECT_EQ(standin::LiveMemoryBlocks(), blocks);
  }
}

}  // namespace
}  // namespace vitrel::testing
