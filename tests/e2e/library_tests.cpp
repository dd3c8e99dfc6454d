// The plug-in library as the build delivers it: what it exports and what it
// needs from the system.
#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

// The lines that `command` prints.
std::vector<std::string> OutputLines(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
  if (!pipe) ADD_FAILURE() << "cannot run " << command;
  std::string text;
  char buffer[4096];
  for (size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) text.append(buffer, got);
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

const std::string kLibrary = VITREL_PLUGINS_DIR "/vitrel/vitrel.so";

TEST(EndToEndLibrary, ExportsOnlyTheEntryPointAndTheModuleDeclaration) {
  // readelf --dyn-syms: Num: Value Size Type Bind Vis Ndx Name
  std::set<std::string> exported;
  for (const std::string& line : OutputLines("readelf --dyn-syms -W '" + kLibrary + "'")) {
    const std::vector<std::string> w = Words(line);
    if (w.size() < 8 || w[6] == "UND" || w[6] == "Ndx") continue;
    if ((w[4] == "GLOBAL" || w[4] == "WEAK") && w[5] == "DEFAULT") exported.insert(w[7]);
  }
  EXPECT_EQ(exported, (std::set<std::string>{"c4d_main", "vt_module_declaration"}));
}

TEST(EndToEndLibrary, NeedsNothingButTheCRuntime) {
  std::set<std::string> needed;
  for (const std::string& line : OutputLines("readelf -d -W '" + kLibrary + "'")) {
    const size_t open = line.find("(NEEDED)");
    if (open == std::string::npos) continue;
    const size_t from = line.find('[', open), to = line.find(']', open);
    if (from != std::string::npos && to != std::string::npos)
      needed.insert(line.substr(from + 1, to - from - 1));
  }
  ASSERT_FALSE(needed.empty()) << "readelf gave no dependencies for " << kLibrary;
  for (const std::string& library : needed) {
    if (library.starts_with("libasan") || library.starts_with("libubsan")) {
      GTEST_SKIP() << "a sanitizer build links its run-time libraries";
    }
  }
  const std::set<std::string> runtime = {"libc.so.6", "libm.so.6", "ld-linux-x86-64.so.2"};
  for (const std::string& library : needed) EXPECT_TRUE(runtime.contains(library)) << library;
}

}  // namespace
}  // namespace vitrel::e2e
