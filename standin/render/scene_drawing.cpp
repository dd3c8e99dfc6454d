#include "render/scene_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "draw/shapes.h"
#include "draw/typeface.h"
#include "draw/utf8.h"
#include "render/stroke_batch.h"

namespace standin {
namespace {

constexpr Rgba kBackground{255, 255, 255, 255};
constexpr Rgba kLabelStrip{242, 243, 245, 255};
constexpr Rgba kLabelText{50, 50, 55, 255};
constexpr Rgba kBorder{200, 202, 206, 255};
constexpr Rgba kGrid{236, 238, 241, 255};
constexpr Rgba kMesh{55, 85, 135, 255};
constexpr Rgba kLattice{140, 70, 170, 255};
constexpr Rgba kSpline{210, 105, 15, 255};
constexpr Rgba kHandle{150, 150, 155, 255};
constexpr Rgba kName{45, 45, 50, 255};
constexpr Rgba kPlane{225, 0, 135, 255};
constexpr std::array<Rgba, 3> kAxisColours = {Rgba{215, 40, 40, 255}, Rgba{30, 150, 30, 255},
                                              Rgba{40, 70, 215, 255}};
// The world axes through the origin: the axis colours, faint.
constexpr std::array<Rgba, 3> kWorldAxisColours = {Rgba{240, 175, 175, 255}, Rgba{165, 215, 165, 255},
                                                   Rgba{175, 185, 240, 255}};

constexpr double kTripodLength = 18;  // pixels, whatever the scale
constexpr float kNameSize = 11;
constexpr float kLabelSize = 13;
constexpr size_t kLongestName = 40;  // bytes shown of a name
// Names are placed one to a cell of this many pixels, so that a crowd of
// objects shows some names readably rather than all of them on top of each
// other, and text costs no more than the panel has room for.
constexpr int32_t kNameCellWidth = 8, kNameCellHeight = 4;

// Lengths by the square root, which every system rounds alike (unlike
// std::hypot), so that pictures are the same bytes everywhere.
double Length(double x, double y) { return std::sqrt(x * x + y * y); }

PointF ToFloat(PixelPoint p) { return {static_cast<float>(p[0]), static_cast<float>(p[1])}; }

// Everything one panel needs while it is drawn; the panel is its own
// picture, so that nothing drawn spills into the panels beside it.
class PanelPainter {
 public:
  PanelPainter(Picture& panel, const ViewFrame& frame, const SceneShapes& shapes)
      : panel_(panel),
        frame_(frame),
        shapes_(shapes),
        cells_x_(frame.plot().width / kNameCellWidth + 1),
        cells_y_(frame.plot().height / kNameCellHeight + 1),
        name_cells_(static_cast<size_t>(cells_x_) * static_cast<size_t>(cells_y_), false),
        marks_(frame.plot()) {}

  void Segment(PixelPoint a, PixelPoint b, float width, Rgba colour) {
    if (ClipSegment(a, b, frame_.plot(), 2)) DrawLine(panel_, ToFloat(a), ToFloat(b), width, colour);
  }

  void Edges(const std::vector<Edge>& edges, float width, Rgba colour) {
    StrokeBatch batch(panel_, frame_.plot(), width, colour, marks_);
    for (const Edge& edge : edges) {
      batch.Add(frame_.ToPixel(shapes_.points[edge.from]), frame_.ToPixel(shapes_.points[edge.to]));
    }
  }

  void Curves(const std::vector<Cubic>& curves) {
    StrokeBatch batch(panel_, frame_.plot(), 1.5f, kSpline, marks_);
    for (const Cubic& cubic : curves) Curve(cubic, batch);
  }

  // A cubic in pieces about six pixels long; the curve lies inside its
  // control points, so one that lies wholly outside the panel is skipped.
  void Curve(const Cubic& cubic, StrokeBatch& batch) {
    const std::array<PixelPoint, 4> c = {
        frame_.ToPixel(shapes_.points[cubic.start]), frame_.ToPixel(shapes_.points[cubic.start_control]),
        frame_.ToPixel(shapes_.points[cubic.end_control]), frame_.ToPixel(shapes_.points[cubic.end])};
    double lo_x = c[0][0], hi_x = lo_x, lo_y = c[0][1], hi_y = lo_y, length = 0;
    for (size_t i = 1; i < c.size(); ++i) {
      lo_x = std::min(lo_x, c[i][0]), hi_x = std::max(hi_x, c[i][0]);
      lo_y = std::min(lo_y, c[i][1]), hi_y = std::max(hi_y, c[i][1]);
      length += Length(c[i][0] - c[i - 1][0], c[i][1] - c[i - 1][1]);
    }
    const PixelRect plot = frame_.plot();
    if (!std::isfinite(length) || hi_x < plot.x || lo_x > plot.x + plot.width || hi_y < plot.y ||
        lo_y > plot.y + plot.height) {
      return;
    }
    const int pieces = static_cast<int>(std::clamp(std::ceil(length / 6), 1.0, 256.0));
    PixelPoint from = c[0];
    for (int i = 1; i <= pieces; ++i) {
      const double t = static_cast<double>(i) / pieces, s = 1 - t;
      const double w0 = s * s * s, w1 = 3 * s * s * t, w2 = 3 * s * t * t, w3 = t * t * t;
      const PixelPoint to = {w0 * c[0][0] + w1 * c[1][0] + w2 * c[2][0] + w3 * c[3][0],
                             w0 * c[0][1] + w1 * c[1][1] + w2 * c[2][1] + w3 * c[3][1]};
      batch.Add(from, to);
      from = to;
    }
  }

  void Dot(PixelPoint at, float radius, Rgba colour) {
    if (Inside(at, radius + 1)) FillCircle(panel_, ToFloat(at), radius, colour);
  }

  void TripodOf(const Tripod& tripod) {
    const PixelPoint origin = frame_.ToPixel(tripod.origin);
    if (!Inside(origin, kTripodLength + 2)) return;
    for (size_t axis = 0; axis < 3; ++axis) {
      // Along the axis as the view shows it: an axis pointing at the viewer
      // shortens to nothing.
      const PixelPoint d = frame_.ToPixelDirection(tripod.axes[axis]);
      const double reach = kTripodLength / frame_.pixels_per_unit();
      Segment(origin, {origin[0] + d[0] * reach, origin[1] + d[1] * reach}, 1.5f, kAxisColours[axis]);
    }
    FillCircle(panel_, ToFloat(origin), 2.5f, kName);
    Name(shapes_.NameOf(tripod), origin);
  }

  // The name to the lower right of its object (lower left near the plot's
  // right edge), when the cells it covers are free.
  void Name(std::string_view name, PixelPoint origin) {
    if (name.empty() || !Inside(origin, 0)) return;
    const PixelRect plot = frame_.plot();
    const std::string_view shown = WholeCharactersWithin(name, kLongestName);
    const Typeface& face = Typeface::Sans();
    const double width = face.Width(shown, kNameSize);
    double left = origin[0] + 5;
    if (left + width > plot.x + plot.width) left = std::max<double>(plot.x, origin[0] - 5 - width);
    const double baseline = origin[1] + 14;
    // The cells under the text's box, from its ascent to its descent.
    const auto top = static_cast<int32_t>((baseline - face.Ascent(kNameSize) - plot.y) / kNameCellHeight);
    const auto bottom = std::min(
        cells_y_ - 1, static_cast<int32_t>((baseline + face.Descent(kNameSize) - plot.y) / kNameCellHeight));
    const auto first = static_cast<int32_t>((left - plot.x) / kNameCellWidth);
    const auto last = std::min(cells_x_ - 1, static_cast<int32_t>((left + width - plot.x) / kNameCellWidth));
    if (top < 0 || first < 0) return;
    for (int32_t row = top; row <= bottom; ++row) {
      for (int32_t cell = first; cell <= last; ++cell) {
        if (name_cells_[CellIndex(cell, row)]) return;
      }
    }
    for (int32_t row = top; row <= bottom; ++row) {
      for (int32_t cell = first; cell <= last; ++cell) name_cells_[CellIndex(cell, row)] = true;
    }
    face.Draw(panel_, shown, static_cast<float>(left), static_cast<float>(baseline), kNameSize, kName);
  }

  void Grid() {
    const PixelRect plot = frame_.plot();
    const auto lo =
        frame_.ToViewPlane({static_cast<double>(plot.x), static_cast<double>(plot.y + plot.height)});
    const auto hi =
        frame_.ToViewPlane({static_cast<double>(plot.x + plot.width), static_cast<double>(plot.y)});
    const double step = GridStep(48 / frame_.pixels_per_unit());
    if (!(step > 0) || !std::isfinite(step)) return;
    const ViewAxes axes = AxesOf(frame_.view());
    for (int along = 0; along < 2; ++along) {
      const double first = std::ceil(lo[along] / step), last = std::floor(hi[along] / step);
      if (!(last - first < 1000)) continue;  // rounding at coordinates far beyond the step
      for (double k = first; k <= last; ++k) GridLine(along, k * step, kGrid);
    }
    // The world axes through the origin, coloured by the world axis each
    // one runs along.
    GridLine(1, 0, kWorldAxisColours[AxisIndex(axes.right)]);
    GridLine(0, 0, kWorldAxisColours[AxisIndex(axes.up)]);
  }

  void Plane(const MirrorPlane& plane) {
    // Where the plane cuts the view at the depth of its origin: the whole
    // plane when the view looks along it; nothing when the view looks
    // straight at it.
    const PixelPoint n = frame_.ToPixelDirection(plane.normal);
    const double n_length = Length(n[0], n[1]);
    const double full = std::sqrt(plane.normal.x * plane.normal.x + plane.normal.y * plane.normal.y +
                                  plane.normal.z * plane.normal.z) *
                        frame_.pixels_per_unit();
    if (!(n_length > 1e-9 * full) || !std::isfinite(n_length)) return;
    const PixelPoint along = {-n[1] / n_length, n[0] / n_length};
    const PixelPoint at = frame_.ToPixel(plane.origin);
    const PixelRect plot = frame_.plot();
    const double reach =
        std::abs(at[0] - plot.x) + std::abs(at[1] - plot.y) + 2.0 * (plot.width + plot.height);
    PixelPoint a = {at[0] - along[0] * reach, at[1] - along[1] * reach};
    PixelPoint b = {at[0] + along[0] * reach, at[1] + along[1] * reach};
    if (!ClipSegment(a, b, plot, 0)) return;
    const double length = Length(b[0] - a[0], b[1] - a[1]);
    constexpr double kDash = 9, kGap = 5;
    for (double s = 0; s < length; s += kDash + kGap) {
      const double e = std::min(length, s + kDash);
      DrawLine(panel_, ToFloat({a[0] + along[0] * s, a[1] + along[1] * s}),
               ToFloat({a[0] + along[0] * e, a[1] + along[1] * e}), 2.0f, kPlane);
    }
  }

 private:
  size_t CellIndex(int32_t x, int32_t y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(cells_x_) + static_cast<size_t>(x);
  }

  bool Inside(PixelPoint p, double slack) const {
    const PixelRect plot = frame_.plot();
    return p[0] >= plot.x - slack && p[0] <= plot.x + plot.width + slack && p[1] >= plot.y - slack &&
           p[1] <= plot.y + plot.height + slack;
  }

  // The line where view-plane coordinate `along` (0: right, 1: up) is
  // `value`, across the plot.
  void GridLine(int along, double value, Rgba colour) {
    const PixelRect plot = frame_.plot();
    const auto lo =
        frame_.ToViewPlane({static_cast<double>(plot.x), static_cast<double>(plot.y + plot.height)});
    const auto hi =
        frame_.ToViewPlane({static_cast<double>(plot.x + plot.width), static_cast<double>(plot.y)});
    const double u0 = along == 0 ? value : lo[0], u1 = along == 0 ? value : hi[0];
    const double v0 = along == 1 ? value : lo[1], v1 = along == 1 ? value : hi[1];
    const PixelPoint a = {plot.x + (u0 - lo[0]) / (hi[0] - lo[0]) * plot.width,
                          plot.y + plot.height - (v0 - lo[1]) / (hi[1] - lo[1]) * plot.height};
    const PixelPoint b = {plot.x + (u1 - lo[0]) / (hi[0] - lo[0]) * plot.width,
                          plot.y + plot.height - (v1 - lo[1]) / (hi[1] - lo[1]) * plot.height};
    Segment(a, b, 1.0f, colour);
  }

  // 1, 2 or 5 times a power of ten, at least `least`. Found by steps of
  // ten rather than by logarithms, so that every system picks the same.
  static double GridStep(double least) {
    if (!(least > 1e-300) || !(least < 1e300)) return 0;
    double power = 1;
    while (power > least) power /= 10;
    while (power * 10 <= least) power *= 10;
    for (const double factor : {1.0, 2.0, 5.0}) {
      if (factor * power >= least) return factor * power;
    }
    return 10 * power;
  }

  static size_t AxisIndex(Vec3 direction) { return direction.x != 0 ? 0 : direction.y != 0 ? 1 : 2; }

  Picture& panel_;
  const ViewFrame& frame_;
  const SceneShapes& shapes_;
  int32_t cells_x_, cells_y_;
  std::vector<bool> name_cells_;
  PixelMarks marks_;
};

}  // namespace

void DrawView(Picture& canvas, const ViewFrame& frame, const SceneShapes& shapes, const MirrorPlane* plane) {
  const PixelRect area = frame.area();
  if (area.width <= 0 || area.height <= 0) return;
  Picture panel(area.width, area.height, kBackground);
  const ViewFrame local = frame.MovedTo(0, 0);
  PanelPainter painter(panel, local, shapes);
  painter.Grid();
  painter.Edges(shapes.lattice_edges, 1.0f, kLattice);
  painter.Edges(shapes.mesh_edges, 1.0f, kMesh);
  painter.Edges(shapes.handle_lines, 1.0f, kHandle);
  for (const uint32_t end : shapes.handle_ends) painter.Dot(local.ToPixel(shapes.points[end]), 2.0f, kHandle);
  painter.Edges(shapes.spline_lines, 1.5f, kSpline);
  painter.Curves(shapes.spline_curves);
  for (const Tripod& tripod : shapes.tripods) painter.TripodOf(tripod);
  if (plane != nullptr) painter.Plane(*plane);
  FillRect(panel, {0, 0, area.width, kViewLabelHeight}, kLabelStrip);
  const Typeface& face = Typeface::Sans();
  face.Draw(panel, ViewLabel(frame.view()), 8, (kViewLabelHeight + face.Ascent(kLabelSize)) / 2 - 1,
            kLabelSize, kLabelText);
  FrameRect(panel, {0, 0, area.width, area.height}, kBorder);
  DrawPicture(canvas, panel, {0, 0, area.width, area.height}, area, false);
}

}  // namespace standin
