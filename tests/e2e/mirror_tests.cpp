// `standin mirror` from the user's side: a renamed duplicate, the options
// applied in the order that enables them, usage errors that leave the output
// alone, outputs written all or none, and a failed duplication taken back by
// one undo.
#include <algorithm>
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

class EndToEndMirror : public StandinTest {
 protected:
  ProgramRun Mirror(const fs::path& scene, std::vector<std::string> options) {
    const std::u8string name = scene.u8string();
    options.insert(options.begin(), {"mirror", std::string(name.begin(), name.end())});
    return Standin(options);
  }

  // The example as standin writes it, so that files can be compared byte
  // for byte.
  fs::path Canonical(const std::string& example) {
    EXPECT_EQ(Script("load " + Example(example).string() + "\nsave canonical.json\n").status, 0);
    return File("canonical.json");
  }
};

TEST_F(EndToEndMirror, RenamedDuplicateGoesOnTopAndTheOriginalStays) {
  const ProgramRun run = Mirror(Example("arm.json"), {"--axis", "x", "--duplicate", "--rename", "all",
                                                      "--out", "out.json", "--journal", journal().string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  const rapidjson::Document in = ReadJson(Example("arm.json"));
  rapidjson::Document out = ReadJson(File("out.json"));
  ASSERT_EQ(out["objects"].Size(), 2u);

  const rapidjson::Value& copy = out["objects"][0];
  EXPECT_STREQ(copy["name"].GetString(), "Arm_mirror");
  EXPECT_TRUE(copy["selected"].GetBool());
  ASSERT_EQ(copy["children"].Size(), 2u);
  EXPECT_STREQ(copy["children"][0]["name"].GetString(), "Hand_mirror");
  EXPECT_STREQ(copy["children"][1]["name"].GetString(), "Piston_mirror");
  EXPECT_EQ(copy["children"][1]["matrix"][0].GetDouble(),
            -in["objects"][0]["children"][1]["matrix"][0].GetDouble());

  // The original is as it was, only no longer selected.
  rapidjson::Value& original = out["objects"][1];
  EXPECT_FALSE(original["selected"].GetBool());
  original["selected"].SetBool(true);
  EXPECT_EQ(original, in["objects"][0]);
  EXPECT_EQ(Events("undo.missing").size(), 0u);

  // The order on the command line does not matter.
  ASSERT_EQ(
      Mirror(Example("arm.json"), {"--rename", "all", "--axis", "x", "--duplicate", "--out", "again.json"})
          .status,
      0);
  EXPECT_EQ(ReadText(File("again.json")), ReadText(File("out.json")));
}

TEST_F(EndToEndMirror, EnablingSwitchesComeFirstWhateverTheirPlace) {
  const ProgramRun run = Mirror(Example("arm.json"), {"--color", "0,1,0", "--xray", "--color-mode", "always",
                                                      "--no-keep-color", "--duplicate", "--out", "out.json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const rapidjson::Document out = ReadJson(File("out.json"));
  const rapidjson::Value& color = out["objects"][0]["color"];
  EXPECT_EQ(color["mode"].GetInt(), 2);
  EXPECT_EQ(color["color"][1].GetDouble(), 1.0);
  EXPECT_EQ(color["color"][0].GetDouble() + color["color"][2].GetDouble(), 0.0);
  EXPECT_TRUE(color["xray"].GetBool());
}

TEST_F(EndToEndMirror, ErrorsLeaveTheOutputAlone) {
  fs::create_directories(File("no-plugins"));
  fs::copy(Plugins() / "vitrel", File("flat-plugins"), fs::copy_options::recursive);
  WriteText(File("broken.json"), "{\"format\": \"vitrel-scene\",");
  struct Case {
    std::vector<std::string> options;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {{"--rename", "all"}, 2, "--rename all: gadget 10016 is disabled; --duplicate would enable it"},
      {{"--duplicate", "--xray"}, 2, "--xray: gadget 10021 is disabled; --no-keep-color would enable it"},
      {{"--color", "1,0,0"},
       2,
       "gadget 10020 is disabled; --duplicate, --no-keep-color and --color-mode automatic|always would "
       "enable it"},
      {{"--color-mode", "layer", "--no-keep-color", "--duplicate", "--color", "1,0,0"},
       2,
       "--color 1,0,0: gadget 10020 is disabled; --color-mode automatic|always would enable it"},
      {{"--axis", "w"}, 2, "--axis w: axis must be x, y or z"},
      {{"--color", "255,0,0", "--duplicate", "--no-keep-color", "--color-mode", "always"},
       2,
       "--color 255,0,0: a colour is R,G,B with each component from 0 to 1; 255 is outside that range"},
      {{"--gadget", "10005=5009"}, 2, "not one of its entries"},
      {{"--gadget", "10022=true"}, 2, "which a user cannot set"},
      {{"--select", "Arm/Foot"}, 2, "the scene has no object Arm/Foot"},
      {{"--redo"}, 2, "--redo needs --undo"},
      {{"--plugins", "no-plugins"}, 4, "no loaded plug-in registered command 1024416"},
      {{"--plugins", "missing-folder"}, 4, "no loaded plug-in registered command 1024416"},
      {{"--plugins", "flat-plugins"},
       4,
       "a plug-in lies in a folder of its own below the plug-ins folder; move it to flat-plugins"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    fs::copy_file(Example("arm.json"), File("in.json"), fs::copy_options::overwrite_existing);
    std::vector<std::string> options = c.options;
    options.insert(options.end(), {"--out", "in.json"});
    const ProgramRun run = Mirror("in.json", options);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(ReadText(File("in.json")), ReadText(Example("arm.json")));
  }
  const ProgramRun unreadable = Mirror("broken.json", {"--out", "out.json"});
  EXPECT_EQ(unreadable.status, 3);
  EXPECT_NE(unreadable.err.find("standin: broken.json:1:"), std::string::npos) << unreadable.err;
  EXPECT_FALSE(fs::exists(File("out.json")));
}

// Outputs are written all or none: one that cannot be written fails the run
// before it starts (a missing folder) or at its end (a report whose
// temporary file cannot be made beside it), and every output stays as it was.
TEST_F(EndToEndMirror, AnUnwritableOutputLeavesEveryOutputAlone) {
  WriteText(File("o.json"), "old");
  WriteText(journal(), "old journal");
  const ProgramRun missing =
      Mirror(Example("arm.json"), {"--axis", "x", "--out", "o.json", "--journal", "no-such-dir/j.jsonl"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(
      missing.err,
      "standin: no-such-dir/j.jsonl: the folder no-such-dir does not exist; create it or write elsewhere\n");
  EXPECT_EQ(ReadText(File("o.json")), "old");

  // A read-only report is refused as cp refuses it, not replaced.
  WriteText(File("locked.json"), "old report");
  fs::permissions(File("locked.json"),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const ProgramRun unwritable = Mirror(
      Example("arm.json"), {"--out", "o.json", "--journal", journal().string(), "--report", "locked.json"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("locked.json: cannot replace a read-only file"), std::string::npos)
      << unwritable.err;
  EXPECT_EQ(ReadText(File("o.json")), "old");
  EXPECT_EQ(ReadText(journal()), "old journal");
  EXPECT_EQ(ReadText(File("locked.json")), "old report");
  // Windows removes no read-only file, so the test's folder could not go.
  fs::permissions(File("locked.json"), fs::perms::owner_write, fs::perm_options::add);

  // The journal goes into its temporary file as the run goes: a notice
  // under --strict drops it with the other outputs, an error of the run
  // still writes it, and neither leaves a temporary file.
  const ProgramRun strict =
      Mirror(Example("arm.json"), {"--select", "Arm", "--select", "Arm/Hand", "--strict", "--out", "o.json",
                                   "--journal", journal().string()});
  EXPECT_EQ(strict.status, 5);
  EXPECT_EQ(ReadText(journal()), "old journal");
  const ProgramRun failed = Mirror(
      Example("arm.json"), {"--gadget", "10022=true", "--out", "o.json", "--journal", journal().string()});
  EXPECT_EQ(failed.status, 2);
  EXPECT_EQ(Events("plugin.action").back()["action"].GetInt(), 3);
  for (const fs::directory_entry& entry : fs::directory_iterator(Scratch()))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".journal")) << entry.path();
}

// Two outputs in one file, or an output over the scene, would lose one of
// them: a usage error before the run, naming both options, that writes
// nothing. The pictures' folder is made only by a run that succeeds.
TEST_F(EndToEndMirror, OutputsThatMeetAreRefusedBeforeTheRun) {
  fs::copy_file(Example("arm.json"), File("in.json"));
  fs::create_hard_link(File("in.json"), File("hard.json"));
  const std::string in = ReadText(File("in.json"));
  const std::vector<std::string> cases[] = {
      {"--out", "x.json", "--journal", "x.json", "--journal x.json names the same file as --out x.json"},
      {"--out", "in.json", "--report", "hard.json",
       "--report hard.json names the same file as --out in.json"},
      {"--out", "-", "--report", "-", "--report - and --out - both write to standard output"},
      {"--picture", "-", "--journal", "j.jsonl", "--picture - and --out - both write"},
      {"--out", "o.json", "--report", "in.json", "--report in.json names the file read as SCENE in.json"},
      {"--out", "o.json", "--dialog-picture", "hard.json", "--dialog-picture hard.json names the file read"},
  };
  for (const std::vector<std::string>& c : cases) {
    SCOPED_TRACE(c.back());
    const ProgramRun run = Mirror("in.json", {c.begin(), c.end() - 1});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(c.back()), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(ReadText(File("in.json")), in);
  }
  EXPECT_FALSE(fs::exists(File("x.json")) || fs::exists(File("o.json")) || fs::exists(File("j.jsonl")));

  EXPECT_EQ(Mirror("in.json", {"--pictures", "pics/all", "--select", "Nope"}).status, 2);
  EXPECT_FALSE(fs::exists(File("pics")));
  ASSERT_EQ(Mirror("in.json", {"--pictures", "pics/all", "--out", "in.json"}).status, 0);
  EXPECT_TRUE(fs::exists(File("pics/all/10001.png")));
}

// Names reach the program as UTF-8 on every system (on Windows through the
// wide command line) and name the same files.
TEST_F(EndToEndMirror, NonAsciiFileNamesWork) {
  const fs::path in(u8"\u00e9t\u00e9 \u93e1.json"), out(u8"sortie \u00e9.json");
  fs::copy_file(Example("arm.json"), Scratch() / in);
  const std::u8string out_name = out.u8string();
  const ProgramRun run = Mirror(in, {"--out", std::string(out_name.begin(), out_name.end())});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::exists(Scratch() / out));
}

TEST_F(EndToEndMirror, OutputMayBeTheInput) {
  fs::copy_file(Example("arm.json"), File("in.json"));
  ASSERT_EQ(Mirror("in.json", {"--out", "in.json"}).status, 0);
  const rapidjson::Document out = ReadJson(File("in.json"));
  EXPECT_EQ(out["objects"][0]["children"][1]["matrix"][0].GetDouble(), -150.0);
}

TEST_F(EndToEndMirror, SelectionChoosesWhatIsMirrored) {
  const ProgramRun run = Mirror(Example("arm.json"), {"--select", "Arm/Piston", "--select", "Arm/Hand",
                                                      "--out", "out.json", "--journal", journal().string()});
  ASSERT_EQ(run.status, 0) << run.err;
  // The first selected in document order is the hand; the piston stays.
  const std::vector<rapidjson::Document> changed = Events("undo.add");
  ASSERT_FALSE(changed.empty());
  for (const rapidjson::Document& event : changed) EXPECT_STREQ(event["object"].GetString(), "Arm/Hand");
  rapidjson::Document out = ReadJson(File("out.json"));
  const rapidjson::Document in = ReadJson(Example("arm.json"));
  EXPECT_FALSE(out["objects"][0]["selected"].GetBool());
  rapidjson::Value& piston = out["objects"][0]["children"][1];
  EXPECT_TRUE(piston["selected"].GetBool());
  piston["selected"].SetBool(false);
  EXPECT_EQ(piston, in["objects"][0]["children"][1]);
}

TEST_F(EndToEndMirror, FailedDuplicationMirrorsInPlaceInOneUndoStep) {
  const std::string canonical = ReadText(Canonical("arm.json"));
  for (const char* fault : {"clone", "alias"}) {
    SCOPED_TRACE(fault);
    const ProgramRun run = Script("load canonical.json\nfail " + std::string(fault) +
                                  "\ncommand 1024416\nset 10008 true\npress 10022\nsave failed.json\n"
                                  "undo\nsave undone.json\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<rapidjson::Document> boxes = Events("messagebox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_STREQ(
        boxes[0]["text"].GetString(),
        "Vitrel system error: unable to duplicate requested object\n(are you short of system memory?).");
    EXPECT_EQ(Events("undo.start").size(), 1u);
    EXPECT_EQ(Events("undo.end").size(), 1u);
    EXPECT_EQ(Events("undo.missing").size(), 0u);

    // No duplicate: the arm itself was mirrored, and one undo takes it all back.
    const rapidjson::Document failed = ReadJson(File("failed.json"));
    ASSERT_EQ(failed["objects"].Size(), 1u);
    EXPECT_EQ(failed["objects"][0]["children"][1]["matrix"][0].GetDouble(), -150.0);
    EXPECT_EQ(ReadText(File("undone.json")), canonical);
  }
}

// A refused copy of the parameters leaves out the turn that depends on
// them: each spline primitive comes out as a plain null in its place would.
TEST_F(EndToEndMirror, RefusedParameterCopyLeavesOutTheTurnThatNeedsIt) {
  const std::string in = Example("spline-primitives.json").string(),
                    steps = "\ncommand 1024416\npress 10022\nsave ";
  std::string nulls = ReadText(in);
  for (const std::string type : {"5181", "5179", "5186"})
    nulls.replace(nulls.find("\"type\": " + type), 12, "\"type\": 5140");
  WriteText(File("nulls.json"), nulls);
  ASSERT_EQ(Script("load nulls.json" + steps + "expected.json\n").status, 0);
  ASSERT_EQ(Script("load " + in + "\nfail container 1 -1" + steps + "failed.json\n").status, 0);
  const rapidjson::Document failed = ReadJson(File("failed.json")),
                            expected = ReadJson(File("expected.json"));
  for (rapidjson::SizeType i = 0; i < 3; ++i)
    EXPECT_EQ(failed["objects"][0]["children"][i]["matrix"], expected["objects"][0]["children"][i]["matrix"])
        << i;
}

// An option the dialog cannot give (its gadget left out of the dialog's
// description) starts no run: nothing is mirrored with it made up.
TEST_F(EndToEndMirror, AnUnreadableOptionChangesNothing) {
  const std::string canonical = ReadText(Canonical("mixed-hierarchy.json"));
  const fs::path plugins = PluginsCopy(), res = plugins / "vitrel" / "res" / "dialogs.res";
  const std::string description = ReadText(res);
  for (const std::string gadget : {"POPUP 10005 ", "POPUP 10006 ", "CHECKBOX 10010 "}) {
    SCOPED_TRACE(gadget);
    std::string without = description;
    const size_t line = without.find(gadget);
    ASSERT_NE(line, std::string::npos);
    without.erase(line, without.find('\n', line) - line);
    WriteText(res, without);
    const ProgramRun run = Script("load canonical.json\ncommand 1024416\npress 10022\nsave out.json\n",
                                  {"--plugins", plugins.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadText(File("out.json")), canonical);
    EXPECT_TRUE(Events("undo.start").empty());
  }
}

}  // namespace
}  // namespace vitrel::e2e
