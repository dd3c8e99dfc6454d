// An 8-bit RGB raster and the few drawing operations the plug-in's pictures
// are made of. Drawing blends with an opacity so that shapes can be edged
// smoothly and mirrored copies shown translucent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pictures {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Point {
  double x = 0.0;
  double y = 0.0;
};

class Image {
 public:
  Image(int width, int height, Rgb fill = {});

  int width() const { return width_; }
  int height() const { return height_; }

  // Pixels as rows from the top, three bytes (r, g, b) a pixel.
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::uint8_t* row(int y) { return bytes_.data() + static_cast<std::size_t>(y) * rowSize(); }
  std::size_t rowSize() const { return static_cast<std::size_t>(width_) * 3; }

  Rgb at(int x, int y) const;

  // Mixes `colour` into one pixel with opacity `alpha` in [0, 1]; pixels
  // outside the raster are ignored, so shapes may cross its edges.
  void blend(int x, int y, Rgb colour, double alpha);

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> bytes_;
};

// Top-to-bottom blend from `top` to `bottom` over the whole raster.
void fillVerticalGradient(Image& image, Rgb top, Rgb bottom);

// Axis-aligned rectangle in whole pixels.
void fillRect(Image& image, int x, int y, int width, int height, Rgb colour, double alpha = 1.0);

// Filled polygon (even-odd rule) with edges smoothed by 4 x 4 sub-pixel sampling.
void fillPolygon(Image& image, const std::vector<Point>& corners, Rgb colour, double alpha = 1.0);

// Straight stroke of the given width between two points, smoothed like a polygon.
void drawLine(Image& image, Point from, Point to, double width, Rgb colour, double alpha = 1.0);

// The polygon reflected across the vertical line x = axisX.
std::vector<Point> mirroredAcrossVertical(const std::vector<Point>& corners, double axisX);

}  // namespace pictures
