// Where a host would put everything of an open dialog's window, in whole
// pixels: a title bar, a menu bar with the menus' titles, then the gadgets
// in layout order from top to bottom, each group laying its gadgets out in
// its grid of columns (or rows). Text widths are those of the dialog
// typeface, so that a picture drawn from this geometry fits its texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "draw/picture.h"
#include "ui/dialog.h"
#include "ui/dialog_text.h"

namespace standin {

// A window is cut at this size on either side, so that a plug-in laying out
// huge user areas or endless gadgets cannot make the picture exhaust memory.
inline constexpr int32_t kMaxDialogPictureSide = 8192;

struct GadgetGeometry {
  const Gadget* gadget = nullptr;
  // Enabled, and not inside a disabled group.
  bool enabled = true;
  // Everything the gadget takes, its caption included.
  PixelRect bounds;
  // The caption beside the box (check boxes, pop-ups, edit texts, colour
  // fields) or a framed group's title; empty when there is none.
  PixelRect caption;
  std::string caption_text;
  // The control itself: the check box's square, the pop-up's, edit text's or
  // colour field's box, the button, the user area, a framed group's border,
  // a static text's line.
  PixelRect box;
  // The line of text the box shows (the chosen entry, the edit's value, the
  // button's caption, the static text), cut to fit; empty when none.
  PixelRect text;
  std::string box_text;
};

struct MenuTitleGeometry {
  std::string text;
  PixelRect rect;
};

struct DialogGeometry {
  int32_t width = 0;
  int32_t height = 0;
  PixelRect title_bar;
  PixelRect title;  // the title's line of text
  std::string title_text;
  PixelRect menu_bar;  // 0 pixels high when the dialog has no menus
  std::vector<MenuTitleGeometry> menu_titles;
  std::vector<GadgetGeometry> gadgets;  // in layout order

  // The gadget with this id, or null.
  const GadgetGeometry* Find(int32_t id) const;
};

DialogGeometry LayOutDialog(const Dialog& dialog);

}  // namespace standin
