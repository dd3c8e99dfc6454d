// A gadget that the plug-in draws itself. The dialog that shows it attaches
// it to a user-area gadget of its layout; the host then calls Init once and
// DrawMsg whenever the gadget needs painting.
#pragma once

#include "host/base_bitmap.h"
#include "host/base_container.h"
#include "host/host_types.h"
#include "vitrel_host_abi.h"

class GeDialog;

class GeUserArea {
 public:
  GeUserArea() = default;
  virtual ~GeUserArea();
  GeUserArea(const GeUserArea&) = delete;
  GeUserArea& operator=(const GeUserArea&) = delete;

  // Host callbacks.
  virtual Bool Init();
  virtual void DrawMsg(Int32 x1, Int32 y1, Int32 x2, Int32 y2, const BaseContainer& msg);

  // The gadget's size in pixels; 0 before the user area is attached.
  Int32 GetWidth() const;
  Int32 GetHeight() const;
  // Draws the source rectangle of `bitmap` into the destination rectangle of
  // the gadget; mode 1 scales it to fit.
  void DrawBitmap(const BaseBitmap* bitmap, Int32 sx, Int32 sy, Int32 sw, Int32 sh, Int32 dx, Int32 dy,
                  Int32 dw, Int32 dh, Int32 mode);

 private:
  friend class GeDialog;
  // The host's user area, made on the first attachment; null when the host
  // could not make one.
  VtUserArea* HostHandle();

  VtUserArea* handle_ = nullptr;
};
