// `standin mirror A.json B.json ... --out-dir DIR`: one load of the plug-in
// for many scenes, each written as its own run would write it.
#include <sstream>
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

class EndToEndBatch : public StandinTest {
 protected:
  // The JSON lines of standard output, one per scene.
  static std::vector<rapidjson::Document> Lines(const std::string& out) {
    std::vector<rapidjson::Document> lines;
    std::istringstream stream(out);
    for (std::string line; std::getline(stream, line);) lines.emplace_back().Parse(line.c_str());
    return lines;
  }
};

TEST_F(EndToEndBatch, EachSceneGivesTheBytesOfItsOwnRun) {
  fs::create_directory(File("out"));
  const std::vector<std::string> options = {"--duplicate", "--axis", "y", "--rename", "all"};
  std::vector<std::string> batch = {
      "mirror",       Example("arm.json").string(), Example("polygon.json").string(), "--out-dir", "out",
      "--each-report"};
  batch.insert(batch.end(), options.begin(), options.end());
  const ProgramRun run = Standin(batch);
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(Lines(run.out).size(), 2u);
  for (const std::string name : {"arm", "polygon"}) {
    std::vector<std::string> single = {"mirror",   Example(name + ".json").string(),
                                       "--out",    name + ".json",
                                       "--report", name + ".report.json"};
    single.insert(single.end(), options.begin(), options.end());
    ASSERT_EQ(Standin(single).status, 0);
    EXPECT_EQ(ReadText(File("out") / (name + ".json")), ReadText(File(name + ".json"))) << name;
    EXPECT_EQ(ReadText(File("out") / (name + ".report.json")), ReadText(File(name + ".report.json"))) << name;
  }
}

TEST_F(EndToEndBatch, AFailingSceneSpoilsOnlyItsOwnOutputs) {
  fs::create_directory(File("out"));
  WriteText(File("broken.json"), "{\"objects\": [");
  const ProgramRun run =
      Standin({"mirror", Example("arm.json").string(), "broken.json", Example("selection.json").string(),
               Example("polygon.json").string(), "--out-dir", "out", "--each-report", "--strict"});
  EXPECT_EQ(run.status, 5);  // the worst: 3 for the broken scene, 5 for the notice under --strict
  const std::vector<rapidjson::Document> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u) << run.out;
  const int statuses[] = {0, 3, 5, 0};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[i]["exit_status"].GetInt(), statuses[i]) << i;
    EXPECT_EQ(lines[i].HasMember("message"), statuses[i] != 0) << i;
    EXPECT_EQ(lines[i]["outputs"].Size(), statuses[i] == 0 ? 2u : 0u) << i;
  }
  EXPECT_STREQ(lines[1]["status"].GetString(), "failed");
  EXPECT_NE(std::string(lines[2]["message"].GetString()).find("--strict"), std::string::npos);
  EXPECT_TRUE(fs::exists(File("out/arm.report.json")) && fs::exists(File("out/polygon.json")));
  EXPECT_FALSE(fs::exists(File("out/broken.json")) || fs::exists(File("out/selection.json")) ||
               fs::exists(File("out/selection.report.json")));
}

TEST_F(EndToEndBatch, CommandLinesThatCannotWorkAreRefusedBeforeAnyRun) {
  fs::create_directories(File("out"));
  fs::create_directories(File("other"));
  fs::copy_file(Example("arm.json"), File("other/arm.json"));
  const ProgramRun clash =
      Standin({"mirror", Example("arm.json").string(), "other/arm.json", "--out-dir", "out"});
  EXPECT_EQ(clash.status, 2);
  EXPECT_NE(clash.err.find("other/arm.json"), std::string::npos) << clash.err;
  EXPECT_TRUE(fs::is_empty(File("out")));
  const ProgramRun no_folder =
      Standin({"mirror", Example("arm.json").string(), Example("polygon.json").string()});
  EXPECT_EQ(no_folder.status, 2);
  EXPECT_NE(no_folder.err.find("--out-dir"), std::string::npos) << no_folder.err;
  EXPECT_TRUE(no_folder.out.empty());
  EXPECT_EQ(Standin({"mirror", Example("arm.json").string(), "--out-dir", "out", "--out", "x.json"}).status,
            2);
  EXPECT_TRUE(fs::is_empty(File("out")));
}

}  // namespace
}  // namespace vitrel::e2e
