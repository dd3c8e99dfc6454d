// Bitmaps the plug-in allocates and loads pictures into.
#pragma once

#include <filesystem>

#include "draw/picture.h"
#include "ui/handle_table.h"
#include "vitrel_host_abi.h"

namespace standin {

struct Bitmap {
  Picture picture;  // empty (0 x 0) until a picture loads
};

using BitmapRegistry = HandleTable<Bitmap, VtBitmap>;

// The bitmaps of this host process.
BitmapRegistry& HostBitmaps();

// Null when the fault plan fails the allocation (Fault::kBitmap).
VtBitmap* AllocBitmap();
// Loads the picture at `path`; on failure the bitmap is left empty. True
// when the picture loaded.
bool LoadBitmap(Bitmap& bitmap, const std::filesystem::path& path);

}  // namespace standin
