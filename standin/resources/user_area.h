// User areas: gadgets the plug-in draws itself. The host keeps, for each
// attached user area, a canvas of RGBA pixels of exactly the gadget's size;
// on every repaint it clears the canvas to transparent black and calls the
// plug-in's draw callback, whose bitmap drawing lands in the canvas.
//
// A user area lives from user_area_alloc to user_area_free. Its attachment
// names a dialog and a gadget id and is checked on every use: when the
// window is rebuilt, the dialog freed, or another user area attached to the
// gadget, the user area is simply no longer attached.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "draw/picture.h"
#include "resources/bitmap.h"
#include "resources/resource.h"
#include "ui/dialog.h"
#include "ui/handle_table.h"
#include "vitrel_host_abi.h"

namespace standin {

struct UserArea {
  VtUserAreaCallbacks callbacks{};  // as much as the plug-in gave; the rest null
  void* user = nullptr;
  Dialog* dialog = nullptr;  // the attachment; see AttachedGadget
  int32_t gadget_id = 0;
  bool initialised = false;  // init was called for the current attachment
  Picture canvas;
};

using UserAreaRegistry = HandleTable<UserArea, VtUserArea>;

// The user areas of this host process.
UserAreaRegistry& HostUserAreas();

// Null when the fault plan fails the allocation (Fault::kDialog).
VtUserArea* AllocUserArea(const VtUserAreaCallbacks* callbacks, void* user);
// Detaches the user area from its gadget and frees it.
void FreeUserArea(UserArea& ua);

// Attaches `ua` to the user-area gadget `gadget_id` of the dialog's window,
// replacing any user area attached there. False when the window has no such
// gadget. The host calls the user area's init at its first repaint.
bool AttachUserArea(Dialog& dialog, int32_t gadget_id, UserArea& ua);
// The gadget `ua` is attached to, or null.
Gadget* AttachedGadget(const UserArea& ua);

// Draws the `source` rectangle of the bitmap into the `target` rectangle of
// the user area's canvas: mode 1 scales the source to fill the target
// (nearest pixel), any other mode copies it unscaled. Clipped to the canvas.
void DrawBitmapInUserArea(UserArea& ua, const Bitmap& bitmap, PixelRect source, PixelRect target,
                          int32_t mode);

// ---- the host's side: showing, resizing and reading user areas ----

// Repaints every attached user area of the dialog's window, in layout order
// (the host does this when a window is shown).
void PaintUserAreas(Dialog& dialog);
// Repaints the user area attached to gadget `id`: init first if it was not
// called yet, then a cleared canvas and the draw callback. False when no
// user area is attached there.
bool RepaintUserArea(Dialog& dialog, int32_t id);
// Gives user-area gadget `id` a new pixel size (1 to kMaxUserAreaSide each)
// and repaints it. False for a missing gadget, another kind or a bad size.
bool ResizeUserArea(Dialog& dialog, int32_t id, int32_t width, int32_t height);
// The canvas of the user area attached to gadget `id`, or null.
const Picture* UserAreaCanvas(const Dialog& dialog, int32_t id);
enum class PictureFormat { kTiff, kPng };
// The bytes of a picture file of that canvas in `format`, for the caller to
// write; false with a reason in `error`.
bool EncodeUserAreaCanvas(const Dialog& dialog, int32_t id, PictureFormat format, std::string& bytes,
                          std::string& error);

}  // namespace standin
