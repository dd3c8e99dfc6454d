#include "picture_file.h"

#include <tiffio.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

namespace pictures {

namespace {

using standin::Picture;
using standin::Rgba;

constexpr std::uint16_t kSamples = 4;

struct TiffCloser {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

// libtiff reports to standard error by default; the callers give their own
// reason instead, so its messages are silenced.
void silenceLibtiff() {
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
}

bool writeAll(TIFF* tiff, const Picture& picture) {
  const auto width = static_cast<std::uint32_t>(picture.width());
  const auto height = static_cast<std::uint32_t>(picture.height());
  const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
  const bool tagsSet =
      TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width) && TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height) &&
      TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) && TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, kSamples) &&
      TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra) &&
      TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
      TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
      TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE) &&
      TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
      TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, height) &&
      TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH) &&
      TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 72.0) && TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 72.0);
  if (!tagsSet) return false;
  std::vector<std::uint8_t> line(static_cast<std::size_t>(width) * kSamples);
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const Rgba& p = picture.at(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
      std::uint8_t* out = &line[static_cast<std::size_t>(x) * kSamples];
      out[0] = p.r;
      out[1] = p.g;
      out[2] = p.b;
      out[3] = p.a;
    }
    if (TIFFWriteScanline(tiff, line.data(), y, 0) < 0) return false;
  }
  // Flushing writes the directory, so a full disk shows here rather than
  // as a file that only looks complete.
  return TIFFFlush(tiff) == 1;
}

}  // namespace

std::string writeTiff(const std::string& path, const Picture& picture) {
  silenceLibtiff();
  if (picture.empty()) return "cannot write an empty picture to " + path;
  const std::string aside = path + ".partial";
  bool written = false;
  {
    TiffHandle tiff(TIFFOpen(aside.c_str(), "w"));
    if (!tiff) return "cannot create " + aside;
    written = writeAll(tiff.get(), picture);
  }
  std::error_code error;
  if (written) std::filesystem::rename(aside, path, error);
  if (!written || error) {
    std::error_code ignored;
    std::filesystem::remove(aside, ignored);
    return written ? "cannot rename " + aside + " to " + path + ": " + error.message()
                   : "cannot write " + aside;
  }
  return {};
}

ReadResult readTiff(const std::string& path) {
  silenceLibtiff();
  TiffHandle tiff(TIFFOpen(path.c_str(), "r"));
  if (!tiff) return {std::nullopt, "not a readable TIFF file"};

  std::uint32_t width = 0, height = 0;
  std::uint16_t bits = 0, samples = 0, photometric = 0, planar = 0, compression = 0;
  std::uint16_t extraCount = 0;
  const std::uint16_t* extra = nullptr;
  if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) ||
      !TIFFGetField(tiff.get(), TIFFTAG_PHOTOMETRIC, &photometric))
    return {std::nullopt, "size or colour model missing"};
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_COMPRESSION, &compression);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_EXTRASAMPLES, &extraCount, &extra);

  if (photometric != PHOTOMETRIC_RGB || samples != kSamples || bits != 8)
    return {std::nullopt, "not 8-bit RGBA"};
  if (extraCount != 1 || extra == nullptr || extra[0] != EXTRASAMPLE_UNASSALPHA)
    return {std::nullopt, "fourth sample is not unassociated alpha"};
  if (planar != PLANARCONFIG_CONTIG) return {std::nullopt, "samples not interleaved"};
  if (compression != COMPRESSION_NONE) return {std::nullopt, "compressed"};
  if (TIFFNumberOfDirectories(tiff.get()) != 1) return {std::nullopt, "more than one image"};
  constexpr std::uint32_t kLargestSide = 1u << 14;
  if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide)
    return {std::nullopt, "implausible size"};
  if (TIFFScanlineSize64(tiff.get()) != static_cast<std::uint64_t>(width) * kSamples)
    return {std::nullopt, "unexpected row size"};

  Picture picture(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
  std::vector<std::uint8_t> line(static_cast<std::size_t>(width) * kSamples);
  for (std::uint32_t y = 0; y < height; ++y) {
    if (TIFFReadScanline(tiff.get(), line.data(), y, 0) < 0) return {std::nullopt, "pixel data unreadable"};
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint8_t* in = &line[static_cast<std::size_t>(x) * kSamples];
      picture.at(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)) = {in[0], in[1], in[2], in[3]};
    }
  }
  return {std::move(picture), {}};
}

}  // namespace pictures
