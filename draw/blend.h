// Source-over blending on straight (not premultiplied) RGBA, in integers so
// that every platform gets the same bytes.
#pragma once

#include <cstdint>

#include "draw/coverage_raster.h"
#include "draw/picture.h"

namespace standin {

// Blends `colour` over `pixel` with the source alpha `alpha` (0..255, the
// colour's own alpha already weighted by coverage). Over a transparent
// pixel the result is the colour with that alpha.
inline void BlendOver(Rgba& pixel, Rgba colour, uint32_t alpha) {
  if (alpha == 0) return;
  if (alpha >= 255) {
    pixel = {colour.r, colour.g, colour.b, 255};
    return;
  }
  // Weights in units of 1/(255*255): the source's, and what shows of the
  // pixel beneath it.
  const uint32_t source = alpha * 255;
  const uint32_t below = uint32_t{pixel.a} * (255 - alpha);
  const uint32_t total = source + below;
  const auto mix = [&](uint8_t top, uint8_t bottom) {
    return static_cast<uint8_t>((top * source + bottom * below + total / 2) / total);
  };
  pixel = {mix(colour.r, pixel.r), mix(colour.g, pixel.g), mix(colour.b, pixel.b),
           static_cast<uint8_t>((total + 127) / 255)};
}

// The source alpha of `colour` over a pixel covered by `coverage` (0..1).
inline uint32_t CoveredAlpha(Rgba colour, float coverage) {
  if (!(coverage > 0.0f)) return 0;
  if (coverage >= 1.0f) return colour.a;
  return static_cast<uint32_t>(static_cast<float>(colour.a) * coverage + 0.5f);
}

// Sweeps the raster's coverage onto the canvas in `colour`, each pixel
// blended by how much of it is covered.
inline void BlendCoverage(CoverageRaster& raster, Picture& canvas, Rgba colour) {
  struct Target {
    Picture* canvas;
    Rgba colour;
  } target{&canvas, colour};
  raster.Sweep(
      [](void* context, int32_t y, int32_t x, const float* coverage, int32_t count) {
        const auto& to = *static_cast<const Target*>(context);
        for (int32_t i = 0; i < count; ++i) {
          BlendOver(to.canvas->at(x + i, y), to.colour, CoveredAlpha(to.colour, coverage[i]));
        }
      },
      &target);
}

}  // namespace standin
