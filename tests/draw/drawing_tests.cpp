// The drawing core at the level of pixels: what PNG files hold, where text
// lands, what antialiased shapes cover and how colours blend.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cmath>
#include <limits>
#include <memory>

#include "draw/png.h"
#include "draw/shapes.h"
#include "draw/typeface.h"

namespace standin {
namespace {

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kBlack{0, 0, 0, 255};

bool SamePixels(const Picture& a, const Picture& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int32_t y = 0; y < a.height(); ++y) {
    for (int32_t x = 0; x < a.width(); ++x) {
      if (!(a.at(x, y) == b.at(x, y))) return false;
    }
  }
  return true;
}

TEST(Png, DecodesToExactlyThePictureAndEncodesTheSameEveryTime) {
  Picture picture(17, 5);
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 17; ++x) {
      picture.at(x, y) = {static_cast<uint8_t>(x * 15), static_cast<uint8_t>(y * 60),
                          static_cast<uint8_t>(x ^ y), static_cast<uint8_t>(x * 16 + y)};
    }
  }
  const std::string bytes = EncodePng(picture);
  EXPECT_EQ(EncodePng(picture), bytes);
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, void (*)(void*)> decoded(
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), static_cast<int>(bytes.size()),
                            &width, &height, &channels, 4),
      stbi_image_free);
  ASSERT_NE(decoded, nullptr);
  ASSERT_EQ(width, 17);
  ASSERT_EQ(height, 5);
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 17; ++x) {
      const stbi_uc* p = decoded.get() + (y * 17 + x) * 4;
      ASSERT_EQ(picture.at(x, y), (Rgba{p[0], p[1], p[2], p[3]})) << x << ", " << y;
    }
  }
  EXPECT_TRUE(EncodePng(Picture()).empty());
}

TEST(Typeface, TextStaysInItsBoxAndDrawsTheSameEachTime) {
  const Typeface& sans = Typeface::Sans();
  const float x = 10.3f, baseline = 30.6f, size = 13.0f;
  const std::string text = "Hello, Wy";
  Picture first(120, 50, kClear);
  sans.Draw(first, text, x, baseline, size, kBlack);
  // Ink within the advance and the line's height (a pixel of slack for
  // antialiasing and the snapped baseline).
  const float right = x + sans.Width(text, size);
  const float top = std::round(baseline) - sans.Ascent(size);
  const float bottom = std::round(baseline) + sans.Descent(size);
  int32_t inked = 0;
  for (int32_t j = 0; j < first.height(); ++j) {
    for (int32_t i = 0; i < first.width(); ++i) {
      if (first.at(i, j).a == 0) continue;
      const auto px = static_cast<float>(i), py = static_cast<float>(j);
      ++inked;
      EXPECT_TRUE(px + 1 > x - 1 && px < right + 1 && py + 1 > top - 1 && py < bottom + 1)
          << px << ", " << py;
    }
  }
  EXPECT_GT(inked, 100);
  Picture second(120, 50, kClear);
  sans.Draw(second, text, x, baseline, size, kBlack);
  EXPECT_TRUE(SamePixels(first, second));

  // Bytes that are not UTF-8 draw as U+FFFD; kerning pulls pairs together.
  Picture bad(40, 30, kClear), replacement(40, 30, kClear);
  sans.Draw(bad, "a\xff", 5, 20, size, kBlack);
  sans.Draw(replacement, "a\xEF\xBF\xBD", 5, 20, size, kBlack);
  EXPECT_TRUE(SamePixels(bad, replacement));
  EXPECT_LT(sans.Width("AV", size), sans.Width("A", size) + sans.Width("V", size));
  EXPECT_GT(Typeface::SansBold().Width(text, size), sans.Width(text, size));
}

TEST(Shapes, CoverageIsTheAreaCoveredAndClipped) {
  Picture canvas(6, 6, kClear);
  const PointF square[] = {{1.5f, 1.5f}, {3.5f, 1.5f}, {3.5f, 3.5f}, {1.5f, 3.5f}};
  FillPolygon(canvas, square, kBlack);
  EXPECT_EQ(canvas.at(1, 1).a, 64);   // a quarter
  EXPECT_EQ(canvas.at(2, 1).a, 128);  // a half
  EXPECT_EQ(canvas.at(2, 2).a, 255);
  EXPECT_EQ(canvas.at(4, 4).a, 0);

  // A polyline's strokes and joins are blended once where they overlap.
  Picture bend(40, 40, kClear);
  const PointF path[] = {{10, 35}, {10, 10}, {35, 10}};
  DrawPolyline(bend, path, 3, {0, 0, 255, 128});
  for (const auto& [px, py] : {std::pair{9, 9}, std::pair{10, 10}, std::pair{9, 20}, std::pair{20, 10}}) {
    EXPECT_EQ(bend.at(px, py), (Rgba{0, 0, 255, 128})) << px << ", " << py;
  }
}

TEST(Shapes, ExtremeCoordinatesAreSafe) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  Picture canvas(40, 40, kClear);
  DrawLine(canvas, {nan, 0}, {20, 20}, 1, kBlack);
  DrawLine(canvas, {0, 0}, {inf, 20}, 1, kBlack);
  DrawLine(canvas, {0, 0}, {20, 20}, nan, kBlack);
  DrawLine(canvas, {-1e30f, -3}, {1e30f, -3}, 1, kBlack);  // wholly above
  FillCircle(canvas, {20, 20}, nan, kBlack);
  const PointF bad[] = {{0, 0}, {30, 0}, {0, inf}};
  FillPolygon(canvas, bad, kBlack);
  EXPECT_TRUE(SamePixels(canvas, Picture(40, 40, kClear)));

  // Through pixel centres, a one-pixel line covers exactly its row.
  DrawLine(canvas, {-1e30f, 20.5f}, {1e30f, 20.5f}, 1, kBlack);
  for (int32_t x = 0; x < 40; ++x) {
    ASSERT_EQ(canvas.at(x, 20), kBlack) << x;
    ASSERT_EQ(canvas.at(x, 19).a, 0) << x;
    ASSERT_EQ(canvas.at(x, 21).a, 0) << x;
  }
  // Enormous shapes clip to the canvas instead of walking their extent.
  DrawLine(canvas, {-1e30f, -1e30f}, {1e30f, 1e30f}, 1e9f, kBlack);
  FillCircle(canvas, {20, 20}, 1e30f, kBlack);
  StrokeCircle(canvas, {20, -3e7f}, 3e7f, 2, kBlack);
  FillRoundedRect(canvas, -1e30f, -1e30f, 3e30f, 3e30f, 1e30f, kBlack);
  Typeface::Sans().Draw(canvas, "Wide", -1e6f, 1e3f, 1e6f, kBlack);
  EXPECT_TRUE(SamePixels(canvas, Picture(40, 40, kBlack)));
}

TEST(Shapes, BlendingKeepsStraightColourAndAlpha) {
  Picture canvas(2, 1, kClear);
  canvas.at(1, 0) = {255, 255, 255, 255};
  FillRect(canvas, {0, 0, 2, 1}, {255, 0, 0, 128});
  EXPECT_EQ(canvas.at(0, 0), (Rgba{255, 0, 0, 128}));  // over nothing: the colour itself
  EXPECT_EQ(canvas.at(1, 0), (Rgba{255, 127, 127, 255}));
  BlendPixel(canvas, 0, 0, {0, 0, 255, 255}, 0.5f);
  EXPECT_EQ(canvas.at(0, 0), (Rgba{85, 0, 170, 192}));
}

}  // namespace
}  // namespace standin
