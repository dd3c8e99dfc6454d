// Bitmaps and user areas: TIFF pictures load (or leave the bitmap empty),
// and a user area's drawing lands in exactly its gadget's pixels, scaled,
// clipped and redrawn after a resize.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/faults.h"
#include "resources/bitmap.h"
#include "resources/picture_codec.h"
#include "resources/resource_ops.h"
#include "resources/user_area.h"
#include "resources_test_files.h"
#include "table/host_table.h"
#include "test_tiff.h"
#include "ui/dialog.h"
#include "ui/filename.h"

namespace standin {
namespace {

using testing::ScratchFolder;

// A distinct colour for every pixel of a picture up to 256 x 256.
Rgba Colour(int32_t x, int32_t y) {
  return Rgba{static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x ^ y), 255};
}

// Writes an uncompressed 8-bit RGB TIFF of Colour(), as the plug-in's
// pictures are written.
void WriteTestTiff(const std::filesystem::path& path, uint32_t width, uint32_t height) {
  std::string rgb;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const Rgba c = Colour(static_cast<int32_t>(x), static_cast<int32_t>(y));
      rgb += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
    }
  }
  std::ofstream(path, std::ios::binary) << test_tiff::RgbTiff(width, height, rgb);
}

// What a banner does: stretch the whole bitmap over the whole gadget, with
// the sizes read from the host as it draws.
struct Banner {
  const VtUiOps* ops = nullptr;
  VtBitmap* bitmap = nullptr;
  VtUserArea* ua = nullptr;
  int inits = 0;
  int draws = 0;
};

int32_t BannerInit(void* user) {
  ++static_cast<Banner*>(user)->inits;
  return 1;
}

void BannerDraw(void* user, int32_t, int32_t, int32_t, int32_t) {
  auto* banner = static_cast<Banner*>(user);
  ++banner->draws;
  const VtUiOps& ops = *banner->ops;
  ops.user_area_draw_bitmap(banner->ua, banner->bitmap, 0, 0, ops.bitmap_width(banner->bitmap),
                            ops.bitmap_height(banner->bitmap), 0, 0, ops.user_area_width(banner->ua),
                            ops.user_area_height(banner->ua), 1);
}

const VtUserAreaCallbacks kBannerCallbacks = {sizeof(VtUserAreaCallbacks), BannerInit, BannerDraw};

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResourceUiOps(ops_);
    dialog_ = HostDialogs().Create(nullptr, nullptr);
    ASSERT_NE(dialog_, nullptr);
    AddAreaGadget(8, 4);
    banner_.ops = &ops_;
    banner_.bitmap = ops_.bitmap_alloc();
    banner_.ua = ops_.user_area_alloc(&kBannerCallbacks, &banner_);
    ASSERT_NE(banner_.bitmap, nullptr);
    ASSERT_NE(banner_.ua, nullptr);
  }
  void TearDown() override {
    ops_.user_area_free(banner_.ua);
    ops_.bitmap_free(banner_.bitmap);
    if (HostDialogs().Alive(dialog_)) HostDialogs().Release(dialog_);
    HostFaults().Clear();
  }

  // Loads a TIFF of Colour() of this size into the banner's bitmap.
  void LoadPicture(uint32_t width, uint32_t height) {
    const std::filesystem::path path = folder_.path() / "picture.tif";
    WriteTestTiff(path, width, height);
    VtFilename* name = MakeFilename(path.string());
    ASSERT_EQ(ops_.bitmap_load(banner_.bitmap, name, -1), 1);
    FreeFilename(name);
  }

  void AddAreaGadget(int32_t width, int32_t height) {
    Gadget gadget;
    gadget.id = kGadget;
    gadget.kind = GadgetKind::kUserArea;
    gadget.width = width;
    gadget.height = height;
    dialog_->AddGadget(gadget);
  }

  bool Attach() {
    return ops_.dialog_attach_user_area(DialogRegistry::Handle(dialog_), kGadget, banner_.ua, 0) == 1;
  }

  const Picture& Canvas() {
    const Picture* canvas = UserAreaCanvas(*dialog_, kGadget);
    EXPECT_NE(canvas, nullptr);
    static const Picture kNone;
    return canvas == nullptr ? kNone : *canvas;
  }

  static constexpr int32_t kGadget = 10002;
  ScratchFolder folder_;
  VtUiOps ops_{};
  Dialog* dialog_ = nullptr;
  Banner banner_;
};

TEST(PictureCodec, TiffLoadsWithEveryPixel) {
  ScratchFolder folder;
  WriteTestTiff(folder.path() / "a.tif", 37, 5);
  Picture picture;
  std::string error;
  ASSERT_TRUE(ReadPicture(folder.path() / "a.tif", picture, error)) << error;
  ASSERT_EQ(picture.width(), 37);
  ASSERT_EQ(picture.height(), 5);
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 37; ++x) ASSERT_EQ(picture.at(x, y), Colour(x, y)) << x << "," << y;
  }
}

TEST(PictureCodec, EncodedTiffReadsBackPixelForPixel) {
  Picture picture(37, 5);
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 37; ++x) picture.at(x, y) = Colour(x, y);
  }
  picture.at(3, 2) = {0, 0, 0, 0};  // transparent stays transparent
  std::string bytes, error;
  ASSERT_TRUE(EncodePicture(picture, bytes, error)) << error;
  ScratchFolder folder;
  std::ofstream(folder.path() / "a.tif", std::ios::binary) << bytes;
  Picture read;
  ASSERT_TRUE(ReadPicture(folder.path() / "a.tif", read, error)) << error;
  ASSERT_EQ(read.width(), 37);
  ASSERT_EQ(read.height(), 5);
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 37; ++x) ASSERT_EQ(read.at(x, y), picture.at(x, y)) << x << "," << y;
  }
  EXPECT_FALSE(EncodePicture(Picture(), bytes, error));
  EXPECT_TRUE(bytes.empty());
}

TEST(PictureCodec, BadFilesAreRefusedAndLeaveThePictureAlone) {
  ScratchFolder folder;
  WriteTestTiff(folder.path() / "good.tif", 16, 16);
  std::ifstream in(folder.path() / "good.tif", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  folder.Write("truncated.tif", bytes.substr(0, bytes.size() / 3));
  folder.Write("text.tif", "not a picture at all");
  // Headers that claim huge pictures are refused before any pixels are read.
  for (auto [name, width, height] :
       {std::tuple{"wide.tif", kMaxPictureSide + 1, 1}, {"many.tif", 9000, 8000}}) {
    const std::string one_row(static_cast<std::size_t>(width) * 3, '\0');
    folder.Write(name,
                 test_tiff::RgbTiff(static_cast<uint32_t>(width), static_cast<uint32_t>(height), one_row));
  }
  // Found by fuzzing: a small picture whose 65535 samples per pixel make a
  // strip of 2 GB, which the decoder would allocate before finding no data.
  std::filesystem::copy_file(std::filesystem::path(VITREL_TEST_PICTURES_DIR) / "many-samples-per-pixel.tif",
                             folder.path() / "samples.tif");
  for (std::string name :
       {"missing.tif", "truncated.tif", "text.tif", "wide.tif", "many.tif", "samples.tif"}) {
    Picture picture(2, 2, Rgba{9, 9, 9, 9});
    std::string error;
    EXPECT_FALSE(ReadPicture(folder.path() / name, picture, error)) << name;
    EXPECT_NE(error.find(name), std::string::npos) << error;
    if (name == "wide.tif" || name == "many.tif") {
      EXPECT_NE(error.find("is too large"), std::string::npos) << error;
    }
#ifndef _WIN32  // strips are libtiff's; the Windows codec refuses the file in its own words
    if (name == "samples.tif") {
      EXPECT_NE(error.find("is too large to decode"), std::string::npos) << error;
    }
#endif
    EXPECT_EQ(picture.at(1, 1), (Rgba{9, 9, 9, 9})) << name;
  }
}

TEST_F(DrawingTest, FailedLoadLeavesTheBitmapEmpty) {
  LoadPicture(4, 2);
  EXPECT_EQ(ops_.bitmap_width(banner_.bitmap), 4);
  folder_.Write("broken.tif", "II*\0garbage");
  VtFilename* name = MakeFilename((folder_.path() / "broken.tif").string());
  EXPECT_EQ(ops_.bitmap_load(banner_.bitmap, name, -1), 0);
  FreeFilename(name);
  EXPECT_EQ(ops_.bitmap_width(banner_.bitmap), 0);
  EXPECT_EQ(ops_.bitmap_height(banner_.bitmap), 0);
  EXPECT_EQ(ops_.bitmap_load(banner_.bitmap, nullptr, -1), 0);

  // Drawing the empty bitmap paints nothing.
  ASSERT_TRUE(Attach());
  ASSERT_TRUE(RepaintUserArea(*dialog_, kGadget));
  EXPECT_EQ(banner_.draws, 1);
  EXPECT_EQ(Canvas().at(0, 0), Rgba{});
}

TEST_F(DrawingTest, ScaledDrawingFillsExactlyTheGadget) {
  ASSERT_TRUE(Attach());
  EXPECT_EQ(ops_.user_area_width(banner_.ua), 8);
  EXPECT_EQ(ops_.user_area_height(banner_.ua), 4);

  // Up: a 4 x 2 picture over 8 x 4 pixels gives 2 x 2 blocks.
  LoadPicture(4, 2);
  ASSERT_TRUE(RepaintUserArea(*dialog_, kGadget));
  ASSERT_EQ(Canvas().width(), 8);
  ASSERT_EQ(Canvas().height(), 4);
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 8; ++x) ASSERT_EQ(Canvas().at(x, y), Colour(x / 2, y / 2)) << x << "," << y;
  }

  // Down: a 16 x 12 picture over 8 x 4 pixels keeps the pixel under each
  // target pixel's centre.
  LoadPicture(16, 12);
  ASSERT_TRUE(RepaintUserArea(*dialog_, kGadget));
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 8; ++x)
      ASSERT_EQ(Canvas().at(x, y), Colour(2 * x + 1, 3 * y + 1)) << x << "," << y;
  }
}

TEST_F(DrawingTest, ResizeRepaintsAtTheNewSize) {
  ASSERT_TRUE(Attach());
  LoadPicture(4, 2);
  ASSERT_TRUE(RepaintUserArea(*dialog_, kGadget));
  EXPECT_EQ(banner_.inits, 1);
  ASSERT_TRUE(ResizeUserArea(*dialog_, kGadget, 12, 2));
  EXPECT_EQ(banner_.draws, 2);
  EXPECT_EQ(banner_.inits, 1);
  EXPECT_EQ(ops_.user_area_width(banner_.ua), 12);
  ASSERT_EQ(Canvas().width(), 12);
  ASSERT_EQ(Canvas().height(), 2);
  for (int32_t x = 0; x < 12; ++x) {
    EXPECT_EQ(Canvas().at(x, 0), Colour(x / 3, 0)) << x;
    EXPECT_EQ(Canvas().at(x, 1), Colour(x / 3, 1)) << x;
  }
  EXPECT_FALSE(ResizeUserArea(*dialog_, kGadget, 2, kMaxUserAreaSide + 1));
}

TEST_F(DrawingTest, DrawingIsClippedToTheCanvasAndThePicture) {
  ASSERT_TRUE(Attach());
  LoadPicture(4, 2);
  Picture& canvas = HostUserAreas().Find(banner_.ua)->canvas;
  auto draw = [&](PixelRect source, PixelRect target, int32_t mode) {
    canvas.Fill(Rgba{});
    ops_.user_area_draw_bitmap(banner_.ua, banner_.bitmap, source.x, source.y, source.width, source.height,
                               target.x, target.y, target.width, target.height, mode);
  };
  // Rectangles far out, huge or empty touch nothing outside the canvas.
  draw({0, 0, 4, 2}, {-2147483647, 0, 2147483647, 4}, 1);
  draw({-10, -10, 100, 100}, {2147483000, 2147483000, 2000, 2000}, 1);
  draw({0, 0, -4, 2}, {0, 0, 8, 4}, 1);
  EXPECT_EQ(canvas.at(0, 0), Rgba{});

  // Unscaled, only the picture's own 4 x 2 pixels are copied.
  draw({0, 0, 4, 2}, {1, 1, 8, 4}, 0);
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 8; ++x) {
      const bool inside = x >= 1 && x < 5 && y >= 1 && y < 3;
      ASSERT_EQ(canvas.at(x, y), inside ? Colour(x - 1, y - 1) : Rgba{}) << x << "," << y;
    }
  }
  // Hanging over the top left, the canvas shows the picture's lower right.
  draw({0, 0, 4, 2}, {-2, -2, 8, 4}, 1);
  EXPECT_EQ(canvas.at(0, 0), Colour(1, 1));
  EXPECT_EQ(canvas.at(5, 1), Colour(3, 1));
  EXPECT_EQ(canvas.at(6, 0), Rgba{});
  EXPECT_EQ(canvas.at(0, 2), Rgba{});
}

TEST_F(DrawingTest, AttachmentFollowsTheWindow) {
  // Only a user-area gadget of the window takes a user area.
  Gadget text;
  text.id = 7;
  dialog_->AddGadget(text);
  VtDialog* dlg = DialogRegistry::Handle(dialog_);
  EXPECT_EQ(ops_.dialog_attach_user_area(dlg, 7, banner_.ua, 0), 0);
  EXPECT_EQ(ops_.user_area_width(banner_.ua), 0);

  // Showing the window inits once and draws; later repaints only draw.
  ASSERT_TRUE(Attach());
  PaintUserAreas(*dialog_);
  PaintUserAreas(*dialog_);
  EXPECT_EQ(banner_.inits, 1);
  EXPECT_EQ(banner_.draws, 2);

  // A new window detaches the user area; attaching it again inits it again.
  dialog_->ClearWindow();
  EXPECT_EQ(ops_.user_area_width(banner_.ua), 0);
  EXPECT_FALSE(RepaintUserArea(*dialog_, kGadget));
  AddAreaGadget(5, 6);
  EXPECT_EQ(UserAreaCanvas(*dialog_, kGadget), nullptr);
  ASSERT_TRUE(Attach());
  ASSERT_TRUE(RepaintUserArea(*dialog_, kGadget));
  EXPECT_EQ(banner_.inits, 2);
  EXPECT_EQ(Canvas().width(), 5);

  // A second user area on the same gadget takes it over.
  Banner other;
  other.ops = &ops_;
  other.ua = ops_.user_area_alloc(&kBannerCallbacks, &other);
  ASSERT_EQ(ops_.dialog_attach_user_area(dlg, kGadget, other.ua, 0), 1);
  EXPECT_EQ(ops_.user_area_width(banner_.ua), 0);
  EXPECT_EQ(ops_.user_area_width(other.ua), 5);
  ops_.user_area_free(other.ua);
  EXPECT_EQ(dialog_->Find(kGadget)->user_area, nullptr);

  // The dialog going first leaves the user area detached, not dangling.
  ASSERT_TRUE(Attach());
  HostDialogs().Release(dialog_);
  EXPECT_EQ(ops_.user_area_width(banner_.ua), 0);
  ops_.user_area_draw_bitmap(banner_.ua, banner_.bitmap, 0, 0, 1, 1, 0, 0, 1, 1, 1);
}

TEST_F(DrawingTest, AllocationFaultsGiveNull) {
  HostFaults().FailFrom(Fault::kBitmap, 1);
  EXPECT_EQ(ops_.bitmap_alloc(), nullptr);
  VtBitmap* next = ops_.bitmap_alloc();
  EXPECT_NE(next, nullptr);
  ops_.bitmap_free(next);

  HostFaults().FailFrom(Fault::kDialog, 1);
  EXPECT_EQ(ops_.user_area_alloc(&kBannerCallbacks, nullptr), nullptr);

  // A freed handle is refused, not used.
  ops_.bitmap_free(next);
  EXPECT_EQ(ops_.bitmap_width(next), 0);
  ops_.user_area_draw_bitmap(banner_.ua, next, 0, 0, 1, 1, 0, 0, 1, 1, 1);
}

}  // namespace
}  // namespace standin
