#include "ui/dialog_picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <variant>

#include "draw/shapes.h"
#include "draw/typeface.h"
#include "ui/dialog_palette.h"
#include "ui/user_area_painting.h"

namespace standin {
namespace {

using namespace palette;

constexpr float kButtonRadius = 4.0f;
constexpr int32_t kSwatchInset = 3;

// The colours of one gadget, by whether a user can use it.
struct Look {
  Rgba text, border, field;
};

Look LookOf(bool enabled) {
  return enabled ? Look{kText, kBorder, kFieldBackground}
                 : Look{kDisabledText, kDisabledBorder, kDisabledFieldBackground};
}

void DrawText(Picture& picture, std::string_view text, PixelRect line, Rgba colour,
              const Typeface& face = Typeface::Sans()) {
  if (text.empty()) return;
  face.Draw(picture, text, static_cast<float>(line.x), TextBaseline(line), kDialogTextSize, colour);
}

PixelRect Inset(PixelRect rect, int32_t by) {
  return {rect.x + by, rect.y + by, std::max(rect.width - 2 * by, 0), std::max(rect.height - 2 * by, 0)};
}

void DrawField(Picture& picture, PixelRect box, const Look& look) {
  FillRect(picture, box, look.field);
  FrameRect(picture, box, look.border);
}

uint8_t Channel(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

// What a colour field shows: its colour times its brightness.
Rgba SwatchColour(const Gadget& gadget) {
  const auto* value = std::get_if<ColorValue>(&gadget.value);
  if (value == nullptr) return kFieldBackground;
  const double brightness = value->brightness;
  return {Channel(value->color.x * brightness), Channel(value->color.y * brightness),
          Channel(value->color.z * brightness), 255};
}

void DrawCheckbox(Picture& picture, const GadgetGeometry& shown, const Look& look) {
  DrawField(picture, shown.box, look);
  const auto* ticked = std::get_if<bool>(&shown.gadget->value);
  if (ticked != nullptr && *ticked) {
    const float x = static_cast<float>(shown.box.x), y = static_cast<float>(shown.box.y);
    const std::array<PointF, 3> tick = {PointF{x + 3.0f, y + 7.0f}, PointF{x + 6.0f, y + 10.5f},
                                        PointF{x + 11.0f, y + 3.5f}};
    DrawPolyline(picture, tick, 2.0f, shown.enabled ? kTick : kDisabledText);
  }
}

void DrawPopup(Picture& picture, const GadgetGeometry& shown, const Look& look) {
  DrawField(picture, shown.box, look);
  DrawText(picture, shown.box_text, shown.text, look.text);
  const float centre_x = static_cast<float>(shown.box.x + shown.box.width) - 10.0f;
  const float centre_y = static_cast<float>(shown.box.y) + static_cast<float>(shown.box.height) / 2.0f;
  const std::array<PointF, 3> arrow = {PointF{centre_x - 4.0f, centre_y - 2.0f},
                                       PointF{centre_x + 4.0f, centre_y - 2.0f},
                                       PointF{centre_x, centre_y + 3.0f}};
  FillPolygon(picture, arrow, shown.enabled ? kArrow : kDisabledText);
}

void DrawColorField(Picture& picture, const GadgetGeometry& shown, const Look& look) {
  DrawField(picture, shown.box, look);
  const PixelRect swatch = Inset(shown.box, kSwatchInset);
  FillRect(picture, swatch, SwatchColour(*shown.gadget));
  if (!shown.enabled) FillRect(picture, swatch, kDisabledVeil);
}

void DrawButton(Picture& picture, const GadgetGeometry& shown, const Look& look) {
  const PixelRect box = shown.box;
  FillRoundedRect(picture, static_cast<float>(box.x), static_cast<float>(box.y),
                  static_cast<float>(box.width), static_cast<float>(box.height), kButtonRadius, look.border);
  const PixelRect face = Inset(box, 1);
  FillRoundedRect(picture, static_cast<float>(face.x), static_cast<float>(face.y),
                  static_cast<float>(face.width), static_cast<float>(face.height), kButtonRadius - 1.0f,
                  shown.enabled ? kButtonFace : kDisabledFieldBackground);
  DrawText(picture, shown.box_text, shown.text, look.text);
}

// The user area's canvas as the plug-in painted it, pixel for pixel; a
// gadget without a user area attached stays blank.
void DrawUserArea(Picture& picture, const Dialog& dialog, const GadgetGeometry& shown) {
  const Picture* canvas = UserAreaCanvasOf(dialog, shown.gadget->id);
  if (canvas == nullptr) return;
  const PixelRect box = shown.box;
  const int32_t width = std::min({canvas->width(), box.width, picture.width() - box.x});
  const int32_t height = std::min({canvas->height(), box.height, picture.height() - box.y});
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const Rgba pixel = canvas->at(x, y);
      if (pixel.a == 255) {
        picture.at(box.x + x, box.y + y) = pixel;
      } else {
        BlendPixel(picture, box.x + x, box.y + y, pixel);
      }
    }
  }
}

void DrawGroup(Picture& picture, const GadgetGeometry& shown) {
  if (shown.caption_text.empty()) return;
  FrameRect(picture, shown.box, shown.enabled ? kGroupBorder : kDisabledBorder);
  // The title interrupts the top border.
  const PixelRect title = shown.caption;
  FillRect(picture, {title.x - 4, title.y, title.width + 8, title.height}, kWindowBackground);
  DrawText(picture, shown.caption_text, title, shown.enabled ? kText : kDisabledText);
}

void DrawGadget(Picture& picture, const Dialog& dialog, const GadgetGeometry& shown) {
  const Look look = LookOf(shown.enabled);
  DrawText(picture, shown.caption_text, shown.caption, look.text);
  switch (shown.gadget->kind) {
    case GadgetKind::kCheckbox:
      DrawCheckbox(picture, shown, look);
      break;
    case GadgetKind::kPopup:
      DrawPopup(picture, shown, look);
      break;
    case GadgetKind::kEdit:
      DrawField(picture, shown.box, look);
      DrawText(picture, shown.box_text, shown.text, look.text);
      break;
    case GadgetKind::kColor:
      DrawColorField(picture, shown, look);
      break;
    case GadgetKind::kButton:
      DrawButton(picture, shown, look);
      break;
    case GadgetKind::kText:
      DrawText(picture, shown.box_text, shown.text, look.text);
      break;
    case GadgetKind::kUserArea:
      DrawUserArea(picture, dialog, shown);
      break;
    case GadgetKind::kGroup:
      break;
  }
}

void DrawBars(Picture& picture, const DialogGeometry& geometry) {
  FillRect(picture, geometry.title_bar, kTitleBar);
  DrawText(picture, geometry.title_text, geometry.title, kTitleText, Typeface::SansBold());
  if (geometry.menu_bar.height == 0) return;
  FillRect(picture, geometry.menu_bar, kMenuBar);
  const PixelRect bar = geometry.menu_bar;
  FillRect(picture, {bar.x, bar.y + bar.height - 1, bar.width, 1}, kMenuSeparator);
  for (const MenuTitleGeometry& title : geometry.menu_titles)
    DrawText(picture, title.text, title.rect, kText);
}

}  // namespace

Picture DrawDialog(const Dialog& dialog) { return DrawDialog(dialog, LayOutDialog(dialog)); }

Picture DrawDialog(const Dialog& dialog, const DialogGeometry& geometry) {
  Picture picture(geometry.width, geometry.height, kWindowBackground);
  DrawBars(picture, geometry);
  // Groups come before their gadgets, so frames lie under what they hold.
  for (const GadgetGeometry& shown : geometry.gadgets) {
    if (shown.bounds.x >= picture.width() || shown.bounds.y >= picture.height()) continue;
    if (shown.gadget->kind == GadgetKind::kGroup) {
      DrawGroup(picture, shown);
    } else {
      DrawGadget(picture, dialog, shown);
    }
  }
  FrameRect(picture, {0, 0, picture.width(), picture.height()}, kWindowBorder);
  return picture;
}

}  // namespace standin
