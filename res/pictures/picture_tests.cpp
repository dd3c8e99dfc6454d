// The pieces of the picture generator whose faults would not show in the
// size checks: pixel order through a TIFF round trip, refusal of files the
// plug-in's hosts could not decode, symmetry of mirrored shapes, clipping at
// the raster's edges, and the font's glyph table.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "font.h"
#include "image.h"
#include "tiff_file.h"

namespace pictures {
namespace {

// Files go below the working directory, which CTest sets to this build's own folder.
std::filesystem::path scratchFolder() {
  const auto folder = std::filesystem::current_path() / "picture_test_files";
  std::filesystem::create_directories(folder);
  return folder;
}

TEST(PictureFile, RoundTripKeepsEveryPixelInPlace) {
  Image image(7, 5);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.blend(x, y, {static_cast<std::uint8_t>(x * 30), static_cast<std::uint8_t>(y * 50), 200}, 1.0);
  const std::string path = (scratchFolder() / "round_trip.tif").string();
  ASSERT_EQ(writeTiff(path, image), "");
  EXPECT_FALSE(std::filesystem::exists(path + ".partial"));

  const ReadResult read = readPlainTiff(path);
  ASSERT_TRUE(read.image) << read.error;
  EXPECT_EQ(read.image->width(), 7);
  EXPECT_EQ(read.image->height(), 5);
  EXPECT_EQ(read.image->bytes(), image.bytes());
}

// Writes a 4 x 4 picture with libtiff directly, letting `adjust` change its form.
std::string writeVariant(const std::string& name, std::uint16_t samples,
                         const std::function<void(TIFF*)>& adjust) {
  const std::string path = (scratchFolder() / name).string();
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 4u);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 4u);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, samples == 1 ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
  adjust(tiff);
  std::vector<std::uint8_t> line(4u * samples, 128);
  for (std::uint32_t y = 0; y < 4; ++y) TIFFWriteScanline(tiff, line.data(), y, 0);
  TIFFClose(tiff);
  return path;
}

TEST(PictureFile, RefusesFormsOtherThanPlainRgb) {
  const std::string notTiff = (scratchFolder() / "not_a_picture.tif").string();
  std::ofstream(notTiff) << "II*garbage, not a picture";
  const std::string truncated = (scratchFolder() / "truncated.tif").string();
  {
    const std::string whole = writeVariant("whole.tif", 3, [](TIFF*) {});
    std::filesystem::copy_file(whole, truncated, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(truncated, 20);
  }
  const std::vector<std::string> refused = {
      (scratchFolder() / "missing.tif").string(),
      notTiff,
      truncated,
      writeVariant("grey.tif", 1, [](TIFF*) {}),
      writeVariant("lzw.tif", 3, [](TIFF* t) { TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW); }),
      writeVariant("planar.tif", 3,
                   [](TIFF* t) { TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_SEPARATE); }),
  };
  for (const std::string& path : refused) {
    const ReadResult read = readPlainTiff(path);
    EXPECT_FALSE(read.image) << path;
    EXPECT_FALSE(read.error.empty()) << path;
  }
}

TEST(Drawing, MirroredPolygonGivesSymmetricPixels) {
  Image image(40, 20);
  const std::vector<Point> shape{{19.0, 1.0}, {19.0, 18.5}, {3.2, 18.5}, {11.0, 9.7}, {5.5, 4.1}};
  fillPolygon(image, shape, {255, 255, 255});
  fillPolygon(image, mirroredAcrossVertical(shape, 20.0), {255, 255, 255});
  int lit = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      ASSERT_EQ(image.at(x, y), image.at(image.width() - 1 - x, y)) << x << ", " << y;
      if (image.at(x, y).r > 0) ++lit;
    }
  EXPECT_GT(lit, 100);
}

TEST(Drawing, ShapesCrossingTheEdgesAreClipped) {
  Image image(8, 8);
  fillPolygon(image, {{-20.0, -20.0}, {30.0, -5.0}, {4.0, 40.0}}, {9, 9, 9});
  fillRect(image, -3, 6, 20, 20, {9, 9, 9});
  drawText(image, -10, -4, 3, "Vitrel", {9, 9, 9});
  drawTextReflection(image, 5, 7, 2, "Wg", {9, 9, 9}, 1.0, 50);
  drawLine(image, {-5.0, 4.0}, {50.0, 4.0}, 3.0, {9, 9, 9});
  EXPECT_EQ(image.at(4, 4), (Rgb{9, 9, 9}));
}

TEST(Font, LettersAndDigitsHaveTheirOwnGlyphs) {
  std::string characters = "0123456789";
  for (char c = 'A'; c <= 'Z'; ++c) characters += c;
  for (char c = 'a'; c <= 'z'; ++c) characters += c;
  characters += "?.,:-()/";
  auto cells = [](char c) {
    std::vector<bool> set;
    for (int row = 0; row < kGlyphRows; ++row)
      for (int column = 0; column < kGlyphColumns; ++column) set.push_back(glyphCell(c, column, row));
    return set;
  };
  for (std::size_t i = 0; i < characters.size(); ++i)
    for (std::size_t j = i + 1; j < characters.size(); ++j)
      EXPECT_NE(cells(characters[i]), cells(characters[j])) << characters[i] << " and " << characters[j];
  EXPECT_EQ(cells('~'), cells('?'));
}

}  // namespace
}  // namespace pictures
