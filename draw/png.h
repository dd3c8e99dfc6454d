// PNG files of pictures, encoded by stb_image_write: the same bytes for the
// same picture on every platform and every run.
#pragma once

#include <string>

#include "draw/picture.h"

namespace standin {

// The picture as the bytes of a PNG file (8-bit RGBA, not interlaced). An
// empty picture gives an empty string, and so does one too large for the
// encoder (about 2^29 pixels or more).
std::string EncodePng(const Picture& picture);

}  // namespace standin
