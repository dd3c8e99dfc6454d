// Dialog pictures at the pixel: what a disabled gadget looks like, and
// which text a pop-up shows.
#include <gtest/gtest.h>

#include <string>

#include "draw/typeface.h"
#include "ui/dialog.h"
#include "ui/dialog_geometry.h"
#include "ui/dialog_palette.h"
#include "ui/dialog_picture.h"

namespace standin::testing {
namespace {

namespace colours = standin::palette;

Gadget Checkbox(int32_t id, bool enabled) {
  Gadget gadget;
  gadget.id = id;
  gadget.kind = GadgetKind::kCheckbox;
  gadget.caption = "Mirror a copy";
  gadget.value = true;
  gadget.enabled = enabled;
  return gadget;
}

Gadget Popup(int32_t id, int32_t chosen) {
  Gadget gadget;
  gadget.id = id;
  gadget.kind = GadgetKind::kPopup;
  gadget.caption = "Rename";
  gadget.entries = {{5000, "X"}, {5001, "Rename all duplicated objects"}, {5002, "Z"}};
  gadget.value = chosen;
  return gadget;
}

// A rectangle of a picture; Any tells whether one of its pixels passes a test.
struct Region {
  const Picture& picture;
  PixelRect rect;

  template <typename Test>
  bool Any(Test test) const {
    for (int32_t y = rect.y; y < rect.y + rect.height; ++y) {
      for (int32_t x = rect.x; x < rect.x + rect.width; ++x) {
        if (test(picture.at(x, y))) return true;
      }
    }
    return false;
  }
};

bool DarkerThanDisabledText(Rgba pixel) { return pixel.r < colours::kDisabledText.r; }
bool Tinted(Rgba pixel) { return pixel.r != pixel.b; }

TEST(DialogPicture, DisabledCheckboxIsGreyedAndEnabledOneIsNot) {
  Dialog dialog(nullptr, nullptr);
  dialog.AddGadget(Checkbox(1, true));
  dialog.AddGadget(Checkbox(2, false));
  const DialogGeometry geometry = LayOutDialog(dialog);
  const Picture picture = DrawDialog(dialog, geometry);
  const GadgetGeometry& enabled = *geometry.Find(1);
  const GadgetGeometry& disabled = *geometry.Find(2);

  const PixelRect on = enabled.box, off = disabled.box;
  EXPECT_EQ(picture.at(on.x, on.y + on.height / 2), colours::kBorder);
  EXPECT_EQ(picture.at(off.x, off.y + off.height / 2), colours::kDisabledBorder);
  // The caption: dark text when enabled, nothing darker than the disabled
  // grey when not, but drawn all the same.
  EXPECT_TRUE((Region{picture, enabled.caption}.Any(DarkerThanDisabledText)));
  EXPECT_FALSE((Region{picture, disabled.caption}.Any(DarkerThanDisabledText)));
  EXPECT_TRUE(
      (Region{picture, disabled.caption}.Any([](Rgba p) { return p.r < colours::kWindowBackground.r; })));
  // Both are ticked: the tick's colour when enabled, grey when disabled.
  EXPECT_TRUE((Region{picture, on}.Any(Tinted)));
  EXPECT_FALSE((Region{picture, off}.Any(Tinted)));
  const PixelRect inside = {off.x + 2, off.y + 2, off.width - 4, off.height - 4};
  EXPECT_TRUE((Region{picture, inside}.Any([](Rgba p) { return p.r <= colours::kDisabledText.r + 20; })));
}

// The pop-up's text area holds exactly its chosen entry's text, as the
// typeface draws it alone on the field's background; no entry, no text.
TEST(DialogPicture, PopupShowsItsChosenEntry) {
  for (const auto& [chosen, text] : {std::pair<int32_t, std::string>{5001, "Rename all duplicated objects"},
                                     std::pair<int32_t, std::string>{4242, ""}}) {
    Dialog dialog(nullptr, nullptr);
    dialog.AddGadget(Popup(7, chosen));
    const DialogGeometry geometry = LayOutDialog(dialog);
    const Picture picture = DrawDialog(dialog, geometry);
    const PixelRect area = geometry.Find(7)->text;
    ASSERT_GT(area.width, Typeface::Sans().Width("Rename all duplicated objects", kDialogTextSize));

    Picture alone(area.width, area.height, colours::kFieldBackground);
    Typeface::Sans().Draw(alone, text, 0, TextBaseline(area) - static_cast<float>(area.y), kDialogTextSize,
                          colours::kText);
    int mismatches = 0;
    for (int32_t y = 0; y < area.height; ++y) {
      for (int32_t x = 0; x < area.width; ++x)
        mismatches += picture.at(area.x + x, area.y + y) != alone.at(x, y);
    }
    EXPECT_EQ(mismatches, 0) << "entry " << chosen;
  }
}

}  // namespace
}  // namespace standin::testing
