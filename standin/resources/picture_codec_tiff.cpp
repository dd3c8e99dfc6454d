// TIFF files through libtiff.
#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <vector>

#include "resources/picture_codec.h"

namespace standin {

namespace {

// libtiff reports through process-wide handlers; the host keeps the last
// message so that a failure can say why, instead of printing it.
std::string& LastTiffMessage() {
  static std::string message;
  return message;
}

void KeepTiffMessage(const char* module, const char* format, va_list args) {
  char text[512];
  std::vsnprintf(text, sizeof text, format, args);
  LastTiffMessage() = module != nullptr && *module != '\0' ? std::string(module) + ": " + text : text;
}

void IgnoreTiffWarning(const char*, const char*, va_list) {}

void InstallTiffHandlers() {
  static const bool installed = [] {
    TIFFSetErrorHandler(KeepTiffMessage);
    TIFFSetWarningHandler(IgnoreTiffWarning);
    return true;
  }();
  (void)installed;
}

// The decoder reads one strip or tile at a time into a buffer of its raw
// size (one per plane for planar files), which the header sets through its
// samples per pixel, bits per sample and tile size rather than through the
// picture's size. A larger one is refused, so that a few bytes of header
// cannot make the host ask for gigabytes. The limit is the size of the
// largest picture's pixels, so the host's own single-strip files always read.
constexpr uint64_t kMaxChunkBytes = uint64_t{kMaxPicturePixels} * 4;

struct TiffCloser {
  void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffFile = std::unique_ptr<TIFF, TiffCloser>;

std::string Reason(const std::string& what) {
  std::string reason = what;
  if (!LastTiffMessage().empty()) reason += " (" + LastTiffMessage() + ")";
  return reason;
}

}  // namespace

bool ReadPicture(const std::filesystem::path& path, Picture& out, std::string& error) {
  InstallTiffHandlers();
  LastTiffMessage().clear();
  TiffFile tif(TIFFOpen(path.c_str(), "r"));
  if (!tif) {
    error = Reason("cannot open " + path.string() + " as a TIFF picture");
    return false;
  }
  uint32_t width = 0;
  uint32_t height = 0;
  if (TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 ||
      TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height) != 1 || width == 0 || height == 0) {
    error = Reason(path.string() + " has no picture size");
    return false;
  }
  if (width > kMaxPictureSide || height > kMaxPictureSide ||
      int64_t{width} * int64_t{height} > kMaxPicturePixels) {
    error = path.string() + " is too large (" + std::to_string(width) + " x " + std::to_string(height) + ")";
    return false;
  }
  const uint64_t chunk = TIFFIsTiled(tif.get()) ? TIFFTileSize64(tif.get()) : TIFFStripSize64(tif.get());
  if (chunk > kMaxChunkBytes) {
    error = path.string() + " is too large to decode (a strip or tile of " + std::to_string(chunk) +
            " bytes; at most " + std::to_string(kMaxChunkBytes) + ")";
    return false;
  }
  std::vector<uint32_t> raster(std::size_t{width} * height);
  if (TIFFReadRGBAImageOriented(tif.get(), width, height, raster.data(), ORIENTATION_TOPLEFT, 0) != 1) {
    error = Reason("cannot decode " + path.string());
    return false;
  }
  Picture picture(static_cast<int32_t>(width), static_cast<int32_t>(height));
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      uint32_t packed = raster[std::size_t{y} * width + x];
      picture.at(static_cast<int32_t>(x), static_cast<int32_t>(y)) = {
          static_cast<uint8_t>(TIFFGetR(packed)), static_cast<uint8_t>(TIFFGetG(packed)),
          static_cast<uint8_t>(TIFFGetB(packed)), static_cast<uint8_t>(TIFFGetA(packed))};
    }
  }
  out = std::move(picture);
  return true;
}

bool WritePicture(const std::filesystem::path& path, const Picture& picture, std::string& error) {
  InstallTiffHandlers();
  LastTiffMessage().clear();
  if (picture.empty()) {
    error = "there is no picture to write to " + path.string();
    return false;
  }
  std::filesystem::path aside = path;
  aside += ".partial";
  TiffFile tif(TIFFOpen(aside.c_str(), "w"));
  if (!tif) {
    error = Reason("cannot write " + aside.string());
    return false;
  }
  const auto width = static_cast<uint32_t>(picture.width());
  const auto height = static_cast<uint32_t>(picture.height());
  const uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
  TIFFSetField(tif.get(), TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tif.get(), TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tif.get(), TIFFTAG_SAMPLESPERPIXEL, 4);
  TIFFSetField(tif.get(), TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif.get(), TIFFTAG_EXTRASAMPLES, 1, extra);
  TIFFSetField(tif.get(), TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif.get(), TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif.get(), TIFFTAG_COMPRESSION, COMPRESSION_NONE);
  TIFFSetField(tif.get(), TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif.get(), TIFFTAG_ROWSPERSTRIP, height);
  std::vector<uint8_t> row(std::size_t{width} * 4);
  bool written = true;
  for (uint32_t y = 0; y < height && written; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const Rgba& p = picture.at(static_cast<int32_t>(x), static_cast<int32_t>(y));
      uint8_t* at = &row[std::size_t{x} * 4];
      at[0] = p.r;
      at[1] = p.g;
      at[2] = p.b;
      at[3] = p.a;
    }
    written = TIFFWriteScanline(tif.get(), row.data(), y, 0) == 1;
  }
  // Closing writes the directory; only a file closed cleanly replaces `path`.
  written = written && TIFFFlush(tif.get()) == 1;
  tif.reset();
  std::error_code ec;
  if (written) std::filesystem::rename(aside, path, ec);
  if (!written || ec) {
    error = written ? "cannot replace " + path.string() + " (" + ec.message() + ")"
                    : Reason("cannot write " + aside.string());
    std::filesystem::remove(aside, ec);
    return false;
  }
  return true;
}

}  // namespace standin
