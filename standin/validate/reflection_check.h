// Where a mirror run puts things: with "move and rotate", every object of
// the mirrored hierarchy must end up at the reflection of where it lay, and
// so must the points of polygon objects and splines, whatever handlers
// turned on the way. In place the reflection is across the axis plane of
// the selected object's parent space; a copy, which the plug-in moves to
// the top level, is reflected across the world's plane.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "scene/document.h"

namespace standin {

class ReflectionCheck {
 public:
  // Takes the hierarchy the options (as `standin mirror` takes them) are
  // about to mirror in `document`. Runs whose options make no reflection
  // (another placement mode, nothing selected) are not checked.
  ReflectionCheck(const Document& document, std::span<const std::string> options);

  struct Outcome {
    int64_t followed = 0;   // objects whose place was checked
    std::string misplaced;  // the first place that is wrong; empty when none is
  };
  // After the run. `copy` is the copy the run inserted, or null for a run
  // in place.
  Outcome Check(const Object* copy) const;

 private:
  // One object as it lay, in the parent space of the selected object and in
  // the world, with the largest size summed to place it there (the scale of
  // its rounding).
  struct Seen {
    const Object* object;  // in place, the same object after the run
    Matrix in_space, in_world;
    double reach_in_space = 0, reach_in_world = 0;
    std::vector<Vec3> points;  // local, for the objects whose points are followed
  };

  int axis_ = 0;  // 0 X, 1 Y, 2 Z
  bool points_ = true;
  const Object* space_ = nullptr;  // the selected object's parent
  std::vector<Seen> before_;
};

}  // namespace standin
