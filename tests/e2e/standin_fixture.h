// End-to-end tests: the standin program run as a separate process, as a user
// runs it, with the plug-in folder this build made. Each test works in a
// scratch folder of its own, which is also the program's working directory.
#pragma once

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vitrel::e2e {

namespace fs = std::filesystem;

struct ProgramRun {
  int status = -1;  // the exit status; -1 when the program did not exit (a signal)
  std::string out;
  std::string err;
};

// Gadget, menu and command ids of the plug-in that the tests use.
inline constexpr int kMirrorCommand = 1024416;
inline const std::string kVersionLine = "Current version: 1.2.0, October 26th 2021";
inline const std::string kNoResource = "Vitrel: could not load resource file.";

class StandinTest : public ::testing::Test {
 protected:
  void TearDown() override;

  const fs::path& Scratch();
  fs::path File(const std::string& name) { return Scratch() / name; }

  // Runs standin with `args` in the scratch folder; standard input `input`.
  ProgramRun Standin(const std::vector<std::string>& args, const std::string& input = "");
  // Runs the script `steps` with `options`; its journal goes to journal().
  ProgramRun Script(const std::string& steps, const std::vector<std::string>& options = {});
  fs::path journal() { return File("journal.jsonl"); }

  // The events of a journal named `name` (every event for ""), in order, as
  // the lines of the journal and as JSON.
  std::vector<std::string> EventLines(const std::string& name = "", const fs::path& journal_file = {});
  std::vector<rapidjson::Document> Events(const std::string& name = "", const fs::path& journal_file = {});

  // The build's plug-ins folder, and a copy of it in the scratch folder
  // that a test may change (its plug-in folder is Copy/vitrel).
  static fs::path Plugins();
  fs::path PluginsCopy();

  static fs::path Example(const std::string& name);
  static std::string ReadText(const fs::path& path);
  static void WriteText(const fs::path& path, const std::string& text);
  static rapidjson::Document ReadJson(const fs::path& path);

 private:
  fs::path scratch_;
};

}  // namespace vitrel::e2e
