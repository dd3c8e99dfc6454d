#include "resources/user_area.h"

#include <algorithm>
#include <cstring>

#include "draw/png.h"
#include "host/faults.h"
#include "host/plugin_calls.h"
#include "resources/picture_codec.h"

namespace standin {

namespace {

constexpr int32_t kScaledMode = 1;

// The handle under which the plug-in knows the user area.
VtUserArea* HandleOf(UserArea& ua) { return reinterpret_cast<VtUserArea*>(&ua); }
const VtUserArea* HandleOf(const UserArea& ua) { return reinterpret_cast<const VtUserArea*>(&ua); }

UserArea* AttachedUserArea(const Dialog& dialog, int32_t id) {
  const Gadget* gadget = dialog.Find(id);
  if (gadget == nullptr || gadget->kind != GadgetKind::kUserArea) return nullptr;
  UserArea* ua = HostUserAreas().Find(gadget->user_area);
  return ua != nullptr && ua->dialog == &dialog && ua->gadget_id == id ? ua : nullptr;
}

// The canvas always has the gadget's size.
void FitCanvas(UserArea& ua, const Gadget& gadget) {
  if (ua.canvas.width() != gadget.width || ua.canvas.height() != gadget.height) {
    ua.canvas = Picture(gadget.width, gadget.height);
  }
}

}  // namespace

UserAreaRegistry& HostUserAreas() {
  static UserAreaRegistry registry;
  return registry;
}

VtUserArea* AllocUserArea(const VtUserAreaCallbacks* callbacks, void* user) {
  if (HostFaults().ShouldFail(Fault::kDialog)) return nullptr;
  auto ua = std::make_unique<UserArea>();
  ua->user = user;
  if (callbacks != nullptr) {
    // Copy only as much as the plug-in says it gave; later entries stay null.
    std::size_t bytes = std::min<std::size_t>(callbacks->size, sizeof(VtUserAreaCallbacks));
    std::memcpy(&ua->callbacks, callbacks, bytes);
    ua->callbacks.size = static_cast<uint32_t>(bytes);
  }
  return HostUserAreas().Add(std::move(ua));
}

void FreeUserArea(UserArea& ua) {
  if (Gadget* gadget = AttachedGadget(ua)) gadget->user_area = nullptr;
  HostUserAreas().Remove(HandleOf(ua));
}

Gadget* AttachedGadget(const UserArea& ua) {
  if (ua.dialog == nullptr || !HostDialogs().Alive(ua.dialog)) return nullptr;
  Gadget* gadget = ua.dialog->Find(ua.gadget_id);
  if (gadget == nullptr || gadget->kind != GadgetKind::kUserArea) return nullptr;
  return gadget->user_area == HandleOf(ua) ? gadget : nullptr;
}

bool AttachUserArea(Dialog& dialog, int32_t gadget_id, UserArea& ua) {
  Gadget* gadget = dialog.Find(gadget_id);
  if (gadget == nullptr || gadget->kind != GadgetKind::kUserArea) return false;
  if (Gadget* previous = AttachedGadget(ua)) previous->user_area = nullptr;
  gadget->user_area = HandleOf(ua);
  ua.dialog = &dialog;
  ua.gadget_id = gadget_id;
  ua.initialised = false;
  FitCanvas(ua, *gadget);
  return true;
}

void DrawBitmapInUserArea(UserArea& ua, const Bitmap& bitmap, PixelRect source, PixelRect target,
                          int32_t mode) {
  const Gadget* gadget = AttachedGadget(ua);
  if (gadget == nullptr) return;
  FitCanvas(ua, *gadget);
  DrawPicture(ua.canvas, bitmap.picture, source, target, mode == kScaledMode);
}

bool RepaintUserArea(Dialog& dialog, int32_t id) {
  UserArea* ua = AttachedUserArea(dialog, id);
  if (ua == nullptr) return false;
  // The plug-in may free the user area or the dialog from inside a callback:
  // after each call the attachment is looked up again.
  if (!ua->initialised) {
    ua->initialised = true;
    if (auto init = ua->callbacks.init) {
      const PluginCall call;
      DialogRegistry::CallScope scope(HostDialogs());
      if (call.allowed()) init(ua->user);
    }
    if (!HostDialogs().Alive(&dialog) || AttachedUserArea(dialog, id) != ua) return false;
  }
  Gadget& gadget = *AttachedGadget(*ua);
  FitCanvas(*ua, gadget);
  ua->canvas.Fill(Rgba{});
  if (auto draw = ua->callbacks.draw) {
    const PluginCall call;
    DialogRegistry::CallScope scope(HostDialogs());
    if (call.allowed()) draw(ua->user, 0, 0, gadget.width, gadget.height);
  }
  return true;
}

void PaintUserAreas(Dialog& dialog) {
  // Ids first: a draw callback may change the window.
  std::vector<int32_t> ids;
  for (const auto& gadget : dialog.gadgets()) {
    if (gadget->kind == GadgetKind::kUserArea && gadget->user_area != nullptr) ids.push_back(gadget->id);
  }
  for (int32_t id : ids) {
    if (!HostDialogs().Alive(&dialog)) return;
    RepaintUserArea(dialog, id);
  }
}

bool ResizeUserArea(Dialog& dialog, int32_t id, int32_t width, int32_t height) {
  Gadget* gadget = dialog.Find(id);
  if (gadget == nullptr || gadget->kind != GadgetKind::kUserArea) return false;
  if (width < 1 || height < 1 || width > kMaxUserAreaSide || height > kMaxUserAreaSide) return false;
  gadget->width = width;
  gadget->height = height;
  RepaintUserArea(dialog, id);
  return true;
}

const Picture* UserAreaCanvas(const Dialog& dialog, int32_t id) {
  const UserArea* ua = AttachedUserArea(dialog, id);
  return ua == nullptr ? nullptr : &ua->canvas;
}

bool EncodeUserAreaCanvas(const Dialog& dialog, int32_t id, PictureFormat format, std::string& bytes,
                          std::string& error) {
  const Picture* canvas = UserAreaCanvas(dialog, id);
  if (canvas == nullptr) {
    error = "gadget " + std::to_string(id) + " has no user area attached";
    return false;
  }
  if (format == PictureFormat::kTiff) return EncodePicture(*canvas, bytes, error);
  bytes = EncodePng(*canvas);
  if (bytes.empty()) error = "cannot encode the canvas as PNG";
  return !bytes.empty();
}

}  // namespace standin
