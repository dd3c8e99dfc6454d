#include "draw/png.h"

#include <stb/stb_image_write.h>

#include <climits>

namespace standin {

namespace {

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

}  // namespace

std::string EncodePng(const Picture& picture) {
  static_assert(sizeof(Rgba) == 4, "pixels are stored as packed RGBA bytes");
  std::string bytes;
  if (picture.empty()) return bytes;
  // The encoder counts its buffers in int: larger pictures are refused.
  const int64_t row_bytes = int64_t{picture.width()} * 4;
  if ((row_bytes + 1) * picture.height() > INT_MAX / 2) return bytes;
  const int stride = static_cast<int>(row_bytes);
  if (stbi_write_png_to_func(Append, &bytes, picture.width(), picture.height(), 4, picture.data(), stride) ==
      0) {
    bytes.clear();
  }
  return bytes;
}

}  // namespace standin
