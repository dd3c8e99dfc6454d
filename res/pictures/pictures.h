// The plug-in's pictures: the banners of its three dialogs and the icon of
// its command, drawn from simple geometry and the built-in typeface.
#pragma once

#include <span>
#include <string_view>

#include "draw/picture.h"

namespace pictures {

struct PictureFile {
  std::string_view fileName;
  standin::Picture (*draw)();
};

// Every picture the plug-in's folder holds, in the order they are written.
std::span<const PictureFile> allPictures();

standin::Picture drawMirrorBanner();   // banner.tif, 400 x 80, top of the mirror dialog
standin::Picture drawUsageBanner();    // usage.tif, 400 x 120, top of the simple usage dialog
standin::Picture drawVersionBanner();  // version.tif, 400 x 120, top of the about dialog

// mirror.tif: the command's icon, `size` pixels square with a transparent
// background. The host takes one bitmap per command, so only the 32-pixel
// one is written; the drawing scales to any size.
standin::Picture drawCommandIcon(int size);
inline constexpr int kCommandIconSize = 32;

// Where the mirror banner draws the plug-in's name; nothing else is drawn
// there but the background.
inline constexpr standin::PixelRect kBannerNameBox{104, 10, 150, 40};

}  // namespace pictures
