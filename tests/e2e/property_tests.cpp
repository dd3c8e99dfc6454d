// Properties of whole mirror runs over random scenes, through the program:
// undo restores the input exactly, redo brings the run back, the same mirror
// twice returns to the input, and every change was registered for undo.
#include <random>
#include <string>
#include <vector>

#include "io/scene_reader.h"
#include "random_scene.h"
#include "standin_test.h"

namespace vitrel::e2e {
namespace {

class EndToEndProperties : public StandinTest {
 protected:
  // Mirrors `in` into `out` with `options` and the extra words; checks that
  // the run succeeded and left no change unregistered.
  void Mirror(const std::string& in, const std::string& out, std::vector<std::string> options,
              std::initializer_list<const char*> extra = {}) {
    options.insert(options.begin(), {"mirror", in, "--out", out, "--journal", journal().string()});
    options.insert(options.end(), extra.begin(), extra.end());
    const ProgramRun run = Standin(options);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Events("undo.missing").size(), 0u);
  }
};

constexpr uint64_t kScenes = 24;

TEST_F(EndToEndProperties, UndoRestoresTheInputAndRedoTheRun) {
  std::mt19937_64 rng(7);
  for (uint64_t seed = 1; seed <= kScenes; ++seed) {
    SCOPED_TRACE("scene " + std::to_string(seed));
    WriteText(File("in.json"), RandomSceneText(seed));
    const std::vector<std::string> options = RandomMirrorOptions(rng, seed % 2 == 0);
    ASSERT_NO_FATAL_FAILURE(Mirror("in.json", "mirrored.json", options));
    ASSERT_NO_FATAL_FAILURE(Mirror("in.json", "undone.json", options, {"--undo"}));
    ASSERT_NO_FATAL_FAILURE(Mirror("in.json", "redone.json", options, {"--undo", "--redo"}));
    EXPECT_EQ(ReadText(File("undone.json")), ReadText(File("in.json")));
    EXPECT_EQ(ReadText(File("redone.json")), ReadText(File("mirrored.json")));
  }
}

TEST_F(EndToEndProperties, MirroringTwiceReturnsToTheInput) {
  std::mt19937_64 rng(11);
  uint64_t changed = 0;
  for (uint64_t seed = 100; seed < 100 + kScenes; ++seed) {
    SCOPED_TRACE("scene " + std::to_string(seed));
    WriteText(File("in.json"), RandomSceneText(seed));
    const std::vector<std::string> options = RandomMirrorOptions(rng, false);
    ASSERT_NO_FATAL_FAILURE(Mirror("in.json", "once.json", options));
    ASSERT_NO_FATAL_FAILURE(Mirror("once.json", "twice.json", options));
    if (ReadText(File("once.json")) != ReadText(File("in.json"))) ++changed;
    standin::Scene scene;
    ExpectScenesNear(standin::ReadSceneFile(File("twice.json").string(), scene),
                     standin::ReadSceneFile(File("in.json").string(), scene), 1e-9);
  }
  // Most scenes have a selection, so most runs change something.
  EXPECT_GT(changed, kScenes / 2);
}

}  // namespace
}  // namespace vitrel::e2e
