// `standin validate` on the plug-in this build made, and on a plug-in
// folder that lacks its resources, whose dialog cannot open.
#include <algorithm>
#include <string>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

using EndToEndValidate = StandinTest;

TEST_F(EndToEndValidate, PassesEveryTestAndPrintsTheirFigures) {
  const ProgramRun run = Standin({"validate", "--strictness", "1", "--journal", "last.jsonl"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const char* kLines[] = {
      "lifecycle: 20 load and end cycles, 4 of them started twice\n",
      "dialog: 50 closings and reopenings, every gadget as it was\n",
      "gadgets: 5 rounds, ",
      "mirror: 1000 runs (",
      "faults: ",
  };
  size_t at = 0;
  for (const char* line : kLines) {
    SCOPED_TRACE(line);
    at = run.out.find(line, at);
    ASSERT_NE(at, std::string::npos) << run.out;
  }
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 5) << run.out;
  // The last step's journal: the faults sweep ends with a run that loaded
  // and ended the plug-in.
  EXPECT_NE(ReadText(File("last.jsonl")).find("{\"event\":\"plugin.action\",\"action\":3,\"result\":1}"),
            std::string::npos);
}

TEST_F(EndToEndValidate, StopsAtTheFirstFailingStepAndNamesIt) {
  const fs::path plugins = PluginsCopy();
  fs::remove_all(plugins / "vitrel" / "res");
  const ProgramRun run =
      Standin({"validate", "--plugins", plugins.string(), "--seed", "7", "--journal", "failed.jsonl"});
  EXPECT_EQ(run.status, 1);
  // The last line; the host's own line about the missing file comes first.
  EXPECT_TRUE(
      run.err.ends_with("\nstandin: validate: dialog step 1 (seed 7): the command opened no dialog\n"))
      << run.err;
  EXPECT_NE(ReadText(File("failed.jsonl")).find(kNoResource), std::string::npos);
}

TEST_F(EndToEndValidate, RefusesAStrictnessOutsideOneToTen) {
  const ProgramRun run = Standin({"validate", "--strictness", "11"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(
      run.err,
      "standin: bad value \"11\" for --strictness (an integer from 1 to 10) (see standin validate --help)\n");
}

}  // namespace
}  // namespace vitrel::e2e
