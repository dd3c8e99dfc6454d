// The antialiasing rasteriser under the filled shapes and the glyphs: the
// exact area of each pixel that a set of closed outlines covers (non-zero
// winding), swept row by row. Edges are clipped to a window of whole pixels
// as they are added, so the work follows the visible part of the outlines
// and the covered pixels, never the outlines' full extent.
#pragma once

#include <cstdint>
#include <vector>

namespace standin {

class CoverageRaster {
 public:
  // Receives one row's coverage: pixels x .. x+count-1 of row y, each in
  // [0, 1]. Runs are left to right, rows top to bottom.
  using RowSink = void (*)(void* context, int32_t y, int32_t x, const float* coverage, int32_t count);

  // Starts over with the window [0, width) x [0, height), keeping the
  // memory of earlier use (so that a reused raster does not allocate).
  void Reset(int32_t width, int32_t height);

  // One edge of a closed outline, in window pixels. The caller adds whole
  // closed outlines and keeps coordinates finite.
  void AddEdge(double x0, double y0, double x1, double y1);

  // Sends the coverage of every touched pixel to `sink`, then forgets the
  // edges.
  void Sweep(RowSink sink, void* context);

  // How many pixels the sweeps of the calling thread have visited so far:
  // the drawing's work, counted so that checks can bound it without timing.
  static int64_t PixelsSwept();

 private:
  struct Edge {
    double x0, y0, x1, y1;  // y0 < y1
    float direction;        // +1 downwards, -1 upwards
  };
  void AddClippedEdge(double x0, double y0, double x1, double y1, float direction);
  void Deposit(const Edge& edge, int32_t row);

  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<Edge> edges_;
  // Per row: the edges that start in it, as a counting sort.
  std::vector<uint32_t> row_starts_;
  std::vector<uint32_t> next_slot_;
  std::vector<uint32_t> order_;
  std::vector<uint32_t> active_;
  // Coverage changes along the current row (width + 2 cells, all zero
  // between rows) and the span of cells touched in it.
  std::vector<float> cells_;
  int32_t touched_begin_ = 0;
  int32_t touched_end_ = 0;
};

}  // namespace standin
