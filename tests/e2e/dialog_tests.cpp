// The mirror dialog as a user sees it through the host: its first opening,
// the gadgets that enable others, reset, and settings kept between openings.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

// The gadgets that the duplicate and colour options enable.
const std::vector<int> kDependentGadgets = {10009, 10016, 10017, 10018, 10019, 10020, 10021};

class EndToEndDialog : public StandinTest {
 protected:
  // Runs the command, then `steps`, then dumps the dialog.
  rapidjson::Document DumpAfter(const std::string& steps) {
    const ProgramRun run = Script("command 1024416\n" + steps + "dump-dialog dump.json\n");
    EXPECT_EQ(run.status, 0) << run.err;
    return ReadJson(File("dump.json"));
  }

  static const rapidjson::Value& Gadget(const rapidjson::Document& dump, int id) {
    return dump["gadgets"][std::to_string(id).c_str()];
  }

  static std::set<int> Disabled(const rapidjson::Document& dump, const std::vector<int>& ids) {
    std::set<int> disabled;
    for (int id : ids) {
      if (!Gadget(dump, id)["enabled"].GetBool()) disabled.insert(id);
    }
    return disabled;
  }

  static std::vector<std::pair<int, std::string>> Entries(const rapidjson::Value& list) {
    std::vector<std::pair<int, std::string>> entries;
    for (const rapidjson::Value& entry : list.GetArray())
      entries.emplace_back(entry[0].GetInt(), entry[1].GetString());
    return entries;
  }
};

TEST_F(EndToEndDialog, FirstOpeningShowsTheDefaults) {
  const rapidjson::Document dump = DumpAfter("");
  EXPECT_EQ(dump["id"].GetInt(), 10001);

  const std::map<int, std::vector<std::pair<int, std::string>>> popups = {
      {10005, {{5000, "X"}, {5001, "Y"}, {5002, "Z"}}},
      {10006,
       {{5050, "Move and rotate object"},
        {5051, "Move only"},
        {5052, "Rotate only"},
        {5053, "Do not move or rotate"}}},
      {10016,
       {{5070, "Rename primary object only"},
        {5071, "Rename all duplicated objects"},
        {5072, "Do not rename duplicated objects"},
        {5073, "Let C4D handle object renaming"}}},
      {10019, {{5200, "Off"}, {5201, "Automatic"}, {5202, "Always"}, {5203, "Layer"}}},
  };
  for (const auto& [id, entries] : popups) {
    SCOPED_TRACE(id);
    EXPECT_STREQ(Gadget(dump, id)["kind"].GetString(), "popup");
    EXPECT_EQ(Entries(Gadget(dump, id)["entries"]), entries);
    EXPECT_EQ(Gadget(dump, id)["value"].GetInt(), entries.front().first);
  }

  for (int id = 10007; id <= 10021; ++id) {
    const rapidjson::Value& gadget = Gadget(dump, id);
    if (std::string(gadget["kind"].GetString()) != "checkbox") continue;
    EXPECT_EQ(gadget["value"].GetBool(), id == 10007 || id == 10018) << id;
  }
  EXPECT_STREQ(Gadget(dump, 10017)["value"].GetString(), "_mirror");
  const rapidjson::Value& color = Gadget(dump, 10020)["value"];
  EXPECT_EQ(color["color"][0].GetDouble() + color["color"][1].GetDouble() + color["color"][2].GetDouble(),
            0.0);
  EXPECT_EQ(color["brightness"].GetDouble(), 1.0);

  std::vector<int> all;
  for (const auto& member : dump["gadgets"].GetObject()) all.push_back(std::stoi(member.name.GetString()));
  EXPECT_EQ(Disabled(dump, all), std::set<int>(kDependentGadgets.begin(), kDependentGadgets.end()));

  ASSERT_EQ(dump["menus"].Size(), 2u);
  EXPECT_STREQ(dump["menus"][0]["title"].GetString(), "File");
  EXPECT_EQ(Entries(dump["menus"][0]["entries"]),
            (std::vector<std::pair<int, std::string>>{{6010, "Close manager"}}));
  EXPECT_STREQ(dump["menus"][1]["title"].GetString(), "Help");
  EXPECT_EQ(Entries(dump["menus"][1]["entries"]),
            (std::vector<std::pair<int, std::string>>{
                {6000, "Simple usage..."}, {6001, "Main help file (PDF)"}, {6002, "About..."}}));
}

TEST_F(EndToEndDialog, GadgetChangesEnableTheirDependents) {
  struct Case {
    const char* steps;
    std::set<int> disabled;
  };
  const Case cases[] = {
      {"set 10008 true\n", {10019, 10020, 10021}},
      {"set 10008 true\nset 10018 false\n", {10020}},
      {"set 10008 true\nset 10018 false\nset 10019 5201\n", {}},
      {"set 10008 true\nset 10018 false\nset 10019 5202\n", {}},
      {"set 10008 true\nset 10018 false\nset 10019 5202\nset 10019 5203\n", {10020}},
      {"set 10008 true\nset 10018 false\nset 10019 5201\nset 10018 true\n", {10019, 10020, 10021}},
      {"set 10008 true\nset 10018 false\nset 10019 5201\nset 10008 false\n",
       {10009, 10016, 10017, 10018, 10019, 10020, 10021}},
      // Switched on again, the rules read the gadgets as the user left them.
      {"set 10008 true\nset 10018 false\nset 10019 5202\nset 10008 false\nset 10008 true\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    EXPECT_EQ(Disabled(DumpAfter(c.steps), kDependentGadgets), c.disabled);
  }
}

TEST_F(EndToEndDialog, ResetRestoresEveryDefault) {
  const rapidjson::Document first = DumpAfter("");
  const rapidjson::Document reset = DumpAfter(
      "set 10005 5002\nset 10006 5053\nset 10007 false\nset 10010 true\nset 10011 true\nset 10012 true\n"
      "set 10013 true\nset 10014 true\nset 10008 true\nset 10009 true\nset 10016 5073\nset 10017 _x\n"
      "set 10018 false\nset 10019 5202\nset 10020 0.5,0.25,1\nset 10021 true\npress 10015\n");
  EXPECT_EQ(reset["gadgets"], first["gadgets"]);
}

TEST_F(EndToEndDialog, SettingsSurviveClosingAndReopening) {
  const std::string changes =
      "set 10005 5001\nset 10006 5052\nset 10008 true\nset 10017 _left\nset 10018 false\nset 10019 5201\n"
      "set 10020 1,0,0\n";
  const rapidjson::Document changed = DumpAfter(changes);
  ASSERT_NE(changed["gadgets"], DumpAfter("")["gadgets"]);

  struct Case {
    const char* what;
    const char* steps;
  };
  const Case cases[] = {
      {"closed by its close box", "close\ncommand 1024416\n"},
      {"closed from its menu", "press 6010\ncommand 1024416\n"},
      {"closed by its button", "press 10023\ncommand 1024416\n"},
      {"after a run, then closed", "press 10022\nclose\ncommand 1024416\n"},
      {"the command run again while open", "command 1024416\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DumpAfter(changes + c.steps)["gadgets"], changed["gadgets"]);
  }
}

}  // namespace
}  // namespace vitrel::e2e
