// Random scenes for whole mirror runs: hierarchies of every object type the
// mirror treats, each with the parameters its handler reads, and the mirror
// options to run them with. `standin validate` and the end-to-end tests draw
// from here, so both exercise the same scenes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "random/dice.h"

namespace standin {

// The scene of `seed` as standin writes it (byte for byte what a load and
// save gives back).
std::string RandomSceneText(uint64_t seed);

// One object of each kind the mirror treats below a selected polygon object
// (named "Mixed"), their parameters drawn from `seed`: a run over it passes
// every handler once.
std::string MixedSceneText(uint64_t seed);

// Mirror options as `standin mirror` takes them ("--axis", "y", ...):
// the axis, the positioning and the switches of the walk; with `duplicate`,
// also the duplicate's options (children, renaming, colour).
std::vector<std::string> RandomMirrorOptions(Dice& dice, bool duplicate);

}  // namespace standin
