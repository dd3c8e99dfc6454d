#include "plugin_fixture.h"

#include <chrono>
#include <fstream>
#include <stdexcept>

#include "draw/picture.h"
#include "flipit_ids.h"
#include "host/scene_host.h"
#include "journal/journal.h"
#include "journal_events.h"
#include "resources/picture_codec.h"
#include "table/commands.h"
#include "table/host_table.h"
#include "ui/dialog_host.h"
#include "ui/filename.h"

namespace vitrel::testing {

namespace fs = std::filesystem;

void PluginTest::SetUp() {
  standin::TheSceneHost().Reset();
  standin::SetHostVersion(standin::kDefaultHostVersion);
  standin::HostJournal().SetOutput(&journal_);
}

void PluginTest::TearDown() {
  End();
  standin::HostJournal().SetOutput(nullptr);
  standin::SetHostVersion(standin::kDefaultHostVersion);
  if (!scratch_.empty()) fs::remove_all(scratch_);
}

int32_t PluginTest::Init(const VtHostTable* table, const fs::path* folder) {
  const VtFilename* name = folder != nullptr ? standin::MakeFilename(standin::Utf8Path(*folder)) : nullptr;
  if (name != nullptr) folders_.push_back(name);
  const int32_t result =
      c4d_main(VT_ACTION_INIT, const_cast<VtHostTable*>(table), nullptr, const_cast<VtFilename*>(name));
  if (result == 1) ++initialised_;
  return result;
}

int32_t PluginTest::Init(const fs::path& folder) { return Init(&standin::StandinHostTable(), &folder); }

bool PluginTest::Start(const fs::path& folder) {
  return Init(folder) == 1 && c4d_main(VT_ACTION_START, nullptr, nullptr, nullptr) == 1;
}

int32_t PluginTest::Finish() {
  if (initialised_ > 0) --initialised_;
  return c4d_main(VT_ACTION_END, nullptr, nullptr, nullptr);
}

void PluginTest::End() {
  standin::HostCommands().DestroyAll();
  for (; initialised_ > 0; --initialised_) c4d_main(VT_ACTION_END, nullptr, nullptr, nullptr);
  for (const VtFilename* name : folders_) standin::FreeFilename(name);
  folders_.clear();
}

fs::path PluginTest::ScratchFolder() {
  if (scratch_.empty()) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string leaf = "vitrel_plugin_" + std::string(test->test_suite_name()) + "_" + test->name() + "_" +
                       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    for (char& c : leaf) {
      if (c == '/') c = '_';
    }
    scratch_ = fs::temp_directory_path() / leaf;
  }
  fs::remove_all(scratch_);
  fs::create_directories(scratch_);
  return scratch_;
}

fs::path PluginTest::PluginFolder(int32_t dialog_id, bool pictures) {
  const fs::path folder = ScratchFolder() / "vitrel";
  const fs::path res = folder / "res";
  fs::create_directories(res);
  fs::copy(SourceFolder() / "res" / "strings_en", res / "strings_en", fs::copy_options::recursive);

  // The description of `dialog_id` runs from its DIALOG line to the first
  // closing brace at the start of a line.
  std::ifstream in(SourceFolder() / "res" / "dialogs.res");
  std::ofstream out(res / "dialogs.res");
  const std::string start = "DIALOG " + std::to_string(dialog_id) + " ";
  bool skipping = false;
  for (std::string line; std::getline(in, line);) {
    if (dialog_id != 0 && line.rfind(start, 0) == 0) skipping = true;
    if (!skipping) out << line << '\n';
    if (skipping && line == "}") skipping = false;
  }

  if (pictures) {
    standin::Picture picture(4, 2, kLeftColour);
    for (int32_t y = 0; y < 2; ++y) {
      for (int32_t x = 2; x < 4; ++x) picture.at(x, y) = kRightColour;
    }
    std::string bytes, error;
    if (!standin::EncodePicture(picture, bytes, error)) throw std::runtime_error(error);
    for (const char* name : {"banner.tif", "usage.tif", "version.tif", "mirror.tif"}) {
      std::ofstream(res / name, std::ios::binary) << bytes;
    }
  }
  return folder;
}

FlipIt& PluginTest::Command() {
  const standin::RegisteredCommand* command = standin::HostCommands().Find(ID_VITREL);
  if (command == nullptr) throw std::runtime_error("the command is not registered");
  return *static_cast<FlipIt*>(command->user);
}

standin::Dialog& PluginTest::Window() {
  for (standin::Dialog* dialog : standin::HostDialogs().All()) {
    if (dialog->plugin_id == ID_VITREL) return *dialog;
  }
  throw std::runtime_error("the mirror dialog was never opened");
}

void PluginTest::RunCommand() { ASSERT_EQ(standin::RunCommand(ID_VITREL), std::optional<bool>(true)); }

void PluginTest::Set(int32_t id, const std::string& value) {
  const standin::UserOutcome outcome = standin::SetGadgetAsUser(Window(), id, value);
  EXPECT_TRUE(outcome.done) << "gadget " << id << ": " << outcome.reason;
}

void PluginTest::Press(int32_t id) {
  const standin::UserOutcome outcome = standin::PressAsUser(Window(), id);
  EXPECT_TRUE(outcome.done) << id << ": " << outcome.reason;
}

void PluginTest::ClearJournal() {
  standin::HostJournal().Flush();
  journal_.str("");
}

std::vector<rapidjson::Document> PluginTest::Events(const std::string& name) {
  standin::HostJournal().Flush();
  return test_support::JournalEvents(journal_.str(), name);
}

std::vector<std::string> PluginTest::ConsoleLines() {
  std::vector<std::string> lines;
  for (const rapidjson::Document& event : Events("console")) lines.emplace_back(event["text"].GetString());
  return lines;
}

}  // namespace vitrel::testing
