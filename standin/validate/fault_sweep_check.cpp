// Every host call that may fail, failed once. A clean run (step 0) loads the
// plug-in, mirrors a mixed scene with every option on, chooses every menu
// command and ends the plug-in, counting the calls that may fail; step n
// repeats it with the n-th of those calls failing (a higher strictness
// sweeps more scenes, their steps numbered on). Each run must survive,
// close the undo groups it opened, show only the plug-in's own failure
// messages, and one undo must leave the document exactly as it was.
#include "host/faults.h"
#include "io/scene_writer.h"
#include "random/random_scene.h"
#include "session/command_errors.h"
#include "session/mirror_options.h"
#include "validate/validation.h"

namespace standin {
namespace {

constexpr int32_t kMenuCommands[] = {6000, 6001, 6002, 6010};

// Every option on, for the sweep over mixed scene `scene`: the axis and
// the renaming change from scene to scene (every pair within nine scenes),
// as each takes its own path.
std::vector<std::string> EveryOption(int scene) {
  constexpr const char* kAxes[] = {"y", "x", "z"};
  constexpr const char* kRenaming[] = {"all", "host", "primary"};
  return {"--axis",          kAxes[scene % 3],
          "--positioning",   "move-rotate",
          "--points",        "--duplicate",
          "--rename",        kRenaming[(scene / 3) % 3],
          "--suffix",        "_m",
          "--no-keep-color", "--color-mode",
          "always",          "--color",
          "0.25,0.5,1",      "--xray",
          "--final-command"};
}

// Runs `action`; in a run with a failing call a refusal (a gadget the
// failure left disabled, a command that was not registered, a pop-up entry
// the host could not add) is how the plug-in coped, in the clean run it is
// a failure.
template <typename Action>
void Tolerate(bool faulty, Action action) {
  try {
    action();
  } catch (const UserActionError&) {
    if (!faulty) throw;
  } catch (const CommandMissingError&) {
    if (!faulty) throw;
  } catch (const HostRefusalError&) {
    if (!faulty) throw;
  }
}

// One run with call `fail` failing (0: none); the calls that may fail.
int64_t FaultedRun(Validation& validation, const std::string& scene, const std::vector<std::string>& options,
                   int64_t fail) {
  HostSession session(validation.host());
  LoadSceneText(scene);
  validation.Rebase();
  Document& doc = session.document();
  const std::string before = SceneToJson(doc);
  const bool faulty = fail > 0;
  HostFaults().Clear();
  if (faulty) HostFaults().FailNthCall(fail);
  Tolerate(faulty, [&] { session.RunCommand(kMirrorCommand); });
  if (session.HasOpenDialog()) {
    for (const GadgetSetting& setting : MirrorSettings(options)) {
      Tolerate(faulty, [&] { SetGadget(session, setting, HintStyle::kOptions); });
    }
    Tolerate(faulty, [&] { session.Press(kMirrorButton); });
    for (const int32_t id : kMenuCommands) {
      if (session.HasOpenDialog()) Tolerate(faulty, [&] { session.Press(id); });
    }
    // A failure may have cost the dialog its File menu: the window's close
    // box still closes it.
    if (session.HasOpenDialog()) {
      if (!faulty) validation.Fail("the dialog is still open after File > Close manager");
      Tolerate(faulty, [&] { session.Close(); });
    }
  } else if (!faulty) {
    validation.Fail("the command opened no dialog");
  }
  if (!faulty && SceneToJson(doc) == before) validation.Fail("the mirror changed nothing in the mixed scene");
  session.Undo();
  session.End();
  const int64_t calls = HostFaults().calls();
  HostFaults().Clear();
  const std::string undone = SceneToJson(doc);
  if (undone != before) {
    validation.Fail("one undo did not restore the scene: " + FirstDifference(before, undone));
  }
  return calls;
}

}  // namespace

std::string RunFaultsCheck(Validation& validation) {
  // Mixed scenes at strictness S: S squared, so that from strictness 3 on
  // every pair of axis and renaming is swept.
  const int scenes = validation.strictness() * validation.strictness();
  int64_t step = 0, points = 0;
  for (int scene = 0; scene < scenes; ++scene) {
    const std::string text = MixedSceneText(validation.request().seed + static_cast<uint64_t>(scene));
    const std::vector<std::string> options = EveryOption(scene);
    int64_t calls = 0;
    validation.Step("faults", step++, [&](Dice&) { calls = FaultedRun(validation, text, options, 0); });
    for (int64_t fail = 1; fail <= calls; ++fail) {
      validation.Step("faults", step++, [&](Dice&) {
        validation.Describe("with call " + std::to_string(fail) + " of " + std::to_string(calls) +
                            " failing");
        FaultedRun(validation, text, options, fail);
      });
    }
    points += calls;
  }
  return "faults: " + std::to_string(points) + " calls that may fail, over " + std::to_string(scenes) +
         (scenes == 1 ? " mixed scene" : " mixed scenes") + ", each failed once: " + std::to_string(points) +
         " survived";
}

}  // namespace standin
