// The mirror dialog drawn as a picture: the banner the plug-in painted lies
// exactly in its gadget's rectangle, scaled as the host scales bitmaps.
#include <string>

#include "draw/picture.h"
#include "flipit_ids.h"
#include "plugin_fixture.h"
#include "resources/picture_codec.h"
#include "ui/dialog_geometry.h"
#include "ui/dialog_picture.h"

namespace vitrel::testing {
namespace {

using DialogPictureTest = PluginTest;

bool IsBannerPixel(standin::Rgba pixel) { return pixel == kLeftColour || pixel == kRightColour; }

TEST_F(DialogPictureTest, BannerFillsExactlyItsGadget) {
  const std::filesystem::path folder = PluginFolder(0, true);
  ASSERT_TRUE(Start(folder));
  RunCommand();
  const standin::Dialog& dialog = Window();
  const standin::DialogGeometry geometry = standin::LayOutDialog(dialog);
  const standin::Picture picture = standin::DrawDialog(dialog, geometry);
  const standin::PixelRect r = geometry.Find(IDC_BANNER)->box;
  ASSERT_EQ(r.width, dialog.Find(IDC_BANNER)->width);
  ASSERT_EQ(r.height, dialog.Find(IDC_BANNER)->height);

  standin::Picture source;
  std::string error;
  ASSERT_TRUE(standin::ReadPicture(folder / "res" / "banner.tif", source, error)) << error;
  standin::Picture expected(r.width, r.height);
  standin::DrawPicture(expected, source, {0, 0, source.width(), source.height()}, {0, 0, r.width, r.height},
                       true);
  int mismatches = 0;
  for (int32_t y = 0; y < r.height; ++y) {
    for (int32_t x = 0; x < r.width; ++x) mismatches += picture.at(r.x + x, r.y + y) != expected.at(x, y);
  }
  EXPECT_EQ(mismatches, 0);

  int outside = 0;
  for (int32_t x = r.x - 1; x <= r.x + r.width; ++x) {
    outside += IsBannerPixel(picture.at(x, r.y - 1)) + IsBannerPixel(picture.at(x, r.y + r.height));
  }
  for (int32_t y = r.y; y < r.y + r.height; ++y) {
    outside += IsBannerPixel(picture.at(r.x - 1, y)) + IsBannerPixel(picture.at(r.x + r.width, y));
  }
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace vitrel::testing
