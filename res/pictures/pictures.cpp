#include "pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "font.h"

namespace pictures {

namespace {

// The plug-in's colours: deep blue glass with a light cyan edge.
constexpr Rgb kDeepTop{20, 31, 52};
constexpr Rgb kDeepBottom{39, 61, 97};
constexpr Rgb kGlass{127, 211, 230};
constexpr Rgb kPale{242, 245, 248};
constexpr Rgb kMuted{150, 172, 196};
constexpr Rgb kAxisX{230, 96, 86};
constexpr Rgb kAxisY{128, 206, 106};
constexpr Rgb kAxisZ{96, 146, 236};

// The emblem: an arrow rising away from a mirror line and its reflection on
// the other side, so that the picture itself shows what the plug-in does.
// Points in units of the emblem's height, x measured from the mirror line.
constexpr Point kArrowTail{-0.2, 0.96};
constexpr Point kArrowTip{-0.66, 0.04};
constexpr double kShaftWidth = 0.16;
constexpr double kHeadWidth = 0.46;
constexpr double kHeadLength = 0.4;

struct Emblem {
  double axisX;
  double top;
  double size;
  double lineWidth;
};

// A filled arrow from `tail` to `tip` as one polygon, so that its edges are
// smoothed and it can be reflected as a whole.
std::vector<Point> arrowOutline(Point tail, Point tip, double shaftWidth, double headWidth,
                                double headLength) {
  const double length = std::hypot(tip.x - tail.x, tip.y - tail.y);
  const double ux = (tip.x - tail.x) / length;
  const double uy = (tip.y - tail.y) / length;
  const Point neck{tip.x - ux * headLength, tip.y - uy * headLength};
  auto side = [&](Point p, double offset) { return Point{p.x - uy * offset, p.y + ux * offset}; };
  return {side(tail, shaftWidth / 2), side(neck, shaftWidth / 2),  side(neck, headWidth / 2),  tip,
          side(neck, -headWidth / 2), side(neck, -shaftWidth / 2), side(tail, -shaftWidth / 2)};
}

void drawDashedVertical(Image& image, double x, double top, double bottom, double width, double dash,
                        double gap, Rgb colour, double alpha) {
  for (double y = top; y < bottom; y += dash + gap)
    drawLine(image, {x, y}, {x, std::min(y + dash, bottom)}, width, colour, alpha);
}

void drawEmblem(Image& image, const Emblem& e) {
  auto place = [&](Point p) { return Point{e.axisX + p.x * e.size, e.top + p.y * e.size}; };
  const std::vector<Point> arrow = arrowOutline(place(kArrowTail), place(kArrowTip), kShaftWidth * e.size,
                                                kHeadWidth * e.size, kHeadLength * e.size);
  fillPolygon(image, arrow, kGlass);
  fillPolygon(image, mirroredAcrossVertical(arrow, e.axisX), kGlass, 0.42);
  const double overhang = e.size * 0.08;
  drawDashedVertical(image, e.axisX, e.top - overhang, e.top + e.size + overhang, e.lineWidth,
                     e.lineWidth * 2.5, e.lineWidth * 1.5, kPale, 0.9);
}

// An arrow from `from` to `to` with a head of the given length.
void drawArrow(Image& image, Point from, Point to, double head, Rgb colour) {
  fillPolygon(image, arrowOutline(from, to, 2.0, head, head), colour);
}

// A cube seen from above and the front-right: three faces in three shades.
void drawCube(Image& image, Point centre, double size) {
  const double h = size / 2.0;
  const double d = size * 0.35;
  const Point a{centre.x - h, centre.y - h + d}, b{centre.x + h - d, centre.y - h + d};
  const Point c{centre.x + h - d, centre.y + h}, f{centre.x - h, centre.y + h};
  const Point bt{centre.x - h + d, centre.y - h}, ct{centre.x + h, centre.y - h};
  const Point cr{centre.x + h, centre.y + h - d};
  fillPolygon(image, {a, b, c, f}, kGlass);
  fillPolygon(image, {a, bt, ct, b}, kPale, 0.85);
  fillPolygon(image, {b, ct, cr, c}, kGlass, 0.6);
}

void drawCentredText(Image& image, int centreX, int y, int scale, std::string_view text, Rgb colour) {
  drawText(image, centreX - textWidth(text, scale) / 2, y, scale, text, colour);
}

}  // namespace

Image drawMirrorBanner() {
  Image image(400, 80);
  fillVerticalGradient(image, kDeepTop, kDeepBottom);
  drawEmblem(image, {60.0, 12.0, 56.0, 2.0});
  constexpr std::string_view kName = "Vitrel";
  constexpr int kNameScale = 6;
  constexpr int kNameX = 124, kNameY = 8;
  drawText(image, kNameX, kNameY, kNameScale, kName, kPale);
  drawTextReflection(image, kNameX, kNameY + kGlyphRows * kNameScale + 2, kNameScale, kName, kGlass, 0.35,
                     26);
  drawText(image, 346, 62, 1, "X Y Z", kMuted);
  return image;
}

Image drawUsageBanner() {
  Image image(400, 120);
  fillVerticalGradient(image, kDeepTop, kDeepBottom);
  drawText(image, 16, 12, 3, "Simple usage", kPale);
  drawEmblem(image, {372.0, 10.0, 24.0, 1.5});

  constexpr int kBoxTop = 44, kBoxWidth = 116, kBoxHeight = 66;
  constexpr std::array<std::string_view, 3> kSteps{"Select an object", "Choose the axis", "Press Mirror"};
  for (int i = 0; i < 3; ++i) {
    const int left = 10 + i * (kBoxWidth + 11);
    const int centreX = left + kBoxWidth / 2;
    fillRect(image, left, kBoxTop, kBoxWidth, kBoxHeight, kPale, 0.07);
    drawText(image, left + 5, kBoxTop + 5, 2, std::to_string(i + 1), kGlass);
    drawCentredText(image, centreX, kBoxTop + kBoxHeight - 11, 1, kSteps[static_cast<std::size_t>(i)], kPale);
    const Point centre{static_cast<double>(centreX), kBoxTop + 26.0};
    if (i == 0) {
      drawCube(image, centre, 28.0);
    } else if (i == 1) {
      drawArrow(image, centre, {centre.x + 24.0, centre.y}, 6.0, kAxisX);
      drawArrow(image, centre, {centre.x, centre.y - 22.0}, 6.0, kAxisY);
      drawArrow(image, centre, {centre.x - 17.0, centre.y + 15.0}, 6.0, kAxisZ);
      drawText(image, static_cast<int>(centre.x) + 27, static_cast<int>(centre.y) - 3, 1, "X", kAxisX);
      drawText(image, static_cast<int>(centre.x) + 4, static_cast<int>(centre.y) - 24, 1, "Y", kAxisY);
      drawText(image, static_cast<int>(centre.x) - 27, static_cast<int>(centre.y) + 12, 1, "Z", kAxisZ);
    } else {
      drawEmblem(image, {centre.x, centre.y - 16.0, 32.0, 1.5});
    }
  }
  return image;
}

Image drawVersionBanner() {
  Image image(400, 120);
  fillVerticalGradient(image, kDeepTop, kDeepBottom);
  drawEmblem(image, {66.0, 18.0, 84.0, 2.5});
  drawText(image, 138, 16, 5, "Vitrel", kPale);
  drawText(image, 138, 62, 2, std::string("Version ") + VITREL_VERSION, kGlass);
  drawText(image, 138, 90, 1, "Mirrors objects across X, Y or Z", kMuted);
  return image;
}

Image drawCommandIcon() {
  Image image(32, 32, kDeepBottom);
  drawEmblem(image, {16.0, 5.0, 22.0, 1.5});
  return image;
}

std::span<const Picture> allPictures() {
  static constexpr Picture kPictures[] = {
      {"banner.tif", &drawMirrorBanner},
      {"usage.tif", &drawUsageBanner},
      {"version.tif", &drawVersionBanner},
      {"mirror.tif", &drawCommandIcon},
  };
  return kPictures;
}

}  // namespace pictures
