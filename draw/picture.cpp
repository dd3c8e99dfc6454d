#include "draw/picture.h"

#include <algorithm>

namespace standin {

Picture::Picture(int32_t width, int32_t height, Rgba fill) {
  if (width < 1 || height < 1) return;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

void Picture::Fill(Rgba colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }

namespace {

// The source coordinate that target offset `i` shows, for a source run of
// `source_size` shown over `target_size` pixels: the source pixel under the
// target pixel's centre.
int64_t SourceOffset(int64_t i, int64_t source_size, int64_t target_size, bool scaled) {
  if (!scaled) return i;
  return (2 * i + 1) * source_size / (2 * target_size);
}

}  // namespace

void DrawPicture(Picture& canvas, const Picture& picture, PixelRect source, PixelRect target, bool scaled) {
  if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return;
  if (canvas.empty() || picture.empty()) return;
  // Unscaled, the target shrinks to the source's size.
  const int64_t target_w = scaled ? target.width : std::min(target.width, source.width);
  const int64_t target_h = scaled ? target.height : std::min(target.height, source.height);
  // Target offsets that land on the canvas.
  const int64_t i_begin = std::max<int64_t>(0, -int64_t{target.x});
  const int64_t i_end = std::min<int64_t>(target_w, int64_t{canvas.width()} - target.x);
  const int64_t j_begin = std::max<int64_t>(0, -int64_t{target.y});
  const int64_t j_end = std::min<int64_t>(target_h, int64_t{canvas.height()} - target.y);
  for (int64_t j = j_begin; j < j_end; ++j) {
    const int64_t sy = source.y + SourceOffset(j, source.height, target.height, scaled);
    if (sy < 0 || sy >= picture.height()) continue;
    for (int64_t i = i_begin; i < i_end; ++i) {
      const int64_t sx = source.x + SourceOffset(i, source.width, target.width, scaled);
      if (sx < 0 || sx >= picture.width()) continue;
      canvas.at(static_cast<int32_t>(target.x + i), static_cast<int32_t>(target.y + j)) =
          picture.at(static_cast<int32_t>(sx), static_cast<int32_t>(sy));
    }
  }
}

}  // namespace standin
