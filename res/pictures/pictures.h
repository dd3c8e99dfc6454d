// The plug-in's pictures: the banners of its three dialogs and the icon of
// its command, each drawn from simple geometry and the built-in font.
#pragma once

#include <span>
#include <string_view>

#include "image.h"

namespace pictures {

struct Picture {
  std::string_view fileName;
  Image (*draw)();
};

// Every picture the plug-in's folder holds, in the order they are written.
std::span<const Picture> allPictures();

Image drawMirrorBanner();   // banner.tif, top of the mirror dialog
Image drawUsageBanner();    // usage.tif, top of the simple usage dialog
Image drawVersionBanner();  // version.tif, top of the about dialog
Image drawCommandIcon();    // mirror.tif, the command's icon

}  // namespace pictures
