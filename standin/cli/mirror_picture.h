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
  // Takes the scene as it is now, and the plane from the mirror dialog's
  // axis: through the origin of the space the first selected object lies
  // in (its parent's, or the world's), perpendicular to that space's axis.
  MirrorPicture(const Document& document, const Dialog& dialog);

  // The PNG of the scene as taken and as `after` is now, side by side.
  std::string Png(const Document& after) const;

 private:
  SceneShapes before_;
  std::optional<MirrorPlane> plane_;
  std::string caption_;
};

}  // namespace standin
