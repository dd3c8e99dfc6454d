#include "cli/render_command.h"

#include "draw/png.h"
#include "io/output_file.h"
#include "io/scene_reader.h"
#include "render/scene_drawing.h"
#include "render/scene_shapes.h"
#include "session/exit_status.h"
#include "ui/user_values.h"

namespace standin {

std::optional<PictureSize> ReadPictureSize(std::string_view text) {
  const size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::optional<int32_t> width = ParseNumber<int32_t>(text.substr(0, comma));
  const std::optional<int32_t> height = ParseNumber<int32_t>(text.substr(comma + 1));
  auto fits = [](const std::optional<int32_t>& side) {
    return side && *side >= kSmallestPictureSide && *side <= kLargestPictureSide;
  };
  if (!fits(width) || !fits(height)) return std::nullopt;
  return PictureSize{*width, *height};
}

std::optional<std::vector<View>> ReadViews(std::string_view word) {
  if (word == "front") return std::vector<View>{View::kFront};
  if (word == "top") return std::vector<View>{View::kTop};
  if (word == "side") return std::vector<View>{View::kSide};
  if (word == "all") return std::vector<View>{View::kFront, View::kTop, View::kSide};
  return std::nullopt;
}

PictureSize DefaultRenderSize(size_t views) {
  return views == 1 ? PictureSize{800, 600} : PictureSize{1200, 440};
}

int RunRender(const RenderRequest& request) {
  CheckOutputTarget(request.out);
  Scene scene;
  const SceneShapes shapes = CollectShapes(ReadSceneFile(request.scene, scene));
  const PictureSize size = request.size.value_or(DefaultRenderSize(request.views.size()));
  WriteOutput(request.out, EncodePng(DrawScene(shapes, request.views, size.width, size.height)));
  return kExitDone;
}

}  // namespace standin
