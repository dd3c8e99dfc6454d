// Scripts as standin reads them: words and quotes, lines checked before
// anything runs, and a failing step that stops the script at its line.
#include <string>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

using EndToEndScript = StandinTest;

TEST_F(EndToEndScript, QuotedWordsAndComments) {
  const ProgramRun run = Script(
      "# the suffix holds blanks, quotes and a backslash\n"
      "command 1024416   # opens the dialog\n"
      "\tset 10008 true\n"
      "set 10017 \"a \\\"b\\\" c\\\\ #d\"\n"
      "dump-dialog quoted.json\n"
      "set 10017 \"\"\n"
      "dump-dialog empty.json\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_STREQ(ReadJson(File("quoted.json"))["gadgets"]["10017"]["value"].GetString(), "a \"b\" c\\ #d");
  EXPECT_STREQ(ReadJson(File("empty.json"))["gadgets"]["10017"]["value"].GetString(), "");
}

TEST_F(EndToEndScript, LinesThatAreNoStepStopTheScriptBeforeItRuns) {
  struct Case {
    const char* line;
    const char* message;
  };
  const Case cases[] = {
      {"frobnicate 1", "unknown step frobnicate"},
      {"press", "press takes 1 word after it, not 0"},
      {"fail clone 1 1 1", "fail takes 1 to 3 words after it, not 4"},
      {"command twelve", "\"twelve\" is not an integer"},
      {"command 99999999999", "\"99999999999\" is not an integer"},
      {"fail gremlins", "\"gremlins\" is no kind of fault"},
      {"set 10017 \"open", "a quote is left open"},
      {"set 10017 \"a\"b", "a closing quote must end its word"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    fs::remove(journal());
    const ProgramRun run = Script("command 1024416\nsave before.json\n" + std::string(c.line) + "\n");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "standin: steps.txt:3: " + std::string(c.message) + "\n");
    EXPECT_FALSE(fs::exists(File("before.json")));
    EXPECT_FALSE(fs::exists(journal()));
  }
  // An output's folder is checked with the lines: the script fails before
  // its first step.
  const ProgramRun unwritable = Script("command 1024416\nsave before.json\nsave missing/after.json\n");
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err,
            "standin: steps.txt:3: missing/after.json: the folder missing does not exist; create it or write "
            "elsewhere\n");
  EXPECT_FALSE(fs::exists(File("before.json")));
  EXPECT_FALSE(fs::exists(journal()));
  const ProgramRun missing = Standin({"script", "no-such-script.txt"});
  EXPECT_EQ(missing.status, 3);
  EXPECT_NE(missing.err.find("standin: no-such-script.txt: cannot open"), std::string::npos) << missing.err;
}

TEST_F(EndToEndScript, AFailingStepNamesItsLineAndEndsTheScript) {
  WriteText(File("broken.json"), "[]");
  struct Case {
    const char* step;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {"set 10009 true", 2, "gadget 10009 is disabled"},
      {"press 4711", 2, "the dialog has no button or menu entry 4711"},
      {"select Arm/Foot", 2, "the scene has no object Arm/Foot"},
      {"select Hand", 2, "the scene has no object Hand; did you mean Arm/Hand?"},
      {"set 10005 y", 2, "\"y\" is not a value for gadget 10005 (its entries by id: 5000 X, 5001 Y, 5002 Z)"},
      {"host-version 23100", 2, "the host version can only change before the plug-ins load"},
      {"fail clone 0", 2, "FIRST counts calls from 1"},
      {"resize 10005 10 10", 2, "gadget 10005 has no user area attached"},
      {"resize 10002 0 10", 2, "gadget 10002 cannot take the size 0 x 10"},
      {"command 4711", 4, "no loaded plug-in registered command 4711"},
      {"load broken.json", 3, "broken.json: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    const ProgramRun run = Script("load " + Example("arm.json").string() + "\ncommand 1024416\n" + c.step +
                                  "\nsave after.json\n");
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err.rfind("standin: steps.txt:3: " + std::string(c.message), 0), 0u) << run.err;
    EXPECT_FALSE(fs::exists(File("after.json")));
    // The journal is written all the same, the plug-in's end included.
    EXPECT_EQ(Events("plugin.action").back()["action"].GetInt(), 3);
  }
}

TEST_F(EndToEndScript, OutputsThatMeetAreRefusedBeforeTheScriptRuns) {
  fs::copy_file(Example("arm.json"), File("arm.json"));
  const std::string open = "load arm.json\ncommand 1024416\n";
  struct Case {
    const char* steps;
    const char* message;
  };
  const Case cases[] = {
      {"save journal.jsonl\n", "steps.txt:3: save journal.jsonl names the same file as --journal"},
      {"dump-dialog d.json\npicture-dialog ./d.json\n",
       "steps.txt:4: picture-dialog ./d.json names the same file as steps.txt:3: dump-dialog d.json"},
      {"dump-dialog arm.json\n",
       "steps.txt:3: dump-dialog arm.json names the file read as steps.txt:1: load arm.json"},
      {"save steps.txt\n", "steps.txt:3: save steps.txt names the file read as FILE steps.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    fs::remove(journal());
    const ProgramRun run = Script(open + c.steps, {"--pictures", "shots"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(journal()));
    EXPECT_EQ(ReadText(File("arm.json")), ReadText(Example("arm.json")));
  }
  // save over the scene it loaded replaces it, as mirror --out does.
  EXPECT_EQ(Script(open + "save arm.json\n").status, 0);
  // A script that fails before any dialog is shown leaves no picture folder.
  EXPECT_EQ(Script("load missing.json\ncommand 1024416\n", {"--pictures", "shots"}).status, 3);
  EXPECT_FALSE(fs::exists(File("shots")));
}

TEST_F(EndToEndScript, ReadsStandardInput) {
  const ProgramRun run =
      Standin({"script", "-"}, "load " + Example("arm.json").string() + "\ncommand 1024416\nsave -\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, ReadText(Example("arm.json")));
}

}  // namespace
}  // namespace vitrel::e2e
