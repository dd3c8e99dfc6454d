// Reading picture files and encoding pictures. This is the one place that knows a
// picture file format: TIFF through libtiff on this platform (the Windows
// build decodes through the system's imaging component instead).
#pragma once

#include <filesystem>
#include <string>

#include "draw/picture.h"

namespace standin {

// Pictures larger than this on either side, or with more pixels in all, are
// refused rather than decoded, so a damaged header cannot exhaust memory.
inline constexpr int32_t kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = int64_t{64} << 20;

// Reads the first picture of the file into `out`. False with a reason in
// `error` when the file is missing, damaged or too large; `out` is then
// left as it was. Pixels that are only partly transparent come back with
// their colour multiplied by their alpha.
bool ReadPicture(const std::filesystem::path& path, Picture& out, std::string& error);

// The bytes of an uncompressed RGBA TIFF file of `picture`, made in memory
// so that the caller writes them like any other output. False with a reason
// in `error` (an empty picture, or the encoder failed); `bytes` is then
// left empty.
bool EncodePicture(const Picture& picture, std::string& bytes, std::string& error);

}  // namespace standin
