#include "draw/typeface.h"

#include <stb/stb_truetype.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "draw/blend.h"
#include "draw/coverage_raster.h"
#include "draw/embedded_fonts.h"
#include "draw/glyph_outline.h"
#include "draw/utf8.h"

namespace standin {

namespace {

// Glyphs are placed at quarter pixels across and whole pixels down: text
// keeps its shape at any position and its baseline stays crisp.
constexpr int32_t kSubpixelSteps = 4;
// Glyphs up to this em size are kept once rasterised; larger ones are rare
// (banners) and are drawn straight onto the canvas, clipped to it.
constexpr float kMaxCachedSize = 128.0f;
// The cache forgets everything once it holds this much.
constexpr std::size_t kCacheBudgetBytes = std::size_t{4} << 20;
constexpr std::size_t kCacheEntryOverhead = 64;

struct GlyphBitmap {
  int32_t left = 0, top = 0, width = 0, height = 0;  // relative to the origin
  std::vector<uint8_t> coverage;                     // width x height
};

void KeepCoverageRow(void* context, int32_t y, int32_t x, const float* coverage, int32_t count) {
  auto& bitmap = *static_cast<GlyphBitmap*>(context);
  uint8_t* row = bitmap.coverage.data() + static_cast<std::size_t>(y) * bitmap.width + x;
  for (int32_t i = 0; i < count; ++i) row[i] = static_cast<uint8_t>(coverage[i] * 255.0f + 0.5f);
}

CoverageRaster& GlyphRaster() {
  thread_local CoverageRaster raster;
  return raster;
}

}  // namespace

struct Typeface::Face {
  explicit Face(const unsigned char* bytes) {
    valid = stbtt_InitFont(&font, bytes, stbtt_GetFontOffsetForIndex(bytes, 0)) != 0;
    if (!valid) return;
    stbtt_GetFontVMetrics(&font, &ascent, &descent, &line_gap);
    for (char32_t c = 0; c < ascii.size(); ++c) ascii[c] = stbtt_FindGlyphIndex(&font, static_cast<int>(c));
  }

  // The font's glyph for `c`; 0, its missing-glyph box, when it has none.
  int GlyphOf(char32_t c) const {
    return c < ascii.size() ? ascii[c] : stbtt_FindGlyphIndex(&font, static_cast<int>(c));
  }

  // Calls `place(glyph, origin)` for each glyph of `text` in turn, the
  // origin in pixels from the text's start (advances and kerning at
  // `scale`), and returns the pen position after the last one. `place`
  // returns false to stop early.
  template <typename Place>
  double Layout(std::string_view text, double scale, Place&& place) const {
    double pen = 0.0;
    int previous = -1;
    for (std::size_t at = 0; at < text.size();) {
      const int glyph = GlyphOf(NextCodePoint(text, at));
      if (previous >= 0) pen += scale * stbtt_GetGlyphKernAdvance(&font, previous, glyph);
      if (!place(glyph, pen)) return pen;
      int advance = 0;
      int bearing = 0;
      stbtt_GetGlyphHMetrics(&font, glyph, &advance, &bearing);
      pen += scale * advance;
      previous = glyph;
    }
    return pen;
  }

  // The glyph at `size` shifted right by `step` quarter pixels, rasterised
  // once. The reference lasts until the next call.
  const GlyphBitmap& Cached(int glyph, float size, int32_t step) const {
    uint32_t size_bits = 0;
    std::memcpy(&size_bits, &size, sizeof size_bits);
    const uint64_t key =
        (uint64_t{size_bits} << 32) | (static_cast<uint64_t>(glyph) << 8) | static_cast<uint64_t>(step);
    if (auto found = cache.find(key); found != cache.end()) return found->second;
    GlyphBitmap bitmap = Rasterise(glyph, size, step);
    const std::size_t bytes = bitmap.coverage.size() + kCacheEntryOverhead;
    if (cache_bytes + bytes > kCacheBudgetBytes) {
      cache.clear();
      cache_bytes = 0;
    }
    cache_bytes += bytes;
    return cache.emplace(key, std::move(bitmap)).first->second;
  }

  GlyphBitmap Rasterise(int glyph, float size, int32_t step) const {
    GlyphBitmap bitmap;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (stbtt_IsGlyphEmpty(&font, glyph) || stbtt_GetGlyphBox(&font, glyph, &x0, &y0, &x1, &y1) == 0)
      return bitmap;
    const double scale = Scale(size);
    const double shift = static_cast<double>(step) / kSubpixelSteps;
    bitmap.left = static_cast<int32_t>(std::floor(x0 * scale + shift));
    bitmap.top = static_cast<int32_t>(std::floor(-y1 * scale));
    bitmap.width = static_cast<int32_t>(std::ceil(x1 * scale + shift)) - bitmap.left;
    bitmap.height = static_cast<int32_t>(std::ceil(-y0 * scale)) - bitmap.top;
    if (bitmap.width <= 0 || bitmap.height <= 0) return bitmap;
    bitmap.coverage.assign(static_cast<std::size_t>(bitmap.width) * bitmap.height, 0);
    CoverageRaster& raster = GlyphRaster();
    raster.Reset(bitmap.width, bitmap.height);
    AddGlyphOutline(raster, font, glyph, scale, shift - bitmap.left, -bitmap.top);
    raster.Sweep(KeepCoverageRow, &bitmap);
    return bitmap;
  }

  double Scale(float size) const { return stbtt_ScaleForMappingEmToPixels(&font, size); }

  stbtt_fontinfo font{};
  bool valid = false;
  int ascent = 0, descent = 0, line_gap = 0;
  std::array<int, 128> ascii{};
  // Drawing may happen on several threads; the cache is shared.
  mutable std::mutex mutex;
  mutable std::unordered_map<uint64_t, GlyphBitmap> cache;
  mutable std::size_t cache_bytes = 0;
};

namespace {

bool UsableSize(float size) { return std::isfinite(size) && size > 0.0f; }

// Blends a cached glyph's coverage at (x, y), clipped to the canvas.
void Blit(Picture& canvas, const GlyphBitmap& glyph, int64_t x, int64_t y, Rgba colour) {
  const int64_t i_begin = std::max<int64_t>(0, -x);
  const int64_t i_end = std::min<int64_t>(glyph.width, canvas.width() - x);
  const int64_t j_begin = std::max<int64_t>(0, -y);
  const int64_t j_end = std::min<int64_t>(glyph.height, canvas.height() - y);
  for (int64_t j = j_begin; j < j_end; ++j) {
    const uint8_t* row = glyph.coverage.data() + j * glyph.width;
    for (int64_t i = i_begin; i < i_end; ++i) {
      if (row[i] == 0) continue;
      const uint32_t alpha = (uint32_t{colour.a} * row[i] + 127) / 255;
      BlendOver(canvas.at(static_cast<int32_t>(x + i), static_cast<int32_t>(y + j)), colour, alpha);
    }
  }
}

}  // namespace

const Typeface& Typeface::Sans() {
  static const Face face(fonts::kDejaVuSansBytes);
  static const Typeface typeface(&face);
  return typeface;
}

const Typeface& Typeface::SansBold() {
  static const Face face(fonts::kDejaVuSansBoldBytes);
  static const Typeface typeface(&face);
  return typeface;
}

float Typeface::Width(std::string_view text, float size) const {
  if (!face_->valid || !UsableSize(size)) return 0.0f;
  return static_cast<float>(face_->Layout(text, face_->Scale(size), [](int, double) { return true; }));
}

float Typeface::Ascent(float size) const {
  if (!face_->valid || !UsableSize(size)) return 0.0f;
  return static_cast<float>(face_->Scale(size) * face_->ascent);
}

float Typeface::Descent(float size) const {
  if (!face_->valid || !UsableSize(size)) return 0.0f;
  return static_cast<float>(-face_->Scale(size) * face_->descent);
}

void Typeface::Draw(Picture& canvas, std::string_view text, float x, float baseline, float size,
                    Rgba colour) const {
  if (!face_->valid || !UsableSize(size) || !std::isfinite(x) || !std::isfinite(baseline) || canvas.empty() ||
      colour.a == 0) {
    return;
  }
  // No glyph reaches further than twice the em from its origin.
  const double reach = 2.0 * size + 2.0;
  const double row = std::floor(static_cast<double>(baseline) + 0.5);
  if (row + reach < 0.0 || row - reach > canvas.height()) return;
  const double scale = face_->Scale(size);
  const bool cached = size <= kMaxCachedSize;
  std::lock_guard<std::mutex> lock(face_->mutex);
  face_->Layout(text, scale, [&](int glyph, double offset) {
    const double origin = x + offset;
    if (origin - reach > canvas.width()) return false;  // the rest lies right of the canvas
    if (origin + reach < 0.0) return true;
    if (cached) {
      double whole = std::floor(origin);
      auto step = static_cast<int32_t>(std::floor((origin - whole) * kSubpixelSteps + 0.5));
      if (step == kSubpixelSteps) {
        whole += 1.0;
        step = 0;
      }
      const GlyphBitmap& bitmap = face_->Cached(glyph, size, step);
      Blit(canvas, bitmap, static_cast<int64_t>(whole) + bitmap.left, static_cast<int64_t>(row) + bitmap.top,
           colour);
    } else {
      CoverageRaster& raster = GlyphRaster();
      raster.Reset(canvas.width(), canvas.height());
      AddGlyphOutline(raster, face_->font, glyph, scale, origin, row);
      BlendCoverage(raster, canvas, colour);
    }
    return true;
  });
}

}  // namespace standin
