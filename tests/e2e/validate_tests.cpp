// `standin validate` on the plug-in this build made, and on a plug-in
// folder that lacks its resources, whose dialog cannot open; its list of
// checks and the choice of some.
#include <algorithm>
#include <string>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

using EndToEndValidate = StandinTest;

TEST_F(EndToEndValidate, PassesEveryCheckAndPrintsTheirFigures) {
  const ProgramRun run = Standin({"validate", "--strictness", "1", "--journal", "last.jsonl"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const char* kLines[] = {
      "PASS lifecycle: 20 load and end cycles, 4 of them started twice\n",
      "PASS dialog: 50 closings and reopenings, every gadget as it was\n",
      "PASS gadgets: 5 rounds, ",
      "PASS mirror: 1000 runs (",
      "PASS faults: ",
      "\n5 passed, 0 failed\n",
  };
  size_t at = 0;
  for (const char* line : kLines) {
    SCOPED_TRACE(line);
    at = run.out.find(line, at);
    ASSERT_NE(at, std::string::npos) << run.out;
  }
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 6) << run.out;
  // The last step's journal: the faults sweep ends with a run that loaded
  // and ended the plug-in.
  EXPECT_NE(ReadText(File("last.jsonl")).find("{\"event\":\"plugin.action\",\"action\":3,\"result\":1}"),
            std::string::npos);
}

// Without resources no dialog opens: every check but lifecycle fails at its
// first step, and each failure is reported while the others still run.
TEST_F(EndToEndValidate, AFailingCheckStopsAtItsFirstStepAndTheOthersStillRun) {
  const fs::path plugins = PluginsCopy();
  fs::remove_all(plugins / "vitrel" / "res");
  const ProgramRun run = Standin({"validate", "--strictness", "1", "--plugins", plugins.string(), "--seed",
                                  "7", "--journal", "failed.jsonl"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "PASS lifecycle: 20 load and end cycles, 4 of them started twice\n"
            "FAIL dialog: step 1 (seed 7): the command opened no dialog\n"
            "FAIL gadgets: step 1 (seed 7): the command opened no dialog\n"
            "FAIL mirror: step 1 (seed 7): the command opened no dialog\n"
            "FAIL faults: step 0 (seed 7): the command opened no dialog\n"
            "1 passed, 4 failed\n");
  // The host's own line about the missing file comes before each.
  EXPECT_NE(run.err.find("\nstandin: validate: dialog step 1 (seed 7): the command opened no dialog\n"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(
      run.err.ends_with("\nstandin: validate: faults step 0 (seed 7): the command opened no dialog\n"))
      << run.err;
  EXPECT_NE(ReadText(File("failed.jsonl")).find(kNoResource), std::string::npos);
}

TEST_F(EndToEndValidate, ListsTheChecksAndRunsOnlyThoseNamedInTheTablesOrder) {
  const ProgramRun list = Standin({"validate", "--list"});
  EXPECT_EQ(list.status, 0);
  EXPECT_TRUE(list.out.starts_with("lifecycle ") && list.out.find("\nfaults ") != std::string::npos)
      << list.out;
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 5) << list.out;

  const ProgramRun picked =
      Standin({"validate", "--strictness", "1", "--test", "dialog", "--test", "lifecycle"});
  EXPECT_EQ(picked.status, 0) << picked.err;
  EXPECT_TRUE(picked.out.starts_with("PASS lifecycle: ") &&
              picked.out.find("\nPASS dialog: ") != std::string::npos &&
              picked.out.ends_with("\n2 passed, 0 failed\n"))
      << picked.out;
}

TEST_F(EndToEndValidate, RefusesAStrictnessOutsideOneToTenAndAnUnknownCheck) {
  const ProgramRun run = Standin({"validate", "--strictness", "11"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(
      run.err,
      "standin: bad value \"11\" for --strictness (an integer from 1 to 10) (see standin validate --help)\n");
  const ProgramRun unknown = Standin({"validate", "--test", "mirror", "--test", "mirorr"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err,
            "standin: unknown check \"mirorr\" for --test (lifecycle, dialog, gadgets, mirror, faults) (see "
            "standin validate --help)\n");
}

}  // namespace
}  // namespace vitrel::e2e
