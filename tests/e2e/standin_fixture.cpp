#include "standin_fixture.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "child_process.h"

namespace vitrel::e2e {

void StandinTest::TearDown() {
  if (!scratch_.empty() && !HasFailure()) fs::remove_all(scratch_);
}

const fs::path& StandinTest::Scratch() {
  if (scratch_.empty()) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string leaf = "vitrel_e2e_" + std::string(test->test_suite_name()) + "_" + test->name() + "_" +
                       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    for (char& c : leaf) {
      if (c == '/') c = '_';
    }
    scratch_ = fs::temp_directory_path() / leaf;
    fs::create_directories(scratch_);
  }
  return scratch_;
}

ProgramRun StandinTest::Standin(const std::vector<std::string>& args, const std::string& input) {
  const test_support::ChildStreams streams{File(".stdin"), File(".stdout"), File(".stderr")};
  WriteText(streams.in, input);
  ProgramRun run;
  run.status = test_support::RunChild(STANDIN_PROGRAM, args, Scratch(), streams);
  run.out = ReadText(streams.out);
  run.err = ReadText(streams.err);
  return run;
}

ProgramRun StandinTest::Script(const std::string& steps, const std::vector<std::string>& options) {
  WriteText(File("steps.txt"), steps);
  std::vector<std::string> args{"script", "steps.txt", "--journal", journal().string()};
  args.insert(args.end(), options.begin(), options.end());
  return Standin(args);
}

std::vector<std::string> StandinTest::EventLines(const std::string& name, const fs::path& journal_file) {
  std::istringstream text(ReadText(journal_file.empty() ? journal() : journal_file));
  std::vector<std::string> lines;
  // Each line begins with its event's name.
  const std::string tag = "{\"event\":\"" + name + "\"";
  for (std::string line; std::getline(text, line);) {
    if (name.empty() || line.starts_with(tag)) lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<rapidjson::Document> StandinTest::Events(const std::string& name, const fs::path& journal_file) {
  std::vector<rapidjson::Document> events;
  for (const std::string& line : EventLines(name, journal_file)) {
    rapidjson::Document event;
    event.Parse(line.c_str());
    if (event.HasParseError() || !event.IsObject()) {
      ADD_FAILURE() << "not a journal event: " << line;
      continue;
    }
    events.push_back(std::move(event));
  }
  return events;
}

fs::path StandinTest::Plugins() { return VITREL_PLUGINS_DIR; }

fs::path StandinTest::PluginsCopy() {
  const fs::path copy = File("plugins");
  fs::create_directories(copy);
  fs::copy(Plugins() / "vitrel", copy / "vitrel", fs::copy_options::recursive);
  return copy;
}

fs::path StandinTest::Example(const std::string& name) {
  return fs::path(VITREL_SOURCE_DIR) / "examples" / name;
}

std::string StandinTest::ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return std::move(text).str();
}

void StandinTest::WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

rapidjson::Document StandinTest::ReadJson(const fs::path& path) {
  rapidjson::Document document;
  document.Parse(ReadText(path).c_str());
  if (document.HasParseError()) ADD_FAILURE() << path << " is not JSON";
  return document;
}

}  // namespace vitrel::e2e
