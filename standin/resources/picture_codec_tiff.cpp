// TIFF files through libtiff.
#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "base/regular_input.h"
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
// A classic TIFF file's offsets are 32 bits: an encoding that would grow
// past them fails instead.
constexpr uint64_t kMaxEncodedBytes = uint64_t{0xFFFFFFFF};

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
  // libtiff opens whatever it is given: a FIFO would hold the host forever.
  std::string reason;
  if (!OpenRegularInput(path, kPictureInput, reason)) {
    error = path.string() + ": " + reason;
    return false;
  }
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

namespace {

// A growing file in memory for libtiff to write through TIFFClientOpen: it
// seeks back to patch offsets, so writes may land anywhere.
struct MemoryFile {
  std::string bytes;
  uint64_t position = 0;
};

tmsize_t MemoryRead(thandle_t, void*, tmsize_t) { return 0; }  // opened for writing only

tmsize_t MemoryWrite(thandle_t handle, void* data, tmsize_t size) {
  auto& file = *static_cast<MemoryFile*>(handle);
  if (size < 0) return -1;
  const uint64_t end = file.position + static_cast<uint64_t>(size);
  if (end > kMaxEncodedBytes) return -1;
  if (end > file.bytes.size()) file.bytes.resize(static_cast<std::size_t>(end));
  std::memcpy(file.bytes.data() + file.position, data, static_cast<std::size_t>(size));
  file.position = end;
  return size;
}

toff_t MemorySeek(thandle_t handle, toff_t offset, int whence) {
  auto& file = *static_cast<MemoryFile*>(handle);
  uint64_t base = 0;
  if (whence == SEEK_CUR) base = file.position;
  if (whence == SEEK_END) base = file.bytes.size();
  file.position = base + offset;
  return file.position;
}

int MemoryClose(thandle_t) { return 0; }

toff_t MemorySize(thandle_t handle) { return static_cast<MemoryFile*>(handle)->bytes.size(); }

int MemoryMap(thandle_t, void**, toff_t*) { return 0; }

void MemoryUnmap(thandle_t, void*, toff_t) {}

}  // namespace

bool EncodePicture(const Picture& picture, std::string& bytes, std::string& error) {
  InstallTiffHandlers();
  LastTiffMessage().clear();
  bytes.clear();
  if (picture.empty()) {
    error = "there is no picture to encode";
    return false;
  }
  MemoryFile file;
  TiffFile tif(TIFFClientOpen("picture", "w", &file, MemoryRead, MemoryWrite, MemorySeek, MemoryClose,
                              MemorySize, MemoryMap, MemoryUnmap));
  if (!tif) {
    error = Reason("cannot start a TIFF picture");
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
  // Flushing writes the directory; closing must not fail after that.
  written = written && TIFFFlush(tif.get()) == 1;
  tif.reset();
  if (!written) {
    error = Reason("cannot encode the picture as TIFF");
    return false;
  }
  bytes = std::move(file.bytes);
  return true;
}

}  // namespace standin
