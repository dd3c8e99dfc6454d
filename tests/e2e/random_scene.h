// Random scenes for the properties of whole mirror runs: hierarchies of
// every object type the mirror treats, each with the parameters its handler
// reads, and the mirror options to run them with.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "scene/document.h"

namespace vitrel::e2e {

// The scene of `seed` as standin writes it (byte for byte what a load and
// save gives back).
std::string RandomSceneText(uint64_t seed);

// Mirror options drawn from `rng`: the axis, the positioning and the
// switches of the walk; with `duplicate`, also the duplicate's options
// (children, renaming, colour).
std::vector<std::string> RandomMirrorOptions(std::mt19937_64& rng, bool duplicate);

// Adds a failure for each difference between two scenes beyond `tolerance`
// in any number (names, types, ids, flags, polygons and the hierarchy must
// match exactly).
void ExpectScenesNear(const standin::Document& a, const standin::Document& b, double tolerance);

}  // namespace vitrel::e2e
