// Properties of every example scene through the program, on every axis:
// mirroring twice gives the scene back, undo restores the file byte for
// byte, redo brings back the mirrored file, and every change was registered
// for undo first.
#include <algorithm>
#include <string>
#include <vector>

#include "handler_run.h"
#include "io/scene_reader.h"
#include "random_scene.h"

namespace vitrel::handlers {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ExampleFiles() {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(VITREL_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() == ".json") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The first selected object in document order: the one a run mirrors.
Object* FirstSelected(const standin::Document& doc) {
  for (Object* op = doc.first(); op != nullptr; op = standin::NextInDocument(op)) {
    if (op->selected) return op;
  }
  return nullptr;
}

class ExampleProperties : public HandlerRun {
 protected:
  // Runs "mirror IN --out OUT" with `options`; the run must succeed and
  // register every change before making it.
  void Run(const fs::path& in, const std::string& out, std::vector<std::string> options) {
    options.insert(options.begin(), {"mirror", in.string(), "--out", out, "--journal", journal().string()});
    const e2e::ProgramRun run = Standin(options);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Events("undo.missing").empty());
  }
};

TEST_F(ExampleProperties, EveryExampleMirrorsTwiceBackUndoesAndRedoesOnEachAxis) {
  const std::vector<fs::path> examples = ExampleFiles();
  ASSERT_GE(examples.size(), 15u);
  for (const fs::path& example : examples) {
    for (const char* axis : {"x", "y", "z"}) {
      SCOPED_TRACE(example.filename().string() + " across " + axis);
      ASSERT_NO_FATAL_FAILURE(Run(example, "once.json", {"--axis", axis}));
      ASSERT_NO_FATAL_FAILURE(Run(File("once.json"), "twice.json", {"--axis", axis}));
      ASSERT_NO_FATAL_FAILURE(Run(example, "undone.json", {"--axis", axis, "--undo"}));
      ASSERT_NO_FATAL_FAILURE(Run(example, "redone.json", {"--axis", axis, "--undo", "--redo"}));
      EXPECT_EQ(ReadText(File("undone.json")), ReadText(example));
      EXPECT_EQ(ReadText(File("redone.json")), ReadText(File("once.json")));

      standin::Scene scene;
      const standin::Document& input = standin::ReadSceneFile(example.string(), scene);
      if (FirstSelected(input) != nullptr) {
        EXPECT_NE(ReadText(File("once.json")), ReadText(example));
      }
      // Polygons are reversed twice by the host's command, so they match too.
      e2e::ExpectScenesNear(standin::ReadSceneFile(File("twice.json").string(), scene), input, 1e-9);
    }
  }
}

}  // namespace
}  // namespace vitrel::handlers
