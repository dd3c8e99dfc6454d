#include "pictures.h"

namespace pictures {

std::span<const PictureFile> allPictures() {
  static constexpr PictureFile kPictures[] = {
      {"banner.tif", &drawMirrorBanner},
      {"usage.tif", &drawUsageBanner},
      {"version.tif", &drawVersionBanner},
      {"mirror.tif", [] { return drawCommandIcon(kCommandIconSize); }},
  };
  return kPictures;
}

}  // namespace pictures
