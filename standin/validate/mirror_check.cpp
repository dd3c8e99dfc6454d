// Mirror runs over random scenes of every object type the mirror treats,
// with random options set in the dialog as a user sets them (after Reset,
// so that a step does not depend on the steps before it). After each run:
// with "move and rotate", everything mirrored lies at its reflection
// (reflection_check.h); one undo gives back the scene as it was before the
// run, byte for byte as standin writes it, and one redo the mirrored scene.
#include <algorithm>

#include "host/run_record.h"
#include "io/scene_writer.h"
#include "random/random_scene.h"
#include "session/mirror_options.h"
#include "validate/reflection_check.h"
#include "validate/validation.h"

namespace standin {
namespace {

// Runs at strictness S: this times S squared.
constexpr int kRunsPerStrictnessSquared = 1000;
constexpr int kRunsPerSession = 250;
constexpr int32_t kResetButton = 10015;

// The objects the run walks: the first selected object in document order
// and, unless the options leave them out, everything below it.
int64_t ObjectsToMirror(const Document& doc, const std::vector<std::string>& options) {
  const Object* first = doc.first();
  while (first != nullptr && !first->selected) first = NextInDocument(first);
  if (first == nullptr) return 0;
  const auto has = [&](const char* option) {
    return std::find(options.begin(), options.end(), option) != options.end();
  };
  if (has("--skip-children") || has("--without-children")) return 1;
  int64_t count = 0;
  for (const Object* op = first; op != nullptr; op = NextInSubtree(first, op)) ++count;
  return count;
}

struct Figures {
  int64_t runs = 0;
  int64_t copies = 0;
  int64_t objects = 0;
  int64_t reflected = 0;
};

void Run(Validation& validation, HostSession& session, Dice& dice, Figures& figures) {
  LoadSceneText(RandomSceneText(dice.Raw()));
  if (!session.HasOpenDialog()) {
    session.RunCommand(kMirrorCommand);
    if (!session.HasOpenDialog()) validation.Fail("the command opened no dialog");
  }
  session.Press(kResetButton);
  const bool duplicate = dice.Chance(0.5);
  const std::vector<std::string> options = RandomMirrorOptions(dice, duplicate);
  for (const GadgetSetting& setting : MirrorSettings(options))
    SetGadget(session, setting, HintStyle::kOptions);
  Document& doc = session.document();
  const std::string before = SceneToJson(doc);
  figures.objects += ObjectsToMirror(doc, options);
  const ReflectionCheck reflection(doc, options);
  const Object* copy = nullptr;
  {
    const RunRecord record;
    session.Press(kMirrorButton);
    copy = record.inserted();
  }
  const ReflectionCheck::Outcome placed = reflection.Check(copy);
  if (!placed.misplaced.empty())
    validation.Fail("an object is not where the mirror puts it: " + placed.misplaced);
  figures.reflected += placed.followed;
  const std::string mirrored = SceneToJson(doc);
  session.Undo();
  const std::string undone = SceneToJson(doc);
  if (undone != before) validation.Fail("undo did not restore the scene: " + FirstDifference(before, undone));
  session.Redo();
  const std::string redone = SceneToJson(doc);
  if (redone != mirrored) {
    validation.Fail("redo did not give the mirrored scene back: " + FirstDifference(mirrored, redone));
  }
  ++figures.runs;
  if (duplicate) ++figures.copies;
}

}  // namespace

std::string RunMirrorCheck(Validation& validation) {
  RenewedSession sessions(validation, kRunsPerSession);
  const int runs = kRunsPerStrictnessSquared * validation.strictness() * validation.strictness();
  Figures figures;
  for (int step = 1; step <= runs; ++step) {
    HostSession& session = sessions.For(step);
    validation.Step("mirror", step, [&](Dice& dice) { Run(validation, session, dice, figures); });
  }
  sessions.End();
  return "mirror: " + std::to_string(figures.runs) + " runs (" + std::to_string(figures.copies) +
         " on a copy), each undone and redone, " + std::to_string(figures.objects) + " objects mirrored, " +
         std::to_string(figures.reflected) + " of them checked at their reflection";
}

}  // namespace standin
