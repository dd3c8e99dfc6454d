// Properties of whole mirror runs over random scenes, through the program:
// undo restores the input exactly, redo brings the run back, the same mirror
// twice returns to the input, every change was registered for undo, and
// two runs give the same bytes whatever the user's locale.
#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include "io/scene_reader.h"
#include "random_scene.h"
#include "standin_fixture.h"

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
  Dice rng(7);
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
  Dice rng(11);
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

#ifndef _WIN32
// standin runs in the user's locale, as a host does: a number written or
// read through it (a decimal comma in German) would show here.
TEST_F(EndToEndProperties, TwoRunsGiveTheSameBytesAlsoUnderAGermanLocale) {
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
      << "the locale de_DE.UTF-8 is missing; scripts/install-deps.sh installs it";
  std::setlocale(LC_ALL, "C");
  WriteText(File("in.json"), RandomSceneText(5));
  const auto run = [&](const std::string& tag) {
    Mirror("in.json", tag + ".json",
           {"--axis", "y", "--duplicate", "--rename", "all", "--no-keep-color", "--color-mode", "always",
            "--color", "0.25,0.5,1"},
           {"--report", "report.json"});
    return ReadText(File(tag + ".json")) + ReadText(journal()) + ReadText(File("report.json")) +
           Standin({"info", "in.json", "--params"}).out;
  };
  const std::string plain = run("plain");
  ASSERT_EQ(setenv("LC_ALL", "de_DE.UTF-8", 1), 0);
  const std::string german = run("german");
  unsetenv("LC_ALL");
  EXPECT_EQ(german, plain);
}
#endif

}  // namespace
}  // namespace vitrel::e2e
