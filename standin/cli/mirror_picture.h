// The before-and-after picture of `standin mirror --picture`: the scene as
// it was just before Mirror was pressed, and as the run left it, with the
// plane the run mirrored across.
#pragma once

#include <optional>
#include <string>

#include "render/scene_drawing.h"
#include "render/scene_shapes.h"
#include "scene/document.h"
#include "ui/dialog.h"

namespace standin {

class MirrorPicture {
 public:
  // Takes the scene as it is now, the mirror dialog's axis and the space
  // the first selected object lies in (its parent's, or the world's).
  MirrorPicture(const Document& document, const Dialog& dialog);

  // The PNG of the scene as taken and as `after` is now, side by side, with
  // the plane the run mirrored across: perpendicular to the axis, through
  // the world's origin when the run made a copy (which it mirrored at the
  // top level), else through the origin of the taken object's space.
  std::string Png(const Document& after, bool made_copy) const;

 private:
  SceneShapes before_;
  int32_t axis_ = -1;        // 0 X, 1 Y, 2 Z; -1 for none
  bool selected_ = false;    // whether anything was selected
  Matrix space_;             // the world matrix of the selected object's parent
  std::string parent_name_;  // empty at the top level
  bool has_parent_ = false;
};

}  // namespace standin
