// Whole mirror runs: selection, duplication, naming, colour, the follow-up
// command, and the text values the run builds names with.
#include <algorithm>

#include "engine_fixture.h"
#include "flipit_ids.h"
#include "host/faults.h"
#include "host/host_string.h"
#include "mirror.h"
#include "undo/undo_history.h"

namespace vitrel::testing {
namespace {

using standin::Object;

class RunTest : public EngineTest {
 protected:
  // A selected object "Cube" at x = 1 with one child "Sphere".
  Object* SelectedCube() {
    Object* cube = Add(5100, "Cube");
    cube->data.matrix.off = {1, 0, 0};
    cube->selected = true;
    Add(5100, "Sphere", cube);
    return cube;
  }
};

TEST_F(RunTest, NothingSelectedDoesNothing) {
  Add(5100, "Cube")->data.matrix.off = {1, 0, 0};
  MirrorRun(dialog());
  EXPECT_TRUE(Events("undo.start").empty());
  EXPECT_EQ(doc().first()->data.matrix.off.x, 1.0);
}

TEST_F(RunTest, OnlyTheFirstSelectedObjectIsMirroredInPlace) {
  Object* objects[3];
  for (Object*& op : objects) {
    op = Add(5100);
    op->data.matrix.off = {1, 0, 0};
    op->selected = true;
  }
  MirrorRun(dialog());
  EXPECT_EQ(objects[0]->data.matrix.off.x, -1.0);
  EXPECT_EQ(objects[1]->data.matrix.off.x, 1.0);
  EXPECT_EQ(objects[2]->data.matrix.off.x, 1.0);
  EXPECT_EQ(Events("undo.start").size(), 1u);
  EXPECT_EQ(Events("undo.end").size(), 1u);
  EXPECT_TRUE(Events("insert").empty());
  EXPECT_TRUE(Events("active").empty());
}

struct RenameCase {
  int32_t mode;
  const char* top;
  const char* child;
};

TEST_F(RunTest, DuplicatesAreInsertedFirstMadeActiveAndRenamedByMode) {
  const RenameCase cases[] = {
      {RENAME_PRIMARY, "Cube_m", "Sphere"},
      {RENAME_ALL, "Cube_m", "Sphere_m"},
      {RENAME_NONE, "Cube", "Sphere"},
      {RENAME_BY_HOST, "Cube.1", "Sphere"},
  };
  for (const RenameCase& c : cases) {
    const std::string name = std::to_string(c.mode);
    SCOPED_TRACE(name);
    ResetScene(name);
    Object* cube = SelectedCube();
    SetOption(IDC_DUPLICATE, true);
    SetOption(IDC_RENAME_MODE, c.mode);
    dialog().SetString(IDC_SUFFIX, "_m");
    SetOption(IDC_KEEP_DISPLAY_COLOR, true);

    MirrorRun(dialog());
    Object* clone = doc().first();
    ASSERT_NE(clone, cube);
    EXPECT_EQ(clone->data.name, c.top);
    ASSERT_NE(clone->first_child, nullptr);
    EXPECT_EQ(clone->first_child->data.name, c.child);
    EXPECT_TRUE(clone->selected);
    EXPECT_FALSE(cube->selected);
    EXPECT_EQ(clone->data.matrix.off.x, -1.0);
    EXPECT_EQ(cube->data.matrix.off.x, 1.0);
    const auto inserts = Events("insert");
    ASSERT_EQ(inserts.size(), 1u);
    EXPECT_EQ(inserts[0]["uniqueName"].GetBool(), c.mode == RENAME_BY_HOST);
    // Registered as new right after it joined the document, as the host's
    // undo needs it.
    const std::vector<std::string> names = EventNames();
    const auto inserted = std::find(names.begin(), names.end(), "insert");
    ASSERT_TRUE(inserted != names.end() && inserted + 1 != names.end());
    EXPECT_EQ(*(inserted + 1), "undo.add");
    EXPECT_EQ(Events("undo.add")[1]["type"].GetInt(), 44);
  }
}

TEST_F(RunTest, ADuplicateWithoutChildrenIsMirroredAlone) {
  SelectedCube();
  SetOption(IDC_DUPLICATE, true);
  SetOption(IDC_DUPLICATE_WITHOUT_CHILDREN, true);
  SetOption(IDC_RENAME_MODE, RENAME_ALL);
  dialog().SetString(IDC_SUFFIX, "_m");
  MirrorRun(dialog());
  EXPECT_EQ(doc().first()->data.name, "Cube_m");
  EXPECT_EQ(doc().first()->first_child, nullptr);
}

struct ColourCase {
  bool keep;
  int32_t listValue;
  int32_t mode;
};

TEST_F(RunTest, TheDuplicateTakesTheDialogsColourUnlessKept) {
  const ColourCase cases[] = {
      {false, COLOR_OFF, 0}, {false, COLOR_AUTOMATIC, 1}, {false, COLOR_ALWAYS, 2}, {false, COLOR_LAYER, 3},
      {false, 7777, 0},      {true, COLOR_ALWAYS, -1},
  };
  for (const ColourCase& c : cases) {
    const std::string name = std::to_string(c.listValue);
    SCOPED_TRACE(name);
    ResetScene(name);
    SelectedCube()->data.color = {2, {0.5, 0.5, 0.5}, false};
    SetOption(IDC_DUPLICATE, true);
    SetOption(IDC_KEEP_DISPLAY_COLOR, c.keep);
    SetOption(IDC_DISPLAY_COLOR_MODE, c.listValue);
    dialog().SetColorField(IDC_DISPLAY_COLOR, Vector(0.1, 0.2, 0.3), 1.0, 100.0, 0);
    SetOption(IDC_XRAY, true);

    MirrorRun(dialog());
    const standin::DisplayColor& color = doc().first()->data.color;
    if (c.keep) {
      EXPECT_EQ(color, (standin::DisplayColor{2, {0.5, 0.5, 0.5}, false}));
    } else {
      EXPECT_EQ(color, (standin::DisplayColor{c.mode, {0.1, 0.2, 0.3}, true}));
    }
    // Only the top object of the duplicate is coloured.
    EXPECT_EQ(doc().first()->first_child->data.color, standin::DisplayColor{});
  }
}

TEST_F(RunTest, AFailedDuplicationIsReportedAndMirrorsInPlaceInOneUndoStep) {
  Object* cube = SelectedCube();
  SetOption(IDC_DUPLICATE, true);
  standin::HostFaults().FailFrom(standin::Fault::kClone, 1);
  MirrorRun(dialog());

  const auto boxes = Events("messagebox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_STREQ(
      boxes[0]["text"].GetString(),
      "Vitrel system error: unable to duplicate requested object\n(are you short of system memory?).");
  EXPECT_EQ(boxes[0]["type"].GetInt(), 48);
  EXPECT_EQ(doc().first(), cube);
  EXPECT_EQ(cube->data.matrix.off.x, -1.0);
  EXPECT_TRUE(standin::Undo(doc()));
  EXPECT_EQ(cube->data.matrix.off.x, 1.0);
}

struct FollowUpCase {
  bool duplicate;
  bool finalCommand;
  const char* mirrored;  // the name of the object the run mirrored
};

TEST_F(RunTest, TheFollowUpCommandRunsOnTheMirroredObjectAfterTheWalkWhenAskedFor) {
  const FollowUpCase cases[] = {
      {true, true, "Cube_m"}, {false, true, "Cube"}, {true, false, "Cube_m"}, {false, false, "Cube"}};
  for (const FollowUpCase& c : cases) {
    const std::string name =
        (::testing::Message() << "duplicate " << c.duplicate << ", final command " << c.finalCommand)
            .GetString();
    SCOPED_TRACE(name);
    ResetScene(name);
    SelectedCube();
    SetOption(IDC_DUPLICATE, c.duplicate);
    SetOption(IDC_RENAME_MODE, RENAME_PRIMARY);
    dialog().SetString(IDC_SUFFIX, "_m");
    SetOption(IDC_KEEP_DISPLAY_COLOR, true);
    SetOption(IDC_FINAL_COMMAND, c.finalCommand);
    MirrorRun(dialog());

    const auto commands = Events("command");
    const auto messages = Events("message");
    const auto postMirror = std::count_if(messages.begin(), messages.end(),
                                          [](const rapidjson::Document& m) { return m["id"].GetInt() == 5; });
    if (!c.finalCommand) {
      EXPECT_TRUE(commands.empty());
      EXPECT_EQ(postMirror, 0);
      continue;
    }
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0]["id"].GetInt(), 1023335);
    EXPECT_EQ(commands[0]["sub"].GetInt(), 0);
    EXPECT_EQ(postMirror, 1);
    // Walk (ending with a refresh per object), a duplicate made active, the
    // mirrored object's undo step, the command, then message 5 to it.
    std::vector<std::string> expected{"refresh", "active", "undo.add", "command", "message", "undo.end"};
    if (!c.duplicate) expected.erase(expected.begin() + 1);
    const std::vector<std::string> names = EventNames();
    const auto command = std::find(names.begin(), names.end(), "command");
    ASSERT_GE(command - names.begin(), 3);
    EXPECT_EQ(std::vector<std::string>(command - (c.duplicate ? 3 : 2), command + 3), expected);
    EXPECT_EQ(Objects("undo.add").back(), c.mirrored);
    EXPECT_STREQ(messages.back()["object"].GetString(), c.mirrored);
    EXPECT_EQ(messages.back()["id"].GetInt(), 5);
    if (c.duplicate) {
      EXPECT_EQ(Objects("active"), (std::vector<std::string>{"Cube", "Cube_m"}));
    }
  }
}

// Text values: UTF-8, lengths in characters, shared until changed.
TEST_F(EngineTest, TextsCountCharactersInsertByCharacterAndShareUntilChanged) {
  String name("Würfel");
  EXPECT_EQ(name.GetLength(), 6);
  String copy = name;
  name.Insert(2, "ß");
  name.Insert(100, "_m");
  name.Insert(-3, "<");
  EXPECT_EQ(name, String("<Wüßrfel_m"));
  EXPECT_EQ(name.GetLength(), 10);
  EXPECT_EQ(copy, String("Würfel"));
  EXPECT_EQ(String() + "", String());
  EXPECT_TRUE(String("").IsEmpty());
}

TEST_F(EngineTest, ATextKeepsItsValueWhenTheHostRefusesMemory) {
  String name("Cube");
  standin::HostFaults().FailFrom(standin::Fault::kAllocation, 1, -1);
  name += "_mirror";
  const String made("made");
  standin::HostFaults().Clear();
  EXPECT_EQ(name, String("Cube"));
  EXPECT_TRUE(made.IsEmpty());
}

}  // namespace
}  // namespace vitrel::testing
