#include "resources/resource_ops.h"

#include <iostream>
#include <string>

#include "host/faults.h"
#include "host/plugin_calls.h"
#include "journal/journal.h"
#include "resources/bitmap.h"
#include "resources/layout_builder.h"
#include "resources/resource_reader.h"
#include "resources/user_area.h"
#include "ui/dialog.h"
#include "ui/filename.h"

namespace standin {

namespace {

// A line of the host's own on its console: recorded in the journal like the
// plug-in's console lines but marked as the host's, and shown on standard
// error, where a headless host's console is.
void HostConsoleLine(const std::string& line) {
  Journal::Event(HostJournal(), "console").Text("text", line).Text("from", "host");
  std::cerr << line << '\n';
}

VtResource* ResourceLoad(const VtFilename* folder) {
  if (HostFaults().ShouldFail(Fault::kResource)) return nullptr;
  const std::string* folder_path = FilenamePath(folder);
  if (folder_path == nullptr) {
    HostConsoleLine("standin: resource_load: the plug-in gave no folder");
    return nullptr;
  }
  std::string error;
  std::unique_ptr<Resource> resource = ReadResourceFolder(NativePath(JoinPath(*folder_path, "res")), error);
  if (!resource) {
    HostConsoleLine(error);
    return nullptr;
  }
  return HostResources().Add(std::move(resource));
}

void ResourceFree(VtResource* res) { HostResources().Remove(res); }

int32_t DialogLoadLayout(VtDialog* dlg, int32_t id, const VtResource* res, int32_t /*flags*/) {
  Dialog* dialog = HostDialogs().Find(dlg);
  const Resource* resource = HostResources().Find(res);
  if (dialog == nullptr || resource == nullptr) return 0;
  return BuildLayout(*dialog, *resource, id) ? 1 : 0;
}

int32_t DialogAttachUserArea(VtDialog* dlg, int32_t gadget_id, VtUserArea* ua, int32_t /*flags*/) {
  Dialog* dialog = HostDialogs().Find(dlg);
  UserArea* area = HostUserAreas().Find(ua);
  if (dialog == nullptr || area == nullptr) return 0;
  return AttachUserArea(*dialog, gadget_id, *area) ? 1 : 0;
}

void UserAreaFree(VtUserArea* ua) {
  if (UserArea* area = HostUserAreas().Find(ua)) FreeUserArea(*area);
}

int32_t UserAreaWidth(const VtUserArea* ua) {
  const UserArea* area = HostUserAreas().Find(ua);
  const Gadget* gadget = area == nullptr ? nullptr : AttachedGadget(*area);
  return gadget == nullptr ? 0 : gadget->width;
}

int32_t UserAreaHeight(const VtUserArea* ua) {
  const UserArea* area = HostUserAreas().Find(ua);
  const Gadget* gadget = area == nullptr ? nullptr : AttachedGadget(*area);
  return gadget == nullptr ? 0 : gadget->height;
}

void UserAreaDrawBitmap(VtUserArea* ua, const VtBitmap* bmp, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                        int32_t dx, int32_t dy, int32_t dw, int32_t dh, int32_t mode) {
  UserArea* area = HostUserAreas().Find(ua);
  const Bitmap* bitmap = HostBitmaps().Find(bmp);
  if (area == nullptr || bitmap == nullptr) return;
  DrawBitmapInUserArea(*area, *bitmap, PixelRect{sx, sy, sw, sh}, PixelRect{dx, dy, dw, dh}, mode);
}

void BitmapFree(VtBitmap* bmp) { HostBitmaps().Remove(bmp); }

// Each file holds one picture, so the frame is not used.
int32_t BitmapLoad(VtBitmap* bmp, const VtFilename* name, int32_t /*frame*/) {
  Bitmap* bitmap = HostBitmaps().Find(bmp);
  if (bitmap == nullptr) return 0;
  const std::string* path = FilenamePath(name);
  if (path == nullptr) {
    bitmap->picture = Picture();
    return 0;
  }
  return LoadBitmap(*bitmap, NativePath(*path)) ? 1 : 0;
}

int32_t BitmapWidth(const VtBitmap* bmp) {
  const Bitmap* bitmap = HostBitmaps().Find(bmp);
  return bitmap == nullptr ? 0 : bitmap->picture.width();
}

int32_t BitmapHeight(const VtBitmap* bmp) {
  const Bitmap* bitmap = HostBitmaps().Find(bmp);
  return bitmap == nullptr ? 0 : bitmap->picture.height();
}

}  // namespace

ResourceRegistry& HostResources() {
  static ResourceRegistry registry;
  return registry;
}

void ResourceUiOps(VtUiOps& ops) {
  ops.dialog_load_layout = Checked<DialogLoadLayout>;
  ops.dialog_attach_user_area = Checked<DialogAttachUserArea>;
  ops.user_area_alloc = Checked<AllocUserArea>;
  ops.user_area_free = Checked<UserAreaFree>;
  ops.user_area_width = Checked<UserAreaWidth>;
  ops.user_area_height = Checked<UserAreaHeight>;
  ops.user_area_draw_bitmap = Checked<UserAreaDrawBitmap>;
  ops.bitmap_alloc = Checked<AllocBitmap>;
  ops.bitmap_free = Checked<BitmapFree>;
  ops.bitmap_load = Checked<BitmapLoad>;
  ops.bitmap_width = Checked<BitmapWidth>;
  ops.bitmap_height = Checked<BitmapHeight>;
  ops.resource_load = Checked<ResourceLoad>;
  ops.resource_free = Checked<ResourceFree>;
}

}  // namespace standin
