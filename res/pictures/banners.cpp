// The dialogs' banners: a deep slate ground, the emblem in teal, the texts
// in white and a pale blue-grey. Texts are drawn at whole-pixel sizes from
// whole-pixel baselines so that they stay crisp at 100%.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "draw/shapes.h"
#include "draw/typeface.h"
#include "mirror_motif.h"
#include "pictograms.h"
#include "pictures.h"

namespace pictures {

using standin::Picture;
using standin::Rgba;
using standin::Typeface;

namespace {

constexpr Rgba kGroundTop{36, 51, 72, 255};
constexpr Rgba kGroundBottom{25, 36, 52, 255};
constexpr Rgba kText{244, 247, 250, 255};
constexpr Rgba kSubtle{172, 188, 206, 255};
constexpr Rgba kAccent{94, 196, 204, 255};
constexpr Rgba kCard{255, 255, 255, 16};

constexpr std::string_view kName = "Vitrel";
constexpr std::string_view kWhatItDoes = "Mirrors objects across X, Y or Z";

Rgba withAlpha(Rgba colour, std::uint8_t alpha) { return {colour.r, colour.g, colour.b, alpha}; }

// The emblem on the dark ground: the shape in solid teal, its mirror image
// translucent inside a teal outline, the axis dashed in white.
MotifStyle bannerMotif(float scale) {
  return {.shape = kAccent,
          .shapeEdge = {},
          .reflection = withAlpha(kAccent, 72),
          .reflectionEdge = kAccent,
          .axis = withAlpha(kText, 200),
          .edgeWidth = std::fmax(1.0f, 1.5f * scale),
          .axisWidth = std::fmax(1.0f, 2.0f * scale),
          .dash = std::round(5 * scale),
          .dashGap = std::round(3 * scale),
          .overhang = std::round(6 * scale)};
}

// The ground: a gentle top-to-bottom gradient and an accent line along the
// bottom edge, which sets the banner off from the dialog below it.
Picture ground(int width, int height) {
  Picture picture(width, height, kGroundTop);
  const float last = static_cast<float>(height > 1 ? height - 1 : 1);
  auto mix = [](std::uint8_t a, std::uint8_t b, float t) {
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
  };
  for (int y = 0; y < height; ++y) {
    const float t = static_cast<float>(y) / last;
    const Rgba row{mix(kGroundTop.r, kGroundBottom.r, t), mix(kGroundTop.g, kGroundBottom.g, t),
                   mix(kGroundTop.b, kGroundBottom.b, t), 255};
    standin::FillRect(picture, {0, y, width, 1}, row);
  }
  standin::FillRect(picture, {0, height - 2, width, 2}, withAlpha(kAccent, 150));
  return picture;
}

void drawText(Picture& canvas, const Typeface& face, std::string_view text, int x, int baseline, int size,
              Rgba colour) {
  face.Draw(canvas, text, static_cast<float>(x), static_cast<float>(baseline), static_cast<float>(size),
            colour);
}

void drawCentredText(Picture& canvas, const Typeface& face, std::string_view text, float centreX,
                     int baseline, int size, Rgba colour) {
  const auto x = static_cast<int>(std::round(centreX - face.Width(text, static_cast<float>(size)) / 2));
  drawText(canvas, face, text, x, baseline, size, colour);
}

}  // namespace

Picture drawMirrorBanner() {
  Picture banner = ground(400, 80);
  drawMirrorMotif(banner, {.axisX = 54, .top = 15, .height = 48, .gap = 4}, bannerMotif(1));
  const standin::PixelRect name = kBannerNameBox;
  drawText(banner, Typeface::SansBold(), kName, name.x, name.y + 34, 36, kText);
  drawText(banner, Typeface::Sans(), kWhatItDoes, name.x + 1, 66, 13, kSubtle);
  drawAxisGizmo(banner, {352, 38}, 20, 11);
  return banner;
}

Picture drawUsageBanner() {
  Picture banner = ground(400, 120);
  drawText(banner, Typeface::SansBold(), "Simple usage", 14, 29, 20, kText);
  drawMirrorMotif(banner, {.axisX = 372, .top = 10, .height = 24, .gap = 2.5f}, bannerMotif(0.6f));

  constexpr int kCardTop = 42, kCardWidth = 118, kCardHeight = 68, kCardGap = 9;
  constexpr std::array<std::string_view, 3> kSteps{"Select an object", "Choose the axis", "Press Mirror"};
  for (int i = 0; i < 3; ++i) {
    const int left = 14 + i * (kCardWidth + kCardGap);
    const float centreX = static_cast<float>(left) + kCardWidth / 2.0f;
    const standin::PointF pictogram{centreX, kCardTop + 28.0f};
    standin::FillRoundedRect(banner, static_cast<float>(left), kCardTop, kCardWidth, kCardHeight, 6, kCard);
    drawText(banner, Typeface::SansBold(), std::to_string(i + 1), left + 8, kCardTop + 18, 13, kAccent);
    drawCentredText(banner, Typeface::Sans(), kSteps[static_cast<std::size_t>(i)], centreX,
                    kCardTop + kCardHeight - 8, 12, kText);
    if (i == 0) {
      drawCube(banner, pictogram, 28, {70, 150, 160, 255});
    } else if (i == 1) {
      drawAxisGizmo(banner, {pictogram[0] - 2, pictogram[1] + 2}, 16, 10);
    } else {
      drawMirrorMotif(banner, {.axisX = centreX, .top = pictogram[1] - 14, .height = 28, .gap = 3},
                      bannerMotif(0.7f));
    }
  }
  return banner;
}

Picture drawVersionBanner() {
  Picture banner = ground(400, 120);
  drawMirrorMotif(banner, {.axisX = 66, .top = 22, .height = 76, .gap = 6}, bannerMotif(1.4f));
  drawText(banner, Typeface::SansBold(), kName, 140, 56, 40, kText);
  drawText(banner, Typeface::Sans(), std::string("Version ") + VITREL_VERSION, 142, 82, 16, kAccent);
  drawText(banner, Typeface::Sans(), kWhatItDoes, 142, 102, 12, kSubtle);
  return banner;
}

}  // namespace pictures
