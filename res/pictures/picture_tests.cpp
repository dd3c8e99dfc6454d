// The pictures at pixel level: the icon's transparency at any size, the
// banners' antialiased text, and TIFF files that give back exactly the
// pixels drawn, in the form the hosts decode.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "picture_file.h"
#include "pictures.h"

namespace pictures {
namespace {

using standin::Picture;
using standin::Rgba;

// Files go below the working directory, which CTest sets to this build's own folder.
std::filesystem::path scratchFolder() {
  const auto folder = std::filesystem::current_path() / "picture_test_files";
  std::filesystem::create_directories(folder);
  return folder;
}

TEST(CommandIcon, OpaqueEmblemOnTransparentGroundAtEverySize) {
  for (const int size : {kCommandIconSize, 2 * kCommandIconSize}) {
    const Picture icon = drawCommandIcon(size);
    ASSERT_EQ(icon.width(), size);
    const int last = size - 1, middle = size / 2;
    for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
      EXPECT_EQ(icon.at(x, y).a, 0) << size << ": corner " << x << ", " << y;
    EXPECT_EQ(icon.at(middle, middle).a, 255) << size;
    EXPECT_EQ(icon.at(middle - 1, middle).a, 255) << size;
    int edges = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) edges += icon.at(x, y).a > 0 && icon.at(x, y).a < 255;
    EXPECT_GT(edges, size) << size << ": edges are not antialiased";
  }
}

TEST(Banner, NameIsDrawnWithAntialiasedEdges) {
  const Picture banner = drawMirrorBanner();
  const standin::PixelRect box = kBannerNameBox;
  // Each pixel's share of ink: 0 on the row's ground (just left of the
  // box), 1 at the brightest pixel of the name.
  int brightest = 0;
  for (int y = box.y; y < box.y + box.height; ++y)
    for (int x = box.x; x < box.x + box.width; ++x) brightest = std::max<int>(brightest, banner.at(x, y).g);
  int inked = 0, between = 0;
  for (int y = box.y; y < box.y + box.height; ++y) {
    const int ground = banner.at(box.x - 1, y).g;
    ASSERT_GT(brightest, ground + 100);
    for (int x = box.x; x < box.x + box.width; ++x) {
      const double ink = static_cast<double>(banner.at(x, y).g - ground) / (brightest - ground);
      inked += ink > 0.1;
      between += ink > 0.2 && ink < 0.8;
    }
  }
  EXPECT_GT(inked, 400);
  EXPECT_GT(between, inked / 10) << "a one-bit font has no pixels between ground and ink";
}

TEST(PictureFile, RoundTripGivesEveryPixelWithItsAlpha) {
  Picture picture(7, 5);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      picture.at(x, y) = {static_cast<std::uint8_t>(x * 30), static_cast<std::uint8_t>(y * 50), 200,
                          static_cast<std::uint8_t>((x + 7 * y) * 7)};
  const std::string path = (scratchFolder() / "round_trip.tif").string();
  ASSERT_EQ(writeTiff(path, picture), "");
  EXPECT_FALSE(std::filesystem::exists(path + ".partial"));

  const ReadResult read = readTiff(path);
  ASSERT_TRUE(read.picture) << read.error;
  ASSERT_EQ(read.picture->width(), 7);
  ASSERT_EQ(read.picture->height(), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(read.picture->at(x, y), picture.at(x, y)) << x << ", " << y;

  // The hosts decode through libtiff's RGBA reader (or its like), which
  // multiplies colours by an alpha marked unassociated: an edge pixel half
  // covered comes back at half its colour, not brighter.
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  ASSERT_NE(tiff, nullptr);
  std::vector<std::uint32_t> raster(7 * 5);
  ASSERT_EQ(TIFFReadRGBAImageOriented(tiff, 7, 5, raster.data(), ORIENTATION_TOPLEFT, 0), 1);
  TIFFClose(tiff);
  const Rgba p = picture.at(6, 2);  // alpha 140
  EXPECT_EQ(TIFFGetA(raster[2 * 7 + 6]), p.a);
  EXPECT_NEAR(TIFFGetB(raster[2 * 7 + 6]), p.b * p.a / 255.0, 1.0);
}

TEST(PictureFile, RefusesFilesNotInTheWrittenFormAndUnwritablePlaces) {
  const std::string notTiff = (scratchFolder() / "not_a_picture.tif").string();
  std::ofstream(notTiff) << "II*garbage, not a picture";
  // Plain RGB, as a writer without the alpha sample would leave it.
  const std::string rgb = (scratchFolder() / "rgb.tif").string();
  TIFF* tiff = TIFFOpen(rgb.c_str(), "w");
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 2u);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 1u);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  std::uint8_t line[6] = {1, 2, 3, 4, 5, 6};
  TIFFWriteScanline(tiff, line, 0, 0);
  TIFFClose(tiff);
  for (const std::string& path : {(scratchFolder() / "missing.tif").string(), notTiff, rgb}) {
    const ReadResult read = readTiff(path);
    EXPECT_FALSE(read.picture) << path;
    EXPECT_FALSE(read.error.empty()) << path;
  }

  const std::filesystem::path nowhere = scratchFolder() / "no_such_folder" / "icon.tif";
  EXPECT_NE(writeTiff(nowhere.string(), Picture(2, 2)), "");
  EXPECT_NE(writeTiff((scratchFolder() / "empty.tif").string(), Picture()), "");
  EXPECT_FALSE(std::filesystem::exists(scratchFolder() / "empty.tif"));
}

}  // namespace
}  // namespace pictures
