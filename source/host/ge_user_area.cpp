#include "host/ge_user_area.h"

#include "host/host_table.h"

namespace {

using vitrel::host::UiOps;

GeUserArea& AreaOf(void* user) { return *static_cast<GeUserArea*>(user); }

int32_t OnInit(void* user) { return AreaOf(user).Init() ? 1 : 0; }
void OnDraw(void* user, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  AreaOf(user).DrawMsg(x1, y1, x2, y2, BaseContainer());
}

constexpr VtUserAreaCallbacks kUserAreaCallbacks = {sizeof(VtUserAreaCallbacks), OnInit, OnDraw};

}  // namespace

GeUserArea::~GeUserArea() {
  if (handle_ != nullptr && vitrel::host::IsBound()) UiOps().user_area_free(handle_);
}

Bool GeUserArea::Init() { return true; }

void GeUserArea::DrawMsg(Int32, Int32, Int32, Int32, const BaseContainer&) {}

Int32 GeUserArea::GetWidth() const { return handle_ != nullptr ? UiOps().user_area_width(handle_) : 0; }

Int32 GeUserArea::GetHeight() const { return handle_ != nullptr ? UiOps().user_area_height(handle_) : 0; }

void GeUserArea::DrawBitmap(const BaseBitmap* bitmap, Int32 sx, Int32 sy, Int32 sw, Int32 sh, Int32 dx,
                            Int32 dy, Int32 dw, Int32 dh, Int32 mode) {
  if (handle_ == nullptr || bitmap == nullptr) return;
  UiOps().user_area_draw_bitmap(handle_, bitmap->handle(), sx, sy, sw, sh, dx, dy, dw, dh, mode);
}

VtUserArea* GeUserArea::HostHandle() {
  // One host user area serves every attachment: the dialog's window is built
  // anew at each opening, the user area stays.
  if (handle_ == nullptr) handle_ = UiOps().user_area_alloc(&kUserAreaCallbacks, this);
  return handle_;
}
