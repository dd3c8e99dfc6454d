// `standin mirror --report`: the report of a run agrees with the journal of
// the same run, in place and on a copy.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

class EndToEndReport : public StandinTest {
 protected:
  std::set<std::string> EventObjects(const std::string& name) {
    std::set<std::string> paths;
    for (const rapidjson::Document& event : Events(name)) paths.insert(event["object"].GetString());
    return paths;
  }

  // Each object's treatments of the report `r.json`, space-separated, with
  // its handler after a slash when it has one: "placement compensation/light".
  std::map<std::string, std::string> Treatments() {
    std::map<std::string, std::string> out;
    const rapidjson::Document report = ReadJson(File("r.json"));
    for (const rapidjson::Value& object : report["objects"].GetArray()) {
      std::string& words = out[object["path"].GetString()];
      for (const rapidjson::Value& word : object["treatments"].GetArray())
        words += (words.empty() ? "" : " ") + std::string(word.GetString());
      if (!object["handler"].IsNull()) words += "/" + std::string(object["handler"].GetString());
    }
    return out;
  }
};

// A lamp with a pin below it, and a spot whose own tip sits below it: across
// Z a light is turned, and each child of a turned light gets its turn taken
// back out of it; across X a light keeps its turn to itself.
constexpr const char* kLamps = R"({"format": "vitrel-scene", "version": 1, "objects": [
  {"name": "Lamp", "type": 5102, "selected": true, "children": [
    {"name": "Pin", "type": 5140, "matrix": [0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1]},
    {"name": "Spot", "type": 5102, "matrix": [1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1], "children": [
      {"name": "Tip", "type": 5140, "matrix": [0, 0, 2, 1, 0, 0, 0, 1, 0, 0, 0, 1]}]}]}]})";

TEST_F(EndToEndReport, NamesTheChildrenGivenTheirParentsTurnBack) {
  WriteText(File("lamps.json"), kLamps);
  struct Case {
    std::vector<std::string> options;
    std::map<std::string, std::string> expected;
  };
  const std::string compensated = "placement compensation";
  const Case cases[] = {
      {{"--axis", "z"},
       {{"Lamp", "placement/light"},
        {"Lamp/Pin", compensated},
        {"Lamp/Spot", compensated + "/light"},
        {"Lamp/Spot/Tip", compensated}}},
      {{"--axis", "x"},
       {{"Lamp", "placement/light"},
        {"Lamp/Pin", "placement"},
        {"Lamp/Spot", "placement/light"},
        {"Lamp/Spot/Tip", "placement"}}},
      {{"--axis", "z", "--skip-children"},
       {{"Lamp", "placement/light"}, {"Lamp/Pin", ""}, {"Lamp/Spot", ""}, {"Lamp/Spot/Tip", ""}}},
      {{"--axis", "z", "--positioning", "move"},
       {{"Lamp", "placement"},
        {"Lamp/Pin", "placement"},
        {"Lamp/Spot", "placement"},
        {"Lamp/Spot/Tip", "placement"}}},
      // A copy of the nested spot is first placed in the world, which is no
      // turn taken back.
      {{"--axis", "z", "--select", "Lamp/Spot", "--duplicate", "--rename", "none"},
       {{"Spot", "placement/light"}, {"Spot/Tip", compensated}}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"mirror", "lamps.json", "--out", "out.json", "--report", "r.json"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    SCOPED_TRACE(testing::PrintToString(c.options));
    const ProgramRun run = Standin(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Treatments(), c.expected);
  }
}

TEST_F(EndToEndReport, AgreesWithTheJournalInPlaceAndOnACopy) {
  for (const bool duplicate : {false, true}) {
    SCOPED_TRACE(duplicate ? "copy" : "in place");
    std::vector<std::string> args = {"mirror",    Example("mixed-hierarchy.json").string(),
                                     "--out",     "out.json",
                                     "--report",  "r.json",
                                     "--journal", journal().string()};
    // The host names the copy as it inserts it, so the insert event names it
    // as the report does.
    if (duplicate) args.insert(args.end(), {"--duplicate", "--rename", "host"});
    const ProgramRun run = Standin(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const rapidjson::Document report = ReadJson(File("r.json"));
    ASSERT_TRUE(report.IsObject());
    const std::string top = duplicate ? "Workshop.1" : "Workshop";
    EXPECT_EQ(report["mirrored"].GetString(), top);
    EXPECT_EQ(report["copy"].GetBool(), duplicate);
    EXPECT_EQ(EventObjects("insert"), duplicate ? std::set<std::string>{top} : std::set<std::string>{});

    const std::map<std::string, std::string> treatments = Treatments();
    ASSERT_EQ(treatments.size(), 21u);
    const std::set<std::string> registered = EventObjects("undo.add");
    std::set<std::string> commanded;
    for (const auto& [path, words] : treatments) {
      EXPECT_TRUE(words.empty() || registered.count(path)) << path;
      if (words.find("polygon-command") != std::string::npos) commanded.insert(path);
    }
    EXPECT_EQ(commanded, EventObjects("modeling"));

    const rapidjson::Value& wedge = report["objects"][5];
    EXPECT_EQ(wedge["path"].GetString(), top + "/Shapes/Wedge");
    EXPECT_EQ(wedge["points"].GetInt(), 8);
    EXPECT_EQ(wedge["polygons"].GetInt(), 6);
    EXPECT_EQ(treatments.at(top + "/Shapes/Wedge"), "placement points polygon-command");
    // Below a turned deformer and a turned sweep.
    EXPECT_EQ(treatments.at(top + "/Modifiers/Bend/Cage"), "placement lattice compensation");
    EXPECT_EQ(treatments.at(top + "/Generators/Tube sweep/Ring"), "placement points tangents compensation");
    EXPECT_EQ(treatments.at(top + "/Generators/Extrude"), "placement parameters/extrude");
    // A light is only turned: its placement is set a second time.
    EXPECT_EQ(treatments.at(top + "/Light"), "placement/light");
  }
}

}  // namespace
}  // namespace vitrel::e2e
