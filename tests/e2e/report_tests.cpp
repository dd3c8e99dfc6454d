// `standin mirror --report`: the report of a run agrees with the journal of
// the same run, in place and on a copy.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "standin_test.h"

namespace vitrel::e2e {
namespace {

class EndToEndReport : public StandinTest {
 protected:
  std::set<std::string> EventObjects(const std::string& name) {
    std::set<std::string> paths;
    for (const rapidjson::Document& event : Events(name)) paths.insert(event["object"].GetString());
    return paths;
  }
};

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

    // Each object's treatments, space-separated, and its handler.
    std::map<std::string, std::string> treatments, handlers;
    std::set<std::string> commanded;
    for (const rapidjson::Value& object : report["objects"].GetArray()) {
      const std::string path = object["path"].GetString();
      for (const rapidjson::Value& word : object["treatments"].GetArray())
        treatments[path] += (treatments[path].empty() ? "" : " ") + std::string(word.GetString());
      if (treatments[path].ends_with("polygon-command")) commanded.insert(path);
      if (!object["handler"].IsNull()) handlers[path] = object["handler"].GetString();
    }
    ASSERT_EQ(treatments.size(), 21u);
    const std::set<std::string> registered = EventObjects("undo.add");
    for (const auto& [path, words] : treatments) EXPECT_TRUE(words.empty() || registered.count(path)) << path;
    EXPECT_EQ(commanded, EventObjects("modeling"));

    const rapidjson::Value& wedge = report["objects"][5];
    EXPECT_EQ(wedge["path"].GetString(), top + "/Shapes/Wedge");
    EXPECT_EQ(wedge["points"].GetInt(), 8);
    EXPECT_EQ(wedge["polygons"].GetInt(), 6);
    EXPECT_EQ(treatments[top + "/Shapes/Wedge"], "placement points polygon-command");
    EXPECT_EQ(treatments[top + "/Modifiers/Bend/Cage"], "placement lattice");
    EXPECT_EQ(treatments[top + "/Generators/Tube sweep/Ring"], "placement points tangents");
    EXPECT_EQ(handlers[top + "/Generators/Extrude"], "extrude");
    // A light is only turned: its placement is set a second time.
    EXPECT_EQ(handlers[top + "/Light"], "light");
  }
}

}  // namespace
}  // namespace vitrel::e2e
