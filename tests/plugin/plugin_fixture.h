// The plug-in started in-process through its entry point, with the
// stand-in host's table, a plug-in folder of the test's choice and a journal
// the tests read back.
#pragma once

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "draw/picture.h"
#include "flipit.h"
#include "ui/dialog.h"
#include "vitrel_host_abi.h"

extern "C" int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3);

namespace vitrel::testing {

inline constexpr standin::Rgba kLeftColour{255, 0, 0, 255};
inline constexpr standin::Rgba kRightColour{0, 0, 255, 255};

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Action 1 with the host's table and `folder` (null: none), counted so
  // that TearDown ends the plug-in as often as it was started.
  int32_t Init(const VtHostTable* table, const std::filesystem::path* folder);
  int32_t Init(const std::filesystem::path& folder);
  // Actions 1 and 2 with `folder`; true when both succeeded.
  bool Start(const std::filesystem::path& folder = SourceFolder());
  // One action 3, counted.
  int32_t Finish();
  // Destroys the registered commands and takes back every action 1.
  void End();

  static std::filesystem::path SourceFolder() { return VITREL_SOURCE_DIR; }
  // A fresh, empty folder for this test.
  std::filesystem::path ScratchFolder();
  // A plug-in folder whose resource is the source tree's without the
  // description `dialog_id` (0: with every description); with `pictures`,
  // its "res" folder also holds the four pictures, each 4 x 2 pixels: its
  // left half kLeftColour, its right half kRightColour.
  std::filesystem::path PluginFolder(int32_t dialog_id, bool pictures);

  // The registered command and its dialog, the dialog's host window.
  FlipIt& Command();
  standin::Dialog& Window();
  // Runs the command, as a user choosing it.
  void RunCommand();
  // A user setting gadget `id`, pressing button or menu entry `id`.
  void Set(int32_t id, const std::string& value);
  void Press(int32_t id);

  // Forgets the journal's events so far.
  void ClearJournal();
  // The journal's events of that name, in order.
  std::vector<rapidjson::Document> Events(const std::string& name);
  std::vector<std::string> ConsoleLines();

 private:
  std::ostringstream journal_;
  int initialised_ = 0;
  std::vector<const VtFilename*> folders_;
  std::filesystem::path scratch_;
};

}  // namespace vitrel::testing
