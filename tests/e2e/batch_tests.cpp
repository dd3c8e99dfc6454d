// `standin mirror A.json B.json ... --out-dir DIR`: one load of the plug-in
// for many scenes, each written as its own run would write it.
#include <sstream>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

class EndToEndBatch : public StandinTest {
 protected:
  ProgramRun Batch(std::vector<std::string> scenes, const std::vector<std::string>& options) {
    fs::create_directories(File("out"));
    scenes.insert(scenes.begin(), "mirror");
    scenes.insert(scenes.end(), options.begin(), options.end());
    return Standin(scenes);
  }
};

TEST_F(EndToEndBatch, EachSceneGivesTheBytesOfItsOwnRun) {
  const std::vector<std::string> options = {"--duplicate", "--axis", "y", "--rename", "all"};
  std::vector<std::string> batch = options;
  batch.insert(batch.end(), {"--out-dir", "out", "--each-report"});
  ASSERT_EQ(Batch({Example("arm.json").string(), Example("polygon.json").string()}, batch).status, 0);
  for (const std::string name : {"arm", "polygon"}) {
    std::vector<std::string> single = options;
    single.insert(single.end(), {"--out", name + ".json", "--report", name + ".report.json"});
    ASSERT_EQ(Batch({Example(name + ".json").string()}, single).status, 0);
    EXPECT_EQ(ReadText(File("out/" + name + ".json")), ReadText(File(name + ".json")));
    EXPECT_EQ(ReadText(File("out/" + name + ".report.json")), ReadText(File(name + ".report.json")));
  }
}

TEST_F(EndToEndBatch, AFailingSceneSpoilsOnlyItsOwnOutputs) {
  WriteText(File("broken.json"), "{\"objects\": [");
  const ProgramRun run = Batch({Example("arm.json").string(), "broken.json",
                                Example("selection.json").string(), Example("polygon.json").string()},
                               {"--out-dir", "out", "--each-report", "--strict"});
  EXPECT_EQ(run.status, 5);  // the worst of 3 (broken) and 5 (a notice under --strict)
  std::istringstream lines(run.out);
  std::string line;
  for (const int status : {0, 3, 5, 0}) {
    ASSERT_TRUE(std::getline(lines, line)) << run.out;
    rapidjson::Document json;
    json.Parse(line.c_str());
    EXPECT_EQ(json["exit_status"].GetInt(), status) << line;
    EXPECT_EQ(json.HasMember("message"), status != 0) << line;
    EXPECT_EQ(json["outputs"].Size(), status == 0 ? 2u : 0u) << line;
  }
  EXPECT_TRUE(fs::exists(File("out/arm.report.json")) && fs::exists(File("out/polygon.json")));
  EXPECT_FALSE(fs::exists(File("out/broken.json")) || fs::exists(File("out/selection.report.json")));
}

TEST_F(EndToEndBatch, CommandLinesThatCannotWorkAreRefusedBeforeAnyRun) {
  fs::create_directories(File("other"));
  fs::copy_file(Example("arm.json"), File("other/Arm.json"));
  const ProgramRun clash = Batch({Example("arm.json").string(), "other/Arm.json"}, {"--out-dir", "out"});
  EXPECT_EQ(clash.status, 2);
  EXPECT_NE(clash.err.find("other/Arm.json"), std::string::npos) << clash.err;
  const ProgramRun no_folder = Batch({Example("arm.json").string(), Example("polygon.json").string()}, {});
  EXPECT_EQ(no_folder.status, 2);
  EXPECT_NE(no_folder.err.find("--out-dir"), std::string::npos) << no_folder.err;
  EXPECT_EQ(Batch({Example("arm.json").string()}, {"--out-dir", "out", "--out", "x.json"}).status, 2);
  // One scene's report would overwrite another scene kept in the folder.
  fs::create_directories(File("kept"));
  fs::copy_file(Example("polygon.json"), File("kept/arm.report.json"));
  const ProgramRun overwrite =
      Batch({Example("arm.json").string(), "kept/arm.report.json"}, {"--out-dir", "kept", "--each-report"});
  EXPECT_EQ(overwrite.status, 2);
  EXPECT_NE(overwrite.err.find("would overwrite"), std::string::npos) << overwrite.err;
  EXPECT_EQ(ReadText(File("kept/arm.report.json")), ReadText(Example("polygon.json")));
  EXPECT_TRUE(fs::is_empty(File("out")) && no_folder.out.empty());
}

}  // namespace
}  // namespace vitrel::e2e
