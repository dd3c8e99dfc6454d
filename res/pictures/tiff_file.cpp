#include "tiff_file.h"

#include <tiffio.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

namespace pictures {

namespace {

struct TiffCloser {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

// libtiff reports to standard error by default; the callers report their
// own reason instead, so its messages are silenced.
void silenceLibtiff() {
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
}

bool writeAll(TIFF* tiff, const Image& image) {
  const auto width = static_cast<std::uint32_t>(image.width());
  const auto height = static_cast<std::uint32_t>(image.height());
  const bool tagsSet =
      TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width) && TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height) &&
      TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) && TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3) &&
      TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
      TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
      TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE) &&
      TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
      TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, height) &&
      TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH) &&
      TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 72.0) && TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 72.0);
  if (!tagsSet) return false;
  std::vector<std::uint8_t> line(image.rowSize());
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint8_t* source = image.bytes().data() + y * image.rowSize();
    line.assign(source, source + image.rowSize());
    if (TIFFWriteScanline(tiff, line.data(), y, 0) < 0) return false;
  }
  return true;
}

}  // namespace

std::string writeTiff(const std::string& path, const Image& image) {
  silenceLibtiff();
  if (image.width() <= 0 || image.height() <= 0) return "cannot write an empty picture";
  const std::string aside = path + ".partial";
  {
    TiffHandle tiff(TIFFOpen(aside.c_str(), "w"));
    if (!tiff) return "cannot create " + aside;
    if (!writeAll(tiff.get(), image)) {
      tiff.reset();
      std::error_code ignored;
      std::filesystem::remove(aside, ignored);
      return "cannot write " + aside;
    }
  }
  std::error_code error;
  std::filesystem::rename(aside, path, error);
  if (error) return "cannot rename " + aside + " to " + path + ": " + error.message();
  return {};
}

ReadResult readPlainTiff(const std::string& path) {
  silenceLibtiff();
  TiffHandle tiff(TIFFOpen(path.c_str(), "r"));
  if (!tiff) return {std::nullopt, "not a readable TIFF file"};

  std::uint32_t width = 0, height = 0;
  std::uint16_t bits = 0, samples = 0, photometric = 0, planar = 0, compression = 0;
  if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) ||
      !TIFFGetField(tiff.get(), TIFFTAG_PHOTOMETRIC, &photometric))
    return {std::nullopt, "size or colour model missing"};
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_COMPRESSION, &compression);

  if (photometric != PHOTOMETRIC_RGB || samples != 3 || bits != 8) return {std::nullopt, "not 8-bit RGB"};
  if (planar != PLANARCONFIG_CONTIG) return {std::nullopt, "samples not interleaved"};
  if (compression != COMPRESSION_NONE) return {std::nullopt, "compressed"};
  if (TIFFNumberOfDirectories(tiff.get()) != 1) return {std::nullopt, "more than one image"};
  constexpr std::uint32_t kLargestSide = 1u << 14;
  if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide)
    return {std::nullopt, "implausible size"};
  if (TIFFScanlineSize64(tiff.get()) != static_cast<std::uint64_t>(width) * 3)
    return {std::nullopt, "unexpected row size"};

  Image image(static_cast<int>(width), static_cast<int>(height));
  for (std::uint32_t y = 0; y < height; ++y)
    if (TIFFReadScanline(tiff.get(), image.row(static_cast<int>(y)), y, 0) < 0)
      return {std::nullopt, "pixel data unreadable"};
  return {std::move(image), {}};
}

}  // namespace pictures
