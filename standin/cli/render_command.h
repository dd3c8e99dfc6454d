// `standin render SCENE --out FILE.png`: the scene drawn in orthographic
// views, as a PNG picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/scene_view.h"

namespace standin {

// A picture's size as --size gives it: width and height in pixels.
struct PictureSize {
  int32_t width = 0, height = 0;
};
inline constexpr int32_t kSmallestPictureSide = 16;
inline constexpr int32_t kLargestPictureSide = 8192;

// "W,H" with each side a whole number from 16 to 8192; nothing otherwise.
std::optional<PictureSize> ReadPictureSize(std::string_view text);

// The views --view names: "front", "top", "side" or "all" (the three, side
// by side); nothing for another word.
std::optional<std::vector<View>> ReadViews(std::string_view word);

struct RenderRequest {
  std::string scene;  // a path, or "-" for standard input
  std::string out;    // "-": standard output
  std::vector<View> views{View::kFront, View::kTop, View::kSide};
  std::optional<PictureSize> size;  // none: the default for the number of views
};

// The size a render gets without --size: 1200 x 440 for the three views,
// 800 x 600 for one.
PictureSize DefaultRenderSize(size_t views);

// Reads the scene, draws it and writes the PNG. The output is checked before
// the scene is read, and replaced only by a complete new picture.
int RunRender(const RenderRequest& request);

}  // namespace standin
