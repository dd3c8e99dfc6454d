#include "ui/user_area_painting.h"

namespace standin {
namespace {

UserAreaPainting g_painting;

}  // namespace

void SetUserAreaPainting(const UserAreaPainting& painting) { g_painting = painting; }

void PaintUserAreasOf(Dialog& dialog) {
  if (g_painting.paint_all != nullptr) g_painting.paint_all(dialog);
}

const Picture* UserAreaCanvasOf(const Dialog& dialog, int32_t id) {
  return g_painting.canvas == nullptr ? nullptr : g_painting.canvas(dialog, id);
}

}  // namespace standin
