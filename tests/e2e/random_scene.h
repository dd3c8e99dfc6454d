// Scenes for the properties of whole mirror runs: the random scenes and
// options come from the host (random/random_scene.h), which
// `standin validate` draws from too; the comparison is the tests' own.
#pragma once

#include "random/random_scene.h"
#include "scene/document.h"

namespace vitrel::e2e {

using standin::Dice;
using standin::RandomMirrorOptions;
using standin::RandomSceneText;

// Adds a failure for each difference between two scenes beyond `tolerance`
// in any number (names, types, ids, flags, polygons and the hierarchy must
// match exactly).
void ExpectScenesNear(const standin::Document& a, const standin::Document& b, double tolerance);

}  // namespace vitrel::e2e
