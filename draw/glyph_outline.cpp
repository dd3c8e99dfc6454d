#include "draw/glyph_outline.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace standin {

namespace {

struct ShapeFree {
  const stbtt_fontinfo* font;
  void operator()(stbtt_vertex* vertices) const { stbtt_FreeShape(font, vertices); }
};

struct Pen {
  CoverageRaster& raster;
  double x = 0.0, y = 0.0;
  double start_x = 0.0, start_y = 0.0;

  void LineTo(double to_x, double to_y) {
    raster.AddEdge(x, y, to_x, to_y);
    x = to_x;
    y = to_y;
  }
  void Close() { LineTo(start_x, start_y); }
};

// Pieces for a curve whose control polygon bends by `bend` pixels (the
// second difference of its points): a quadratic piece of parameter length
// 1/n strays bend/(4 n^2) from its chord.
int32_t Pieces(double bend) {
  return static_cast<int32_t>(std::clamp(std::ceil(std::sqrt(5.0 * bend)), 1.0, 64.0));
}

double Distance(double x, double y) { return std::sqrt(x * x + y * y); }

}  // namespace

void AddGlyphOutline(CoverageRaster& raster, const stbtt_fontinfo& font, int glyph, double scale,
                     double origin_x, double origin_y) {
  stbtt_vertex* raw = nullptr;
  const int count = stbtt_GetGlyphShape(&font, glyph, &raw);
  const std::unique_ptr<stbtt_vertex, ShapeFree> vertices(raw, ShapeFree{&font});
  const auto px = [&](double v) { return origin_x + v * scale; };
  const auto py = [&](double v) { return origin_y - v * scale; };
  Pen pen{raster};
  bool open = false;
  for (int i = 0; i < count; ++i) {
    const stbtt_vertex& v = raw[i];
    const double x = px(v.x);
    const double y = py(v.y);
    switch (v.type) {
      case STBTT_vmove:
        if (open) pen.Close();
        pen.x = pen.start_x = x;
        pen.y = pen.start_y = y;
        open = true;
        break;
      case STBTT_vline:
        pen.LineTo(x, y);
        break;
      case STBTT_vcurve: {
        const double x0 = pen.x, y0 = pen.y, cx = px(v.cx), cy = py(v.cy);
        const int32_t n = Pieces(Distance(x0 - 2 * cx + x, y0 - 2 * cy + y));
        for (int32_t k = 1; k <= n; ++k) {
          const double t = static_cast<double>(k) / n;
          const double u = 1.0 - t;
          pen.LineTo(u * u * x0 + 2 * u * t * cx + t * t * x, u * u * y0 + 2 * u * t * cy + t * t * y);
        }
        break;
      }
      case STBTT_vcubic: {
        const double x0 = pen.x, y0 = pen.y, c1x = px(v.cx), c1y = py(v.cy), c2x = px(v.cx1), c2y = py(v.cy1);
        const double bend = std::max(Distance(x0 - 2 * c1x + c2x, y0 - 2 * c1y + c2y),
                                     Distance(c1x - 2 * c2x + x, c1y - 2 * c2y + y));
        const int32_t n = Pieces(1.5 * bend);
        for (int32_t k = 1; k <= n; ++k) {
          const double t = static_cast<double>(k) / n;
          const double u = 1.0 - t;
          pen.LineTo(u * u * u * x0 + 3 * u * u * t * c1x + 3 * u * t * t * c2x + t * t * t * x,
                     u * u * u * y0 + 3 * u * u * t * c1y + 3 * u * t * t * c2y + t * t * t * y);
        }
        break;
      }
      default:
        break;
    }
  }
  if (open) pen.Close();
}

}  // namespace standin
