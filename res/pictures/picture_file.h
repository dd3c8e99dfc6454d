// The plug-in's picture files: 8-bit RGBA TIFF, colours not multiplied by
// alpha (the alpha sample is marked unassociated), uncompressed, one strip.
// Every host's TIFF reader decodes that form, and it holds the same bytes
// for the same picture on every run: no date, software or host tags.
#pragma once

#include <optional>
#include <string>

#include "draw/picture.h"

namespace pictures {

// Writes `picture` to `path`. The file is written beside it first and
// renamed over `path` only once complete, so a failed run never leaves a
// truncated picture where the plug-in looks. Empty on success, else why not.
std::string writeTiff(const std::string& path, const standin::Picture& picture);

struct ReadResult {
  std::optional<standin::Picture> picture;
  std::string error;
};

// Reads a file of exactly the form writeTiff makes, pixels as stored;
// anything else is refused with a reason.
ReadResult readTiff(const std::string& path);

}  // namespace pictures
