// The mirror dialog as a user meets it: its first opening, the rules that
// enable and disable its gadgets, reset, its menus, and the settings it
// keeps from one opening to the next.
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "flipit_ids.h"
#include "plugin_fixture.h"
#include "table/host_table.h"
#include "ui/dialog_host.h"
#include "ui/filename.h"

namespace vitrel::testing {
namespace {

// The gadgets whose state follows the duplicate and display-colour options.
constexpr int32_t kDependent[] = {
    IDC_DUPLICATE_WITHOUT_CHILDREN, IDC_RENAME_MODE,   IDC_SUFFIX, IDC_KEEP_DISPLAY_COLOR,
    IDC_DISPLAY_COLOR_MODE,         IDC_DISPLAY_COLOR, IDC_XRAY};

class MirrorDialogTest : public PluginTest {
 protected:
  void OpenDialog() {
    ASSERT_TRUE(Start());
    RunCommand();
  }

  const standin::Gadget& G(int32_t id) {
    const standin::Gadget* gadget = Window().Find(id);
    if (gadget == nullptr) throw std::runtime_error("no gadget " + std::to_string(id));
    return *gadget;
  }
  int32_t Int(int32_t id) { return std::get<int32_t>(G(id).value); }
  bool Bool(int32_t id) { return std::get<bool>(G(id).value); }
  std::string Text(int32_t id) { return std::get<std::string>(G(id).value); }

  std::vector<bool> DependentStates() {
    std::vector<bool> states;
    for (int32_t id : kDependent) states.push_back(G(id).enabled);
    return states;
  }

  // What a first opening shows, and what a reset brings back.
  void ExpectDefaults() {
    EXPECT_EQ(Int(IDC_AXIS), AXIS_X);
    EXPECT_EQ(Int(IDC_POSITIONING), POSITION_MOVE_ROTATE);
    EXPECT_EQ(Int(IDC_RENAME_MODE), RENAME_PRIMARY);
    EXPECT_EQ(Int(IDC_DISPLAY_COLOR_MODE), COLOR_OFF);
    EXPECT_EQ(Text(IDC_SUFFIX), "_mirror");
    for (int32_t id : {IDC_MIRROR_POINTS, IDC_KEEP_DISPLAY_COLOR}) EXPECT_TRUE(Bool(id)) << id;
    for (int32_t id : {IDC_DUPLICATE, IDC_DUPLICATE_WITHOUT_CHILDREN, IDC_SKIP_CHILDREN, IDC_SKIP_PRIMITIVES,
                       IDC_SKIP_POLYGON_COMMAND, IDC_FINAL_COMMAND, IDC_SPARE_OPTION, IDC_XRAY}) {
      EXPECT_FALSE(Bool(id)) << id;
    }
    const auto& color = std::get<standin::ColorValue>(G(IDC_DISPLAY_COLOR).value);
    EXPECT_EQ(color.color, (standin::Vec3{0, 0, 0}));
    EXPECT_EQ(color.brightness, 1.0);
    EXPECT_EQ(DependentStates(), std::vector<bool>(7, false));
    for (int32_t id :
         {IDC_AXIS, IDC_POSITIONING, IDC_MIRROR_POINTS, IDC_DUPLICATE, IDC_SKIP_CHILDREN, IDC_SKIP_PRIMITIVES,
          IDC_SKIP_POLYGON_COMMAND, IDC_FINAL_COMMAND, IDC_SPARE_OPTION, IDC_RESET, IDC_MIRROR, IDC_CLOSE}) {
      EXPECT_TRUE(G(id).enabled) << id;
    }
  }

  static std::vector<std::pair<int32_t, std::string>> Entries(const standin::Gadget& gadget) {
    std::vector<std::pair<int32_t, std::string>> entries;
    for (const standin::PopupEntry& entry : gadget.entries) entries.emplace_back(entry.id, entry.text);
    return entries;
  }
};

TEST_F(MirrorDialogTest, FirstOpeningShowsTheDefaultsListsAndMenus) {
  OpenDialog();
  ExpectDefaults();

  using Entries = std::vector<std::pair<int32_t, std::string>>;
  EXPECT_EQ(MirrorDialogTest::Entries(G(IDC_AXIS)), (Entries{{5000, "X"}, {5001, "Y"}, {5002, "Z"}}));
  EXPECT_EQ(MirrorDialogTest::Entries(G(IDC_POSITIONING)), (Entries{{5050, "Move and rotate object"},
                                                                    {5051, "Move only"},
                                                                    {5052, "Rotate only"},
                                                                    {5053, "Do not move or rotate"}}));
  EXPECT_EQ(MirrorDialogTest::Entries(G(IDC_RENAME_MODE)),
            (Entries{{5070, "Rename primary object only"},
                     {5071, "Rename all duplicated objects"},
                     {5072, "Do not rename duplicated objects"},
                     {5073, "Let C4D handle object renaming"}}));
  EXPECT_EQ(MirrorDialogTest::Entries(G(IDC_DISPLAY_COLOR_MODE)),
            (Entries{{5200, "Off"}, {5201, "Automatic"}, {5202, "Always"}, {5203, "Layer"}}));

  std::vector<std::pair<std::string, Entries>> menus;
  for (const standin::Menu& menu : Window().menus()) {
    menus.emplace_back(menu.title, Entries());
    for (const standin::MenuEntry& entry : menu.entries)
      menus.back().second.emplace_back(entry.id, entry.text);
  }
  EXPECT_EQ(menus,
            (std::vector<std::pair<std::string, Entries>>{
                {"File", {{6010, "Close manager"}}},
                {"Help", {{6000, "Simple usage..."}, {6001, "Main help file (PDF)"}, {6002, "About..."}}}}));
  EXPECT_TRUE(ConsoleLines().empty());
}

TEST_F(MirrorDialogTest, DependentGadgetsFollowTheUsersChoices) {
  struct Case {
    const char* what;
    std::vector<std::pair<int32_t, std::string>> steps;
    std::vector<bool> enabled;  // in the order of kDependent
  };
  const Case cases[] = {
      {"duplicate, colour kept", {{IDC_DUPLICATE, "true"}}, {1, 1, 1, 1, 0, 0, 0}},
      {"own colour, automatic",
       {{IDC_DUPLICATE, "true"}, {IDC_KEEP_DISPLAY_COLOR, "false"}, {IDC_DISPLAY_COLOR_MODE, "5201"}},
       {1, 1, 1, 1, 1, 1, 1}},
      {"own colour, always",
       {{IDC_DUPLICATE, "true"}, {IDC_KEEP_DISPLAY_COLOR, "false"}, {IDC_DISPLAY_COLOR_MODE, "5202"}},
       {1, 1, 1, 1, 1, 1, 1}},
      {"own colour, layer",
       {{IDC_DUPLICATE, "true"}, {IDC_KEEP_DISPLAY_COLOR, "false"}, {IDC_DISPLAY_COLOR_MODE, "5203"}},
       {1, 1, 1, 1, 1, 0, 1}},
      {"own colour, back to off",
       {{IDC_DUPLICATE, "true"},
        {IDC_KEEP_DISPLAY_COLOR, "false"},
        {IDC_DISPLAY_COLOR_MODE, "5201"},
        {IDC_DISPLAY_COLOR_MODE, "5200"}},
       {1, 1, 1, 1, 1, 0, 1}},
      {"colour kept again",
       {{IDC_DUPLICATE, "true"},
        {IDC_KEEP_DISPLAY_COLOR, "false"},
        {IDC_DISPLAY_COLOR_MODE, "5201"},
        {IDC_KEEP_DISPLAY_COLOR, "true"}},
       {1, 1, 1, 1, 0, 0, 0}},
      {"duplicate switched off",
       {{IDC_DUPLICATE, "true"},
        {IDC_KEEP_DISPLAY_COLOR, "false"},
        {IDC_DISPLAY_COLOR_MODE, "5201"},
        {IDC_DUPLICATE, "false"}},
       {0, 0, 0, 0, 0, 0, 0}},
      // Switched on again, the gadgets' values count, not the stored ones.
      {"duplicate switched on again",
       {{IDC_DUPLICATE, "true"},
        {IDC_KEEP_DISPLAY_COLOR, "false"},
        {IDC_DISPLAY_COLOR_MODE, "5203"},
        {IDC_DUPLICATE, "false"},
        {IDC_DUPLICATE, "true"}},
       {1, 1, 1, 1, 1, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenDialog();
    for (const auto& [id, value] : c.steps) Set(id, value);
    EXPECT_EQ(DependentStates(), c.enabled);
    End();
  }
}

TEST_F(MirrorDialogTest, ResetBringsBackEveryDefault) {
  OpenDialog();
  Set(IDC_AXIS, "5002");
  Set(IDC_POSITIONING, "5053");
  Set(IDC_MIRROR_POINTS, "false");
  Set(IDC_SKIP_CHILDREN, "true");
  Set(IDC_SPARE_OPTION, "true");
  Set(IDC_DUPLICATE, "true");
  Set(IDC_DUPLICATE_WITHOUT_CHILDREN, "true");
  Set(IDC_RENAME_MODE, "5071");
  Set(IDC_SUFFIX, "_copy");
  Set(IDC_KEEP_DISPLAY_COLOR, "false");
  Set(IDC_DISPLAY_COLOR_MODE, "5202");
  Set(IDC_DISPLAY_COLOR, "0.5,0.25,1");
  Set(IDC_XRAY, "true");
  Press(IDC_RESET);
  ExpectDefaults();
  // The record holds the defaults too: closing now stores them unchanged.
  EXPECT_EQ(Command().dialog.GetSettings().axis, AXIS_X);
  EXPECT_EQ(Command().dialog.GetSettings().suffix, String("_mirror"));
}

TEST_F(MirrorDialogTest, SettingsSurviveClosingAndReopening) {
  OpenDialog();
  Set(IDC_AXIS, "5001");
  Set(IDC_SKIP_PRIMITIVES, "true");
  Set(IDC_DUPLICATE, "true");
  Set(IDC_SUFFIX, "_links");
  Set(IDC_KEEP_DISPLAY_COLOR, "false");
  Set(IDC_DISPLAY_COLOR_MODE, "5201");
  Set(IDC_DISPLAY_COLOR, "1,0,0.5");
  Set(IDC_DISPLAY_COLOR_MODE, "5203");
  ASSERT_TRUE(standin::CloseAsUser(Window()).done);
  EXPECT_FALSE(Window().open);

  const std::size_t dialogs = standin::HostDialogs().All().size();
  for (int opening = 0; opening < 2; ++opening) {
    // The second run finds the window open and only brings it forward.
    RunCommand();
    EXPECT_EQ(standin::HostDialogs().All().size(), dialogs);
    EXPECT_EQ(Int(IDC_AXIS), AXIS_Y);
    EXPECT_TRUE(Bool(IDC_SKIP_PRIMITIVES));
    EXPECT_TRUE(Bool(IDC_DUPLICATE));
    EXPECT_EQ(Text(IDC_SUFFIX), "_links");
    EXPECT_FALSE(Bool(IDC_KEEP_DISPLAY_COLOR));
    EXPECT_EQ(Int(IDC_DISPLAY_COLOR_MODE), COLOR_LAYER);
    EXPECT_EQ(std::get<standin::ColorValue>(G(IDC_DISPLAY_COLOR).value).color, (standin::Vec3{1, 0, 0.5}));
    // The stored values decide what is enabled at layout.
    EXPECT_EQ(DependentStates(), (std::vector<bool>{1, 1, 1, 1, 1, 0, 1}));
  }
}

TEST_F(MirrorDialogTest, TheRunButtonStoresTheValuesItRanWith) {
  OpenDialog();
  Set(IDC_AXIS, "5002");
  Set(IDC_POSITIONING, "5051");
  EXPECT_EQ(Command().dialog.GetSettings().axis, AXIS_X);
  Press(IDC_MIRROR);
  EXPECT_TRUE(Window().open);
  EXPECT_EQ(Command().dialog.GetSettings().axis, AXIS_Z);
  EXPECT_EQ(Command().dialog.GetSettings().positioning, POSITION_MOVE);
}

TEST_F(MirrorDialogTest, CloseEntryAndButtonCloseAndStore) {
  for (const int32_t id : {IDM_CLOSE_MANAGER, IDC_CLOSE}) {
    SCOPED_TRACE(id);
    OpenDialog();
    Set(IDC_AXIS, "5001");
    Press(id);
    EXPECT_FALSE(Window().open);
    EXPECT_EQ(Command().dialog.GetSettings().axis, AXIS_Y);
    End();
  }
}

TEST_F(MirrorDialogTest, TheHelpEntryOpensTheFileBesideTheLibrary) {
  OpenDialog();
  Press(IDM_HELP_FILE);
  const std::vector<rapidjson::Document> opened = Events("open-file");
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0]["path"].GetString(), standin::Utf8Path(SourceFolder() / "Vitrel.pdf"));
  // A help file that is not there is not reported.
  EXPECT_TRUE(ConsoleLines().empty());
  EXPECT_TRUE(Events("messagebox").empty());
}

TEST_F(MirrorDialogTest, AMissingDescriptionIsReportedAndTheRestStillBuilt) {
  ASSERT_TRUE(Start(PluginFolder(DLG_MIRROR, false)));
  EXPECT_EQ(standin::RunCommand(ID_VITREL), std::optional<bool>(false));
  EXPECT_EQ(ConsoleLines(), std::vector<std::string>{"Vitrel: could not load resource file."});
  EXPECT_FALSE(Window().open);
  EXPECT_EQ(Window().menus().size(), 2u);
}

}  // namespace
}  // namespace vitrel::testing
