// The command line as a new user tries it: options anywhere, --opt=value,
// help on every command, names in scripts, the notices of a run that
// mirrors less than the user may think, and host calls failed on demand.
#include <algorithm>
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

using CommandLine = StandinTest;

size_t Lines(const std::string& text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(CommandLine, OptionsGoAnywhereAndTakeTheirValueEitherWay) {
  const std::string arm = Example("arm.json").string();
  const ProgramRun after = Standin({"mirror", arm, "--axis", "y", "--positioning", "move"});
  ASSERT_EQ(after.status, 0) << after.err;
  const ProgramRun before = Standin({"mirror", "--axis=y", "--positioning=move", arm});
  ASSERT_EQ(before.status, 0) << before.err;
  EXPECT_EQ(before.out, after.out);
  EXPECT_NE(before.out, Standin({"mirror", arm}).out);

  // A suffix may begin with '-'.
  ASSERT_EQ(Standin({"mirror", arm, "--duplicate", "--suffix", "-left", "--out", "out.json"}).status, 0);
  EXPECT_STREQ(ReadJson(File("out.json"))["objects"][0]["name"].GetString(), "Arm-left");
}

TEST_F(CommandLine, EveryCommandExplainsItsOptionsAndDefaults) {
  for (const std::string command : {"info", "mirror", "script", "validate"}) {
    SCOPED_TRACE(command);
    const ProgramRun help = Standin({command, "-h"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: standin " + command), std::string::npos) << help.out;
    EXPECT_EQ(Standin({command, "--help"}).out, help.out);
  }
  const std::string mirror = Standin({"mirror", "--help"}).out;
  EXPECT_NE(mirror.find("--axis x|y|z"), std::string::npos) << mirror;
  EXPECT_NE(mirror.find("default _mirror"), std::string::npos) << mirror;
  EXPECT_NE(Standin({"script", "--help"}).out.find("set GADGET VALUE"), std::string::npos);
  const ProgramRun top = Standin({"--help"});
  EXPECT_NE(top.out.find("docs/standin.md"), std::string::npos) << top.out;
  EXPECT_EQ(Standin({"--version"}).out.rfind("standin ", 0), 0u);

  const ProgramRun wrong = Standin({"mirror", Example("arm.json").string(), "--frobnicate"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err, "standin: unknown option --frobnicate (see standin mirror --help)\n");
}

TEST_F(CommandLine, ScriptsNameGadgetsAndButtonsAsTheOptionsDo) {
  const std::string load = "load " + Example("arm.json").string() + "\ncommand 1024416\n";
  ASSERT_EQ(Script(load + "set 10005 5001\nset 10008 true\npress 10022\nsave ids.json\n").status, 0);
  const ProgramRun named = Script(load + "set axis y\nset duplicate true\npress mirror\nsave names.json\n");
  ASSERT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(ReadText(File("names.json")), ReadText(File("ids.json")));

  const ProgramRun disabled = Script(load + "set rename all\n");
  EXPECT_EQ(disabled.status, 2);
  EXPECT_EQ(disabled.err,
            "standin: steps.txt:3: gadget 10016 is disabled; set duplicate true would enable it\n");
  const ProgramRun bad_word = Script(load + "set axis w\n");
  EXPECT_EQ(bad_word.status, 3);
  EXPECT_EQ(bad_word.err, "standin: steps.txt:3: axis must be x, y or z, not \"w\"\n");
}

TEST_F(CommandLine, ARunThatDoesLessThanItsUserMayExpectSaysSo) {
  const std::string arm = Example("arm.json").string();
  const ProgramRun none = Standin({"mirror", arm, "--select", "Arm", "--select", "Arm/Hand"});
  ASSERT_EQ(none.status, 0);
  EXPECT_EQ(none.err, "standin: 2 objects are selected; the plug-in mirrors only the first, Arm\n");
  const ProgramRun quiet = Standin({"mirror", arm, "--select", "Arm", "--select", "Arm/Hand", "--quiet"});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.err, "");

  const ProgramRun nothing =
      Script("load " + arm + "\nselect\ncommand 1024416\npress mirror\nsave out.json\n");
  ASSERT_EQ(nothing.status, 0);
  EXPECT_EQ(nothing.err.rfind("standin: nothing is selected, so the mirror changed nothing", 0), 0u)
      << nothing.err;
  EXPECT_EQ(ReadText(File("out.json")).find("\"selected\": true"), std::string::npos);

  // A suffix that is not UTF-8 makes names the host refuses; one in UTF-8,
  // beyond ASCII, renames without a word.
  const auto rename = [&](const std::string& suffix) {
    return Script("load " + arm + "\ncommand 1024416\nset duplicate true\nset rename all\nset suffix \"" +
                  suffix + "\"\npress mirror\nsave out.json\n");
  };
  const ProgramRun refused = rename("\xFF_l");
  ASSERT_EQ(refused.status, 0);
  EXPECT_EQ(
      refused.err,
      "standin: the suffix \"?_l\" is not UTF-8, and the host takes only UTF-8 names, so the copy keeps "
      "the names it has\n");
  EXPECT_EQ(ReadText(File("out.json")).find("_l\""), std::string::npos);
  const ProgramRun taken = rename("_\xC3\xA4");
  ASSERT_EQ(taken.status, 0);
  EXPECT_EQ(taken.err, "");
  EXPECT_NE(ReadText(File("out.json")).find("\"Hand_\xC3\xA4\""), std::string::npos);

  // A failed load is the reason a command is missing: one line says both.
  const ProgramRun missing = Standin({"mirror", arm, "--plugins", File("no-such-folder").string()});
  EXPECT_EQ(missing.status, 4);
  EXPECT_EQ(Lines(missing.err), 1u) << missing.err;
}

// The N-th host call that may fail fails: each run of a duplicate ends with
// a status of its own (0; 1 when the dialog could not open; 4 when the
// plug-in could not start), never a crash, and registers every change; a seed
// fails the same calls each time.
TEST_F(CommandLine, HostCallsFailOnDemandAndTheRunSurvives) {
  const std::string arm = Example("arm.json").string();
  const std::vector<std::string> run = {"mirror", arm,         "--duplicate",     "--rename",
                                        "all",    "--journal", journal().string()};
  for (const std::string op : {"1", "5", "12", "40"}) {
    SCOPED_TRACE(op);
    std::vector<std::string> words = run;
    words.insert(words.end(), {"--fail-op", op});
    const ProgramRun failed = Standin(words);
    EXPECT_TRUE(failed.status == 0 || failed.status == 1 || failed.status == 4) << failed.err;
    EXPECT_TRUE(Events("undo.missing").empty());
    EXPECT_EQ(Events("undo.start").size(), Events("undo.end").size());
  }
  std::vector<std::string> seeded = run;
  seeded.insert(seeded.end(), {"--fail-seed", "3", "--out", "a.json"});
  const ProgramRun first = Standin(seeded);
  seeded.back() = "b.json";
  const ProgramRun second = Standin(seeded);
  EXPECT_EQ(first.status, second.status);
  EXPECT_EQ(ReadText(File("a.json")), ReadText(File("b.json")));
  EXPECT_EQ(Standin({"mirror", arm, "--fail-op", "0"}).status, 2);
}

// The 33rd call that may fail is the memory for the text of --rename's
// entry "all": the plug-in then leaves the entry out, which is the host's
// failure (exit 1) wherever the entry is chosen, while a value that was never
// an entry stays the user's mistake (exit 2).
TEST_F(CommandLine, AnEntryTheHostCouldNotAddIsTheHostsFailure) {
  const std::string arm = Example("arm.json").string();
  const std::string lost = "the host could not add entry 5071 to gadget 10016: while it built the dialog";
  for (const std::string chosen : {"--rename=all", "--gadget=10016=5071"}) {
    const ProgramRun run =
        Standin({"mirror", arm, "--duplicate", chosen, "--fail-op", "33", "--out", "o.json"});
    EXPECT_EQ(run.status, 1) << chosen;
    EXPECT_NE(run.err.find(lost), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(File("o.json")));
  }
  EXPECT_EQ(Standin({"mirror", arm, "--duplicate", "--gadget", "10016=5079", "--fail-op", "33"}).status, 2);
  const ProgramRun script =
      Script("load " + arm + "\ncommand 1024416\nset duplicate true\nset rename all\n", {"--fail-op", "33"});
  EXPECT_EQ(script.status, 1);
  EXPECT_NE(script.err.find("steps.txt:4: " + lost), std::string::npos) << script.err;
}

// --strict turns each notice into exit status 5 and one line, and the run
// writes nothing; without a notice it changes nothing.
TEST_F(CommandLine, StrictFailsWhereANoticeWouldBeGiven) {
  const std::string arm = Example("arm.json").string();
  const std::vector<std::string> outputs = {"--out", "o.json", "--journal", "j.jsonl", "--report", "r.json"};
  const auto mirror = [&](std::vector<std::string> words) {
    words.insert(words.begin(), {"mirror", arm, "--strict"});
    words.insert(words.end(), outputs.begin(), outputs.end());
    return Standin(words);
  };
  const ProgramRun two = mirror({"--select", "Arm", "--select", "Arm/Hand"});
  EXPECT_EQ(two.status, 5);
  EXPECT_EQ(two.err, "standin: --strict: 2 objects are selected; the plug-in mirrors only the first, Arm\n");
  for (const char* file : {"o.json", "j.jsonl", "r.json"}) EXPECT_FALSE(fs::exists(File(file))) << file;
  // A script carries the bytes of a suffix that is not UTF-8 on every
  // system (Windows hands a program its words as UTF-16).
  const ProgramRun suffix = Script("load " + arm +
                                       "\ncommand 1024416\nset duplicate true\nset rename all\nset suffix "
                                       "\"\xFF\"\npress mirror\nsave o.json\n",
                                   {"--strict"});
  EXPECT_EQ(suffix.status, 5);
  EXPECT_EQ(Lines(suffix.err), 1u) << suffix.err;
  EXPECT_FALSE(fs::exists(File("o.json")));
  ASSERT_EQ(Standin({"mirror", arm, "--select", "Arm", "--out", "plain.json"}).status, 0);
  ASSERT_EQ(mirror({"--select", "Arm"}).status, 0);
  EXPECT_EQ(ReadText(File("o.json")), ReadText(File("plain.json")));

  const ProgramRun nothing =
      Script("load " + arm + "\nselect\ncommand 1024416\npress mirror\nsave out.json\n", {"--strict"});
  EXPECT_EQ(nothing.status, 5);
  EXPECT_EQ(nothing.err.rfind("standin: steps.txt:4: --strict: nothing is selected", 0), 0u) << nothing.err;
  EXPECT_FALSE(fs::exists(File("out.json")));
}

}  // namespace
}  // namespace vitrel::e2e
