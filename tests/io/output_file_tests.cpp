// Output files are replaced whole or not at all.
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "io/input_file.h"
#include "io/output_file.h"
#include "io/scene_writer.h"
#include "output_file_fixture.h"

namespace standin {
namespace {

// Names are UTF-8 inside the host, whatever the system's own encoding.
TEST_F(OutputFile, NonAsciiNamesAreCreatedReplacedAndRead) {
  const fs::path native = folder_ / fs::path(std::u8string(u8"\u00e9t\u00e9 \u93e1.json"));
  const std::u8string utf8 = native.u8string();
  const std::string path(utf8.begin(), utf8.end());
  ReplaceFile(path, "first");
  ReplaceFile(path, "second");
  EXPECT_EQ(Get(native), "second");
  EXPECT_EQ(Names().size(), 1u);
  const InputFile in = OpenInputFile(path);
  ASSERT_NE(in, nullptr);
  char read[8] = {};
  EXPECT_EQ(std::fread(read, 1, sizeof read, in.get()), 6u);
  EXPECT_STREQ(read, "second");
}

// A run may stage any number of outputs at once (a dialog picture each).
TEST_F(OutputFile, ManyOutputsAreStagedAndPutInPlaceTogether) {
  std::vector<fs::path> outputs;
  OutputBatch batch;
  for (int i = 0; i < 70; ++i) {
    outputs.push_back(folder_ / ("out" + std::to_string(i)));
    batch.Stage(outputs.back().string(), std::to_string(i));
  }
  batch.Commit();
  for (int i = 0; i < 70; ++i) EXPECT_EQ(Get(outputs[static_cast<size_t>(i)]), std::to_string(i));
  EXPECT_EQ(Names().size(), 70u);
}

// An output written as the run goes keeps every block in order, also when
// it is flushed to disk before its last blocks come (as a journal is while
// the run's other outputs are made), and only its staging puts it in place.
TEST_F(OutputFile, OutputInProgressSettledEarlyIsWhole) {
  const fs::path out = Path("journal.jsonl");
  std::unique_ptr<OutputInProgress> output = OutputInProgress::Start(out.string());
  ASSERT_NE(output, nullptr);
  const std::string first(3000, 'a');
  const std::string second(2000, 'b');
  output->SettleBehind();  // nothing passed on yet: nothing to do
  output->WriteBehind(first);
  output->SettleBehind();
  output->WriteBehind(second);
  output->Write("end\n");
  EXPECT_FALSE(fs::exists(out));
  OutputBatch batch;
  batch.StageWritten(std::move(output));
  batch.Commit();
  EXPECT_EQ(Get(out), first + second + "end\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"journal.jsonl"});
}

TEST_F(OutputFile, MissingFolderIsAnError) {
  EXPECT_THROW(ReplaceFile(Path("no/such/out.json").string(), "new"), FileWriteError);
  EXPECT_TRUE(Names().empty());
}

TEST_F(OutputFile, UnwritableSceneTouchesNothing) {
  const fs::path out = Path("out.json");
  Put(out, "old");
  Scene scene;
  Document& document = scene.NewDocument();
  Object* op = scene.NewObject(5140);
  op->data.matrix.v2.y = std::numeric_limits<double>::infinity();
  document.Append(op, nullptr);
  try {
    WriteSceneFile(document, out.string());
    ADD_FAILURE() << "an infinite number was written";
  } catch (const SceneWriteError& error) {
    EXPECT_EQ(error.what(), out.string() + ": objects[0].matrix: number is not finite");
  }
  EXPECT_EQ(Get(out), "old");
}

}  // namespace
}  // namespace standin
