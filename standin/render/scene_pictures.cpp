// The layouts of whole scene pictures: views side by side (`standin render`)
// and the before-and-after picture of a mirror run.
#include <algorithm>

#include "draw/shapes.h"
#include "draw/typeface.h"
#include "render/scene_drawing.h"

namespace standin {
namespace {

constexpr Rgba kBackground{255, 255, 255, 255};
constexpr Rgba kTitleStrip{228, 231, 236, 255};
constexpr Rgba kTitleText{30, 30, 35, 255};
constexpr Rgba kPlaneText{190, 0, 115, 255};
constexpr int32_t kTitleHeight = 30;
constexpr float kTitleSize = 15;
constexpr float kCaptionSize = 12;
constexpr View kRows[] = {View::kFront, View::kTop, View::kSide};

}  // namespace

std::vector<ViewFrame> SideBySideFrames(std::span<const View> views, const Box3& bounds, int32_t width,
                                        int32_t height) {
  std::vector<ViewFrame> frames;
  const auto count = static_cast<int32_t>(std::max<size_t>(1, views.size()));
  for (int32_t i = 0; i < static_cast<int32_t>(views.size()); ++i) {
    const int32_t left = width * i / count, right = width * (i + 1) / count;
    frames.emplace_back(views[static_cast<size_t>(i)], bounds, PixelRect{left, 0, right - left, height});
  }
  return frames;
}

Picture DrawScene(const SceneShapes& shapes, std::span<const View> views, int32_t width, int32_t height) {
  Picture picture(width, height, kBackground);
  for (const ViewFrame& frame : SideBySideFrames(views, shapes.bounds, width, height)) {
    DrawView(picture, frame, shapes, nullptr);
  }
  return picture;
}

BeforeAfterFrames BeforeAfterLayout(const Box3& bounds, int32_t width, int32_t height) {
  // Both columns have the same width, so that a row's two frames are the
  // same frame side by side.
  const int32_t column = std::max(1, width / 2);
  const int32_t row = std::max(1, (height - kTitleHeight) / 3);
  BeforeAfterFrames frames;
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t top = kTitleHeight + i * row;
    frames.before.emplace_back(kRows[i], bounds, PixelRect{0, top, column, row});
    frames.after.emplace_back(kRows[i], bounds, PixelRect{column, top, column, row});
  }
  return frames;
}

Picture DrawBeforeAfter(const SceneShapes& before, const SceneShapes& after, const MirrorPlane* plane,
                        std::string_view caption, int32_t width, int32_t height) {
  Box3 bounds = before.bounds;
  bounds.Add(after.bounds);
  Picture picture(width, height, kBackground);
  const BeforeAfterFrames frames = BeforeAfterLayout(bounds, width, height);
  for (size_t i = 0; i < frames.before.size(); ++i) {
    DrawView(picture, frames.before[i], before, plane);
    DrawView(picture, frames.after[i], after, plane);
  }
  FillRect(picture, {0, 0, width, kTitleHeight}, kTitleStrip);
  const Typeface& bold = Typeface::SansBold();
  const float baseline = (kTitleHeight + bold.Ascent(kTitleSize)) / 2 - 1;
  bold.Draw(picture, "Before", 10, baseline, kTitleSize, kTitleText);
  bold.Draw(picture, "After", static_cast<float>(frames.after.front().area().x + 10), baseline, kTitleSize,
            kTitleText);
  const Typeface& face = Typeface::Sans();
  face.Draw(picture, caption, static_cast<float>(width - 10) - face.Width(caption, kCaptionSize), baseline,
            kCaptionSize, kPlaneText);
  return picture;
}

}  // namespace standin
