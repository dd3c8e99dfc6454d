#include "image.h"

#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

constexpr int kSamplesPerAxis = 4;

bool insideEvenOdd(const std::vector<Point>& corners, double x, double y) {
  bool inside = false;
  const std::size_t n = corners.size();
  for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
    const Point& a = corners[i];
    const Point& b = corners[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

std::uint8_t mix(std::uint8_t under, std::uint8_t over, double alpha) {
  return static_cast<std::uint8_t>(std::lround(under + (over - under) * alpha));
}

}  // namespace

Image::Image(int width, int height, Rgb fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), bytes_(rowSize() * height_) {
  for (std::size_t i = 0; i < bytes_.size(); i += 3) {
    bytes_[i] = fill.r;
    bytes_[i + 1] = fill.g;
    bytes_[i + 2] = fill.b;
  }
}

Rgb Image::at(int x, int y) const {
  const std::size_t i = static_cast<std::size_t>(y) * rowSize() + static_cast<std::size_t>(x) * 3;
  return {bytes_[i], bytes_[i + 1], bytes_[i + 2]};
}

void Image::blend(int x, int y, Rgb colour, double alpha) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0.0) return;
  alpha = std::min(alpha, 1.0);
  std::uint8_t* p = row(y) + static_cast<std::size_t>(x) * 3;
  p[0] = mix(p[0], colour.r, alpha);
  p[1] = mix(p[1], colour.g, alpha);
  p[2] = mix(p[2], colour.b, alpha);
}

void fillVerticalGradient(Image& image, Rgb top, Rgb bottom) {
  const int last = std::max(image.height() - 1, 1);
  for (int y = 0; y < image.height(); ++y) {
    const double t = static_cast<double>(y) / last;
    const Rgb colour{mix(top.r, bottom.r, t), mix(top.g, bottom.g, t), mix(top.b, bottom.b, t)};
    for (int x = 0; x < image.width(); ++x) image.blend(x, y, colour, 1.0);
  }
}

void fillRect(Image& image, int x, int y, int width, int height, Rgb colour, double alpha) {
  const int x0 = std::max(x, 0);
  const int y0 = std::max(y, 0);
  const int x1 = std::min(x + width, image.width());
  const int y1 = std::min(y + height, image.height());
  for (int yy = y0; yy < y1; ++yy)
    for (int xx = x0; xx < x1; ++xx) image.blend(xx, yy, colour, alpha);
}

void fillPolygon(Image& image, const std::vector<Point>& corners, Rgb colour, double alpha) {
  if (corners.size() < 3) return;
  double minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
  for (const Point& c : corners) {
    minX = std::min(minX, c.x);
    maxX = std::max(maxX, c.x);
    minY = std::min(minY, c.y);
    maxY = std::max(maxY, c.y);
  }
  const int x0 = std::max(static_cast<int>(std::floor(minX)), 0);
  const int y0 = std::max(static_cast<int>(std::floor(minY)), 0);
  const int x1 = std::min(static_cast<int>(std::ceil(maxX)), image.width());
  const int y1 = std::min(static_cast<int>(std::ceil(maxY)), image.height());
  constexpr double kStep = 1.0 / kSamplesPerAxis;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamplesPerAxis; ++sy)
        for (int sx = 0; sx < kSamplesPerAxis; ++sx)
          if (insideEvenOdd(corners, x + (sx + 0.5) * kStep, y + (sy + 0.5) * kStep)) ++hits;
      image.blend(x, y, colour, alpha * hits / (kSamplesPerAxis * kSamplesPerAxis));
    }
  }
}

void drawLine(Image& image, Point from, Point to, double width, Rgb colour, double alpha) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double length = std::hypot(dx, dy);
  if (length == 0.0) return;
  const double nx = -dy / length * width / 2.0;
  const double ny = dx / length * width / 2.0;
  fillPolygon(image,
              {{from.x + nx, from.y + ny},
               {to.x + nx, to.y + ny},
               {to.x - nx, to.y - ny},
               {from.x - nx, from.y - ny}},
              colour, alpha);
}

std::vector<Point> mirroredAcrossVertical(const std::vector<Point>& corners, double axisX) {
  std::vector<Point> result;
  result.reserve(corners.size());
  for (const Point& c : corners) result.push_back({2.0 * axisX - c.x, c.y});
  return result;
}

}  // namespace pictures
