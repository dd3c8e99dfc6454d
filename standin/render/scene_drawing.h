// Drawing collected scene shapes into the views of a picture: one panel per
// view, and the before-and-after picture of a mirror run.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "draw/picture.h"
#include "render/scene_shapes.h"
#include "render/scene_view.h"

namespace standin {

// The plane a mirror run mirrors across, in world space: through `origin`,
// perpendicular to `normal`.
struct MirrorPlane {
  Vec3 origin;
  Vec3 normal;
};

// Draws one view of `shapes` into the frame's area of `canvas`: the view's
// label, a faint grid with the world axes through the origin, polygon edges,
// lattices, splines with their tangent handles, tripods with names, and the
// mirror plane when one is given. Nothing outside the area is touched.
void DrawView(Picture& canvas, const ViewFrame& frame, const SceneShapes& shapes, const MirrorPlane* plane);

// The views side by side across a picture of `width` x `height`, each fitted
// to `bounds`.
std::vector<ViewFrame> SideBySideFrames(std::span<const View> views, const Box3& bounds, int32_t width,
                                        int32_t height);

// The scene in `views`, side by side.
Picture DrawScene(const SceneShapes& shapes, std::span<const View> views, int32_t width, int32_t height);

// The before-and-after picture: a title strip, then one row per view (front,
// top, side), the scene before the run on the left and after it on the
// right. Both panels of a row share one frame, fitted to both scenes.
struct BeforeAfterFrames {
  std::vector<ViewFrame> before, after;  // in the order front, top, side
};
BeforeAfterFrames BeforeAfterLayout(const Box3& bounds, int32_t width, int32_t height);

// The picture itself. The plane, when given, is drawn dashed in both
// columns; `caption` goes at the right of the title strip (what the plane
// is, or why there is none).
Picture DrawBeforeAfter(const SceneShapes& before, const SceneShapes& after, const MirrorPlane* plane,
                        std::string_view caption, int32_t width, int32_t height);

inline constexpr int32_t kBeforeAfterWidth = 1000;
inline constexpr int32_t kBeforeAfterHeight = 1300;

}  // namespace standin
