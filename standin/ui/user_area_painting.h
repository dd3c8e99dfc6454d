// The user areas of a window are kept by the resources library, which builds
// on the dialogs here; the dialog host paints them when it shows a window
// and the dialog pictures copy their canvases. Both reach them through this
// pair of calls, which the host table installs when it is assembled. Until
// then a window shows its user-area gadgets blank.
#pragma once

#include <cstdint>

#include "draw/picture.h"
#include "ui/dialog.h"

namespace standin {

struct UserAreaPainting {
  // Repaints every attached user area of the dialog's window.
  void (*paint_all)(Dialog& dialog) = nullptr;
  // The canvas of the user area attached to gadget `id`, or null.
  const Picture* (*canvas)(const Dialog& dialog, int32_t id) = nullptr;
};

void SetUserAreaPainting(const UserAreaPainting& painting);

// Repaints the window's user areas, when painting is installed.
void PaintUserAreasOf(Dialog& dialog);
// The canvas of gadget `id`'s user area, or null (none, or no painting).
const Picture* UserAreaCanvasOf(const Dialog& dialog, int32_t id);

}  // namespace standin
