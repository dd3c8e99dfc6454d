#include "resources/bitmap.h"

#include <string>

#include "host/faults.h"
#include "resources/picture_codec.h"

namespace standin {

BitmapRegistry& HostBitmaps() {
  static BitmapRegistry registry;
  return registry;
}

VtBitmap* AllocBitmap() {
  if (HostFaults().ShouldFail(Fault::kBitmap)) return nullptr;
  return HostBitmaps().Add(std::make_unique<Bitmap>());
}

bool LoadBitmap(Bitmap& bitmap, const std::filesystem::path& path) {
  std::string error;
  Picture picture;
  bool loaded = ReadPicture(path, picture, error);
  bitmap.picture = std::move(picture);
  return loaded;
}

}  // namespace standin
