// Reading and writing the plug-in's pictures as plain TIFF files: one image,
// 8-bit RGB, pixels interleaved, uncompressed, in a single strip. Every
// reader of TIFF decodes that form, the Windows imaging codecs included.
#pragma once

#include <optional>
#include <string>

#include "image.h"

namespace pictures {

// Writes `image` to `path`. The file is written aside and then renamed, so
// a failed write never leaves a partial picture under the final name.
// Returns an empty text on success, else what went wrong.
std::string writeTiff(const std::string& path, const Image& image);

// Reads a picture written in the plain form above. Any other form (another
// sample layout, compression, several images) is refused with a reason.
struct ReadResult {
  std::optional<Image> image;
  std::string error;
};
ReadResult readPlainTiff(const std::string& path);

}  // namespace pictures
