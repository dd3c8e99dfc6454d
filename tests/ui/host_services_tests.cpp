// Memory, file names, messages and commands as the plug-in reaches them
// through the host table.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "host/faults.h"
#include "table/commands.h"
#include "ui/filename.h"
#include "ui/host_options.h"
#include "ui/memory_ops.h"
#include "ui_testing.h"

namespace standin::testing {
namespace {

class HostServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetHost(); }
  void TearDown() override { ResetHost(); }
  const VtHostTable& table = StandinHostTable();
};

TEST_F(HostServicesTest, TheTableIsCompleteAndAnnouncesItsVersion) {
  EXPECT_EQ(table.host_version, kDefaultHostVersion);
  EXPECT_EQ(table.abi_version, VT_ABI_VERSION);
  EXPECT_EQ(table.size, sizeof(VtHostTable));
  // Every entry of every sub-table is filled: scan them as pointers.
  auto all_filled = [](const void* ops, std::size_t bytes) {
    const auto* base = static_cast<const unsigned char*>(ops);
    for (std::size_t at = sizeof(void*); at + sizeof(void*) <= bytes; at += sizeof(void*)) {
      void* entry = nullptr;
      std::memcpy(&entry, base + at, sizeof entry);
      if (entry == nullptr) return false;
    }
    return true;
  };
  EXPECT_TRUE(all_filled(table.memory, sizeof(VtMemoryOps)));
  EXPECT_TRUE(all_filled(table.scene, sizeof(VtSceneOps)));
  EXPECT_TRUE(all_filled(table.files, sizeof(VtFileOps)));
  EXPECT_TRUE(all_filled(table.plugins, sizeof(VtPluginOps)));
  EXPECT_TRUE(all_filled(table.ui, sizeof(VtUiOps)));
  SetHostVersion(23099);
  EXPECT_EQ(StandinHostTable().host_version, 23099);
  SetHostVersion(kDefaultHostVersion);
}

TEST_F(HostServicesTest, MemoryBlocksAreZeroFilledAndForeignPointersIgnored) {
  const std::size_t before = LiveMemoryBlocks();
  auto* block = static_cast<unsigned char*>(table.memory->alloc(4096));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 4096; ++i) ASSERT_EQ(block[i], 0) << i;
  void* empty = table.memory->alloc(0);
  EXPECT_NE(empty, nullptr);
  EXPECT_EQ(table.memory->alloc(-1), nullptr);
  EXPECT_EQ(table.memory->alloc(INT64_MAX), nullptr);
  int on_stack = 0;
  table.memory->free(&on_stack);
  table.memory->free(nullptr);
  table.memory->free(block);
  table.memory->free(block);  // twice: ignored
  table.memory->free(empty);
  EXPECT_EQ(LiveMemoryBlocks(), before);

  HostFaults().FailFrom(Fault::kAllocation, 2);
  void* first = table.memory->alloc(8);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(table.memory->alloc(8), nullptr);
  table.memory->free(first);
}

TEST_F(HostServicesTest, FileNamesReadBackslashesAndJoinWithOneSeparator) {
  const std::string sep(1, kPathSeparator);
  struct Case {
    std::string base, component, joined;
  };
  const Case cases[] = {
      {"/plugins/vitrel", "res", "/plugins/vitrel" + sep + "res"},
      {"/plugins/vitrel/", "res", "/plugins/vitrel/res"},
      {"", "res", "res"},
      {"dir", "", "dir"},
  };
  for (const Case& c : cases) {
    VtFilename* base = table.files->filename_alloc(Text(c.base.c_str()));
    VtFilename* component = table.files->filename_alloc(Text(c.component.c_str()));
    ASSERT_EQ(table.files->filename_append(base, component), 1);
    EXPECT_EQ(TextView(table.files->filename_get_text(base)), c.joined) << c.base << " + " << c.component;
    table.files->filename_free(base);
    table.files->filename_free(component);
  }
  // The plug-in joins its folder and the help file with a backslash.
  VtFilename* help = table.files->filename_alloc(Text("/plugins/vitrel\\Vitrel.pdf"));
  const std::string expected =
      kPathSeparator == '/' ? "/plugins/vitrel/Vitrel.pdf" : "/plugins/vitrel\\Vitrel.pdf";
  EXPECT_EQ(TextView(table.files->filename_get_text(help)), expected);
  VtFilename* copy = table.files->filename_copy(help);
  table.files->filename_free(help);
  EXPECT_EQ(TextView(table.files->filename_get_text(copy)), expected);
  EXPECT_EQ(table.files->filename_append(copy, copy), 1) << "appending a name to itself";
  table.files->filename_free(copy);

  EXPECT_EQ(table.files->filename_alloc(VtText{"a\0b", 3}), nullptr) << "a NUL inside";
  EXPECT_EQ(table.files->filename_alloc(VtText{nullptr, 4}), nullptr);
  EXPECT_EQ(table.files->filename_alloc(VtText{"abc", -1}), nullptr);
  EXPECT_EQ(table.files->filename_append(help, help), 0) << "freed already";
  HostFaults().FailFrom(Fault::kFilename, 1);
  EXPECT_EQ(table.files->filename_alloc(Text("x")), nullptr);
}

TEST_F(HostServicesTest, MessagesAndOpenedFilesAreRecordedOnly) {
  JournalCapture journal;
  table.ui->console_write(Text("Vitrel: could not load resource file."));
  table.ui->message_box(Text("Vitrel system error"), 48);
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "standin_open_test.pdf";
  std::ofstream(file) << "%PDF";
  ASSERT_FALSE(TheHostOptions().open_files);
  VtFilename* name = table.files->filename_alloc(Text(Utf8Path(file).c_str()));
  EXPECT_EQ(table.files->open_with_default_app(name), 1);
  std::filesystem::remove(file);
  EXPECT_EQ(table.files->open_with_default_app(name), 0) << "missing now";
  table.files->filename_free(name);

  auto events = journal.Events();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_STREQ(events[0]["event"].GetString(), "console");
  EXPECT_STREQ(events[0]["text"].GetString(), "Vitrel: could not load resource file.");
  EXPECT_STREQ(events[1]["event"].GetString(), "messagebox");
  EXPECT_EQ(events[1]["type"].GetInt(), 48);
  EXPECT_STREQ(events[2]["event"].GetString(), "open-file");
  EXPECT_EQ(events[2]["path"].GetString(), Utf8Path(file));
}

struct CommandProbe {
  std::vector<std::string>* log;
  std::string name;
};

int32_t ProbeExecute(void* user, VtDocument*) {
  auto* probe = static_cast<CommandProbe*>(user);
  probe->log->push_back("execute " + probe->name);
  return 1;
}
int32_t ProbeState(void*, VtDocument*) { return 0x40000000; }
void ProbeDestroy(void* user) {
  auto* probe = static_cast<CommandProbe*>(user);
  probe->log->push_back("destroy " + probe->name);
  delete probe;
}
constexpr VtCommandCallbacks kCommand = {sizeof(VtCommandCallbacks), ProbeExecute, ProbeState, ProbeDestroy};

TEST_F(HostServicesTest, CommandsAreRegisteredRunAndDestroyedOnce) {
  JournalCapture journal;
  std::vector<std::string> log;
  auto reg = [&](int32_t id, const char* name, const VtCommandCallbacks* callbacks, bool icon) {
    const VtBitmap* bitmap = icon ? reinterpret_cast<const VtBitmap*>(&log) : nullptr;
    return table.plugins->register_command(id, Text(name), 0, bitmap, Text("help"), callbacks,
                                           new CommandProbe{&log, name});
  };
  EXPECT_EQ(reg(1024416, "Vitrel", &kCommand, true), 1);
  EXPECT_EQ(reg(1024416, "Twin", &kCommand, false), 0) << "the id is taken";
  EXPECT_EQ(log, std::vector<std::string>{"destroy Twin"}) << "a refused command is the host's to destroy";
  EXPECT_EQ(reg(7, "Other", &kCommand, false), 1);

  EXPECT_EQ(RunCommand(1024416), std::optional<bool>(true));
  EXPECT_EQ(CommandState(1024416), std::optional<int32_t>(0x40000000));
  EXPECT_EQ(RunCommand(5), std::nullopt);
  HostCommands().DestroyAll();
  HostCommands().DestroyAll();
  EXPECT_EQ(RunCommand(1024416), std::nullopt);
  EXPECT_EQ(log,
            (std::vector<std::string>{"destroy Twin", "execute Vitrel", "destroy Vitrel", "destroy Other"}));

  auto registered = journal.Events("command.register");
  ASSERT_EQ(registered.size(), 3u);
  EXPECT_EQ(registered[0]["id"].GetInt(), 1024416);
  EXPECT_STREQ(registered[0]["name"].GetString(), "Vitrel");
  EXPECT_STREQ(registered[0]["help"].GetString(), "help");
  EXPECT_TRUE(registered[0]["icon"].GetBool());
  EXPECT_FALSE(registered[2]["icon"].GetBool());
}

}  // namespace
}  // namespace standin::testing
