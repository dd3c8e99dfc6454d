#include "banner.h"

#include "plugin_host.h"

PictureBanner::PictureBanner(const char* picture) : picture_(picture), bitmap_(BaseBitmap::Alloc()) {}

PictureBanner::~PictureBanner() {
  if (vitrel::host::IsBound()) BaseBitmap::Free(bitmap_);
}

Bool PictureBanner::Init() {
  // The "res" folder is joined as text with a backslash on every platform
  // (hosts read it as a separator); the picture is joined as a component.
  // Without the plug-in's folder, or when a part of the path cannot be
  // built, the path stays empty and nothing is looked up elsewhere.
  const Filename plugin = GeGetPluginPath();
  if (!plugin.IsPopulated()) return true;
  String folder = plugin.GetString();
  folder += String("\\res");
  path_ = Filename(folder);
  path_ += Filename(String(picture_));
  if (!path_.IsPopulated()) return true;
  // A picture that does not load leaves the bitmap empty and the gadget blank.
  if (bitmap_ != nullptr) bitmap_->Init(path_, -1);
  return true;
}

void PictureBanner::DrawMsg(Int32, Int32, Int32, Int32, const BaseContainer&) {
  if (bitmap_ == nullptr) return;
  const Int32 width = GetWidth();
  const Int32 height = GetHeight();
  // Stretched over the whole gadget, whatever the picture's proportions.
  DrawBitmap(bitmap_, 0, 0, bitmap_->GetBw(), bitmap_->GetBh(), 0, 0, width, height, 1);
}
