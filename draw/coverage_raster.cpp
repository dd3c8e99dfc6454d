#include "draw/coverage_raster.h"

#include <algorithm>
#include <cmath>

namespace standin {

namespace {

// Residual coverage below this, left at the end of a row by rounding, is
// taken as none, so that it does not paint the rest of the row.
constexpr float kNegligible = 1.0f / 1024.0f;

thread_local int64_t pixels_swept = 0;

double XAt(double x0, double y0, double x1, double y1, double y) {
  return x0 + (x1 - x0) * ((y - y0) / (y1 - y0));
}

}  // namespace

int64_t CoverageRaster::PixelsSwept() { return pixels_swept; }

void CoverageRaster::Reset(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  edges_.clear();
  if (cells_.size() < static_cast<std::size_t>(width_) + 2)
    cells_.resize(static_cast<std::size_t>(width_) + 2, 0.0f);
}

void CoverageRaster::AddEdge(double x0, double y0, double x1, double y1) {
  if (y0 == y1 || width_ == 0) return;
  float direction = 1.0f;
  if (y0 > y1) {
    std::swap(x0, x1);
    std::swap(y0, y1);
    direction = -1.0f;
  }
  const double h = height_;
  if (y1 <= 0.0 || y0 >= h) return;
  // Rows outside the window need nothing: each row is swept on its own.
  const double top = std::max(y0, 0.0);
  const double bottom = std::min(y1, h);
  // Split where the edge crosses the window's sides. Left of the window a
  // piece still covers everything to its right, so it moves onto the left
  // side; right of the window it covers nothing visible and is dropped.
  double cuts[4] = {top, top, top, top};
  int32_t count = 1;
  for (double side : {0.0, static_cast<double>(width_)}) {
    if ((x0 < side) != (x1 < side) && x0 != x1) {
      const double y = y0 + (y1 - y0) * ((side - x0) / (x1 - x0));
      if (y > top && y < bottom) cuts[count++] = y;
    }
  }
  if (count == 3 && cuts[1] > cuts[2]) std::swap(cuts[1], cuts[2]);
  cuts[count++] = bottom;
  const double w = width_;
  for (int32_t i = 0; i + 1 < count; ++i) {
    const double ya = cuts[i];
    const double yb = cuts[i + 1];
    if (yb <= ya) continue;
    const double xa = std::clamp(XAt(x0, y0, x1, y1, ya), 0.0, w);
    const double xb = std::clamp(XAt(x0, y0, x1, y1, yb), 0.0, w);
    if (xa >= w && xb >= w) continue;
    AddClippedEdge(xa, ya, xb, yb, direction);
  }
}

void CoverageRaster::AddClippedEdge(double x0, double y0, double x1, double y1, float direction) {
  edges_.push_back({x0, y0, x1, y1, direction});
}

// Adds the edge's part in `row` to the row's cells: each cell gets the
// change in covered area from the pixel before it, so that a running sum
// along the row gives each pixel's coverage.
void CoverageRaster::Deposit(const Edge& edge, int32_t row) {
  const double ya = std::max<double>(row, edge.y0);
  const double yb = std::min<double>(row + 1.0, edge.y1);
  if (yb <= ya) return;
  const double w = width_;
  const double xa = std::clamp(XAt(edge.x0, edge.y0, edge.x1, edge.y1, ya), 0.0, w);
  const double xb = std::clamp(XAt(edge.x0, edge.y0, edge.x1, edge.y1, yb), 0.0, w);
  const double d = (yb - ya) * edge.direction;
  const double left = std::min(xa, xb);
  const double right = std::max(xa, xb);
  const double left_floor = std::floor(left);
  const auto first = static_cast<int32_t>(left_floor);
  const auto last = static_cast<int32_t>(std::ceil(right));
  float* cells = cells_.data();
  if (last <= first + 1) {
    // Within one pixel: the area right of the edge's mean position.
    const double mid = 0.5 * (xa + xb) - left_floor;
    cells[first] += static_cast<float>(d - d * mid);
    cells[first + 1] += static_cast<float>(d * mid);
  } else {
    // Across several pixels: a triangle in the first, a trapezoid in each
    // middle one, the rest in the last.
    const double s = 1.0 / (right - left);
    const double left_fraction = left - left_floor;
    const double first_area = 0.5 * s * (1.0 - left_fraction) * (1.0 - left_fraction);
    const double right_fraction = right - static_cast<double>(last) + 1.0;
    const double last_area = 0.5 * s * right_fraction * right_fraction;
    cells[first] += static_cast<float>(d * first_area);
    if (last == first + 2) {
      cells[first + 1] += static_cast<float>(d * (1.0 - first_area - last_area));
    } else {
      const double second_area = s * (1.5 - left_fraction);
      cells[first + 1] += static_cast<float>(d * (second_area - first_area));
      for (int32_t x = first + 2; x < last - 1; ++x) cells[x] += static_cast<float>(d * s);
      const double before_last = second_area + (last - first - 3) * s;
      cells[last - 1] += static_cast<float>(d * (1.0 - before_last - last_area));
    }
    cells[last] += static_cast<float>(d * last_area);
  }
  touched_begin_ = std::min(touched_begin_, first);
  touched_end_ = std::max(touched_end_, last + 2);
}

void CoverageRaster::Sweep(RowSink sink, void* context) {
  if (edges_.empty()) return;
  double top = edges_.front().y0;
  double bottom = edges_.front().y1;
  for (const Edge& edge : edges_) {
    top = std::min(top, edge.y0);
    bottom = std::max(bottom, edge.y1);
  }
  const auto first_row = static_cast<int32_t>(std::floor(top));
  const auto end_row = static_cast<int32_t>(std::ceil(bottom));
  const auto rows = static_cast<std::size_t>(end_row - first_row);

  // Edges ordered by the row they start in (a counting sort: linear).
  const auto start_row = [first_row](const Edge& edge) {
    return static_cast<std::size_t>(static_cast<int32_t>(std::floor(edge.y0)) - first_row);
  };
  row_starts_.assign(rows + 1, 0);
  for (const Edge& edge : edges_) ++row_starts_[start_row(edge) + 1];
  for (std::size_t r = 1; r <= rows; ++r) row_starts_[r] += row_starts_[r - 1];
  next_slot_.assign(row_starts_.begin(), row_starts_.end() - 1);
  order_.resize(edges_.size());
  for (uint32_t i = 0; i < edges_.size(); ++i) order_[next_slot_[start_row(edges_[i])]++] = i;
  active_.clear();

  const int32_t w = width_;
  float* cells = cells_.data();
  for (int32_t row = first_row; row < end_row; ++row) {
    const std::size_t r = static_cast<std::size_t>(row - first_row);
    for (uint32_t k = row_starts_[r]; k < row_starts_[r + 1]; ++k) active_.push_back(order_[k]);
    touched_begin_ = w + 2;
    touched_end_ = 0;
    for (std::size_t k = 0; k < active_.size();) {
      const Edge& edge = edges_[active_[k]];
      Deposit(edge, row);
      if (edge.y1 <= row + 1.0) {
        active_[k] = active_.back();
        active_.pop_back();
      } else {
        ++k;
      }
    }
    if (touched_begin_ >= touched_end_) continue;
    const int32_t begin = touched_begin_;
    int32_t end = std::min(touched_end_, w + 2);
    float sum = 0.0f;
    for (int32_t x = begin; x < end; ++x) {
      sum += cells[x];
      cells[x] = std::min(1.0f, std::fabs(sum));
    }
    // An outline that leaves through the window's right side covers the
    // rest of the row.
    const float rest = std::min(1.0f, std::fabs(sum));
    if (rest > kNegligible && end < w) {
      std::fill(cells + end, cells + w, rest);
      end = w;
    }
    pixels_swept += end - begin;
    const int32_t visible_end = std::min(end, w);
    if (visible_end > begin) sink(context, row, begin, cells + begin, visible_end - begin);
    std::fill(cells + begin, cells + end, 0.0f);
  }
  edges_.clear();
}

}  // namespace standin
