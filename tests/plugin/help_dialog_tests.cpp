// The Help menu's modal dialogs and the banner pictures of all three dialogs.
#include <string>
#include <vector>

#include "flipit_ids.h"
#include "plugin_fixture.h"
#include "resources/user_area.h"
#include "ui/dialog_host.h"

namespace vitrel::testing {
namespace {

using HelpDialogTest = PluginTest;

// The modal dialogs the journal saw opening, as (description id, result).
std::vector<std::pair<int32_t, bool>> ModalOpenings(const std::vector<rapidjson::Document>& events) {
  std::vector<std::pair<int32_t, bool>> openings;
  for (const rapidjson::Document& event : events) {
    if (!event["modal"].GetBool()) continue;
    openings.emplace_back(event["id"].IsInt() ? event["id"].GetInt() : 0, event["result"].GetBool());
  }
  return openings;
}

TEST_F(HelpDialogTest, BothHelpEntriesOpenTheirDialogsAndComeBack) {
  ASSERT_TRUE(Start());
  RunCommand();
  ClearJournal();
  Press(IDM_SIMPLE_USAGE);
  Press(IDM_ABOUT);
  Press(IDM_ABOUT);
  using Openings = std::vector<std::pair<int32_t, bool>>;
  EXPECT_EQ(ModalOpenings(Events("dialog.open")), (Openings{{10024, true}, {10026, true}, {10026, true}}));
  // Each closed through its own button, not forced by the host.
  const std::vector<rapidjson::Document> closed = Events("dialog.close");
  ASSERT_EQ(closed.size(), 3u);
  for (const rapidjson::Document& event : closed) EXPECT_FALSE(event.HasMember("forced"));
  EXPECT_TRUE(Window().open);
  EXPECT_TRUE(ConsoleLines().empty());
}

TEST_F(HelpDialogTest, TheAboutDialogShowsTheVersionLine) {
  ASSERT_TRUE(Start());
  RunCommand();
  for (int opening = 0; opening < 2; ++opening) {
    ClearJournal();
    Press(IDM_ABOUT);
    const std::vector<rapidjson::Document> opened = Events("dialog.open");
    ASSERT_EQ(opened.size(), 1u);
    const rapidjson::Value& gadgets = opened[0]["gadgets"];
    ASSERT_TRUE(gadgets.HasMember("10028"));
    EXPECT_STREQ(gadgets["10028"]["value"].GetString(), "Current version: 1.2.0, October 26th 2021");
  }
}

TEST_F(HelpDialogTest, AResourceWithoutTheirDescriptionIsReportedAtEachAttempt) {
  for (const int32_t missing : {DLG_BASIC_USE, DLG_VERSION}) {
    SCOPED_TRACE(missing);
    ASSERT_TRUE(Start(PluginFolder(missing, false)));
    RunCommand();
    const int32_t entry = missing == DLG_BASIC_USE ? IDM_SIMPLE_USAGE : IDM_ABOUT;
    const int32_t other = missing == DLG_BASIC_USE ? IDM_ABOUT : IDM_SIMPLE_USAGE;
    Press(entry);
    Press(entry);
    Press(other);
    EXPECT_EQ(ConsoleLines(), std::vector<std::string>(2, "Vitrel: could not load resource file."));
    // The failed dialog never showed; the other one still does.
    std::vector<std::pair<int32_t, bool>> openings = ModalOpenings(Events("dialog.open"));
    ASSERT_EQ(openings.size(), 3u);
    EXPECT_FALSE(openings[0].second);
    EXPECT_FALSE(openings[1].second);
    EXPECT_TRUE(openings[2].second);
    EXPECT_TRUE(Window().open);
    End();
    ClearJournal();
  }
}

// Counts the canvas's pixels of each half that have that half's colour.
void ExpectStretchedPicture(const standin::Picture* canvas, int32_t width, int32_t height) {
  ASSERT_NE(canvas, nullptr);
  ASSERT_EQ(canvas->width(), width);
  ASSERT_EQ(canvas->height(), height);
  int64_t wrong = 0;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      wrong += canvas->at(x, y) == (x < width / 2 ? kLeftColour : kRightColour) ? 0 : 1;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(HelpDialogTest, BannersFillTheirGadgetAtAnySize) {
  ASSERT_TRUE(Start(PluginFolder(0, true)));
  RunCommand();
  const standin::Gadget* gadget = Window().Find(IDC_BANNER);
  ASSERT_NE(gadget, nullptr);
  const int32_t width = gadget->width, height = gadget->height;
  ASSERT_TRUE(standin::RepaintUserArea(Window(), IDC_BANNER));
  ExpectStretchedPicture(standin::UserAreaCanvas(Window(), IDC_BANNER), width, height);
  ASSERT_TRUE(standin::ResizeUserArea(Window(), IDC_BANNER, 30, 70));
  ExpectStretchedPicture(standin::UserAreaCanvas(Window(), IDC_BANNER), 30, 70);
  EXPECT_TRUE(ConsoleLines().empty());
}

TEST_F(HelpDialogTest, AMissingPictureLeavesTheBannerBlank) {
  ASSERT_TRUE(Start(PluginFolder(0, false)));
  RunCommand();
  ASSERT_TRUE(standin::RepaintUserArea(Window(), IDC_BANNER));
  const standin::Picture* canvas = standin::UserAreaCanvas(Window(), IDC_BANNER);
  ASSERT_NE(canvas, nullptr);
  ASSERT_FALSE(canvas->empty());
  for (int32_t y = 0; y < canvas->height(); ++y) {
    for (int32_t x = 0; x < canvas->width(); ++x)
      ASSERT_EQ(canvas->at(x, y), standin::Rgba{}) << x << "," << y;
  }
  EXPECT_TRUE(ConsoleLines().empty());
  EXPECT_TRUE(Window().open);
}

}  // namespace
}  // namespace vitrel::testing
