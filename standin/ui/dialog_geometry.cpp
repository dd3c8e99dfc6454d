#include "ui/dialog_geometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "draw/typeface.h"

namespace standin {
namespace {

// Sizes are added up in 64 bits: a plug-in may lay out thousands of user
// areas of 8192 pixels. They become pixel rectangles only at the end.
using Px = int64_t;

constexpr Px kMargin = 12;  // the window's edge to its gadgets
constexpr Px kTitleBarHeight = 28;
constexpr Px kTitleInset = 10;
constexpr Px kMenuBarHeight = 24;
constexpr Px kMenuItemInset = 10;
constexpr Px kRowGap = 6;
constexpr Px kColumnGap = 18;
constexpr Px kLineHeight = 22;  // a check box's, pop-up's, edit text's or colour field's row
constexpr Px kCaptionGap = 8;   // a caption to its box
constexpr Px kCheckSize = 14;
constexpr Px kCheckGap = 6;
constexpr Px kFieldInset = 6;  // a box's edge to the text inside
constexpr Px kArrowWidth = 20;
constexpr Px kMinPopupWidth = 64;
constexpr Px kMinEditWidth = 140;
constexpr Px kColorWidth = 48;
constexpr Px kButtonHeight = 26;
constexpr Px kButtonInset = 16;
constexpr Px kMinButtonWidth = 80;
constexpr Px kStaticHeight = 18;
constexpr Px kGroupInset = 10;        // a framed group's border to its gadgets
constexpr Px kGroupTitleHeight = 18;  // a framed group's title line, across its top border
constexpr Px kGroupTitleIndent = 12;
Px TextWidth(std::string_view text) { return DialogTextWidth(text); }

// Pixels that fit a picture's coordinates whatever the sums came to.
int32_t ToPixels(Px value) {
  constexpr Px kLimit = std::numeric_limits<int32_t>::max() / 4;
  return static_cast<int32_t>(std::clamp<Px>(value, -kLimit, kLimit));
}

PixelRect Rect(Px x, Px y, Px width, Px height) {
  return {ToPixels(x), ToPixels(y), ToPixels(std::max<Px>(width, 0)), ToPixels(std::max<Px>(height, 0))};
}

std::string NumberText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// The text a gadget shows inside its box.
std::string BoxText(const Gadget& gadget) {
  switch (gadget.kind) {
    case GadgetKind::kPopup:
      if (const auto* chosen = std::get_if<int32_t>(&gadget.value)) {
        for (const PopupEntry& entry : gadget.entries) {
          if (entry.id == *chosen) return entry.text;
        }
      }
      return {};
    case GadgetKind::kEdit:
      if (const auto* text = std::get_if<std::string>(&gadget.value)) return *text;
      if (const auto* integer = std::get_if<int32_t>(&gadget.value)) return std::to_string(*integer);
      if (const auto* number = std::get_if<double>(&gadget.value)) return NumberText(*number);
      return {};
    case GadgetKind::kText:
      if (const auto* text = std::get_if<std::string>(&gadget.value)) return *text;
      return gadget.caption;
    case GadgetKind::kButton:
      return gadget.caption;
    default:
      return {};
  }
}

bool HasCaptionBeside(GadgetKind kind) {
  return kind == GadgetKind::kPopup || kind == GadgetKind::kEdit || kind == GadgetKind::kColor;
}

// A gadget's size as its parent arranges it, and where it went.
struct Cell {
  Px label = 0;  // the caption before the box; 0 for none
  Px body = 0;   // the rest: the box, or a check box with its caption
  Px height = 0;
  Px content_x = 0, content_y = 0;  // groups: from their corner to their gadgets
  // Set by the parent: the corner relative to the parent's content, the
  // caption width of the column (so that boxes line up), its width and
  // whether it is the grid's last.
  Px x = 0, y = 0;
  Px label_column = 0;
  Px column_width = 0;
  bool last_column = false;
  // Groups, once placed: their width, stretched to their column.
  Px width = 0;
};

Px CellWidth(const Cell& cell, Px label_column) {
  return cell.label > 0 ? label_column + kCaptionGap + cell.body : cell.body;
}

struct Extent {
  Px width = 0, height = 0;
};

// Arranges `members` in a grid: `columns` to a row, or, with columns 0,
// `rows` to a column. Sets each member's place and gives the grid's size.
Extent ArrangeGrid(const std::vector<std::size_t>& members, int32_t columns, int32_t rows,
                   std::vector<Cell>& cells) {
  const std::size_t count = members.size();
  if (count == 0) return {};
  const bool by_rows = columns <= 0 && rows > 0;
  const std::size_t per_line =
      std::min<std::size_t>(count, static_cast<std::size_t>(std::max(1, by_rows ? rows : columns)));
  const std::size_t lines = (count + per_line - 1) / per_line;
  const std::size_t column_count = by_rows ? lines : per_line;
  const std::size_t row_count = by_rows ? per_line : lines;
  auto column_of = [&](std::size_t k) { return by_rows ? k / per_line : k % per_line; };
  auto row_of = [&](std::size_t k) { return by_rows ? k % per_line : k / per_line; };

  std::vector<Px> labels(column_count, 0), widths(column_count, 0), heights(row_count, 0);
  for (std::size_t k = 0; k < count; ++k) {
    labels[column_of(k)] = std::max(labels[column_of(k)], cells[members[k]].label);
  }
  for (std::size_t k = 0; k < count; ++k) {
    const Cell& cell = cells[members[k]];
    widths[column_of(k)] = std::max(widths[column_of(k)], CellWidth(cell, labels[column_of(k)]));
    heights[row_of(k)] = std::max(heights[row_of(k)], cell.height);
  }
  std::vector<Px> lefts(column_count, 0), tops(row_count, 0);
  for (std::size_t c = 1; c < column_count; ++c) lefts[c] = lefts[c - 1] + widths[c - 1] + kColumnGap;
  for (std::size_t r = 1; r < row_count; ++r) tops[r] = tops[r - 1] + heights[r - 1] + kRowGap;
  for (std::size_t k = 0; k < count; ++k) {
    Cell& cell = cells[members[k]];
    cell.x = lefts[column_of(k)];
    cell.y = tops[row_of(k)];
    cell.label_column = labels[column_of(k)];
    cell.column_width = widths[column_of(k)];
    cell.last_column = column_of(k) + 1 == column_count;
  }
  return {lefts.back() + widths.back(), tops.back() + heights.back()};
}

// The size of a gadget that is no group.
Cell MeasureGadget(const Gadget& gadget, const GadgetGeometry& shown) {
  Cell cell;
  const Px caption = shown.caption_text.empty() ? 0 : TextWidth(shown.caption_text);
  const Px text = TextWidth(shown.box_text);
  cell.height = kLineHeight;
  if (HasCaptionBeside(gadget.kind)) cell.label = caption;
  switch (gadget.kind) {
    case GadgetKind::kCheckbox:
      cell.body = kCheckSize + (caption > 0 ? kCheckGap + caption : 0);
      break;
    case GadgetKind::kPopup: {
      Px widest = 0;
      for (const PopupEntry& entry : gadget.entries) {
        widest = std::max(widest, TextWidth(FitText(entry.text, kMaxDialogTextWidth)));
      }
      cell.body = std::max(kMinPopupWidth, kFieldInset + widest + kArrowWidth);
      break;
    }
    case GadgetKind::kEdit:
      cell.body = std::max(kMinEditWidth, text + 2 * kFieldInset);
      break;
    case GadgetKind::kColor:
      cell.body = kColorWidth;
      break;
    case GadgetKind::kButton:
      cell.body = std::max(kMinButtonWidth, text + 2 * kButtonInset);
      cell.height = kButtonHeight;
      break;
    case GadgetKind::kText:
      cell.body = text;
      cell.height = kStaticHeight;
      break;
    case GadgetKind::kUserArea:
      cell.body = std::max(gadget.width, 0);
      cell.height = std::max(gadget.height, 0);
      break;
    case GadgetKind::kGroup:
      break;
  }
  return cell;
}

// A group's size around its arranged gadgets.
void MeasureGroup(const Gadget& group, const GadgetGeometry& shown, const std::vector<std::size_t>& members,
                  std::vector<Cell>& cells, Cell& cell) {
  const Extent grid = ArrangeGrid(members, group.columns, group.rows, cells);
  if (shown.caption_text.empty()) {
    cell.body = grid.width;
    cell.height = grid.height;
    return;
  }
  cell.content_x = kGroupInset;
  cell.content_y = kGroupTitleHeight + kGroupInset / 2;
  cell.body = std::max(grid.width + 2 * kGroupInset, TextWidth(shown.caption_text) + 3 * kGroupTitleIndent);
  cell.height = cell.content_y + grid.height + kGroupInset;
}

// Where each part of a placed gadget lies, from its corner and its cell.
void PlaceParts(GadgetGeometry& shown, const Cell& cell, Px x, Px y) {
  const Gadget& gadget = *shown.gadget;
  const Px caption = cell.label > 0 ? cell.label_column : 0;
  const Px box_x = caption > 0 ? x + caption + kCaptionGap : x;
  shown.bounds = Rect(x, y, CellWidth(cell, cell.label_column), cell.height);
  if (caption > 0) shown.caption = Rect(x, y, cell.label, cell.height);
  switch (gadget.kind) {
    case GadgetKind::kCheckbox:
      shown.box = Rect(x, y + (cell.height - kCheckSize) / 2, kCheckSize, kCheckSize);
      if (!shown.caption_text.empty()) {
        shown.caption = Rect(x + kCheckSize + kCheckGap, y, cell.body - kCheckSize - kCheckGap, cell.height);
      }
      break;
    case GadgetKind::kPopup:
      shown.box = Rect(box_x, y, cell.body, cell.height);
      shown.text = Rect(box_x + kFieldInset, y + 1, cell.body - kFieldInset - kArrowWidth, cell.height - 2);
      break;
    case GadgetKind::kEdit:
      shown.box = Rect(box_x, y, cell.body, cell.height);
      shown.text = Rect(box_x + kFieldInset, y + 1, cell.body - 2 * kFieldInset, cell.height - 2);
      break;
    case GadgetKind::kColor:
      shown.box = Rect(box_x, y, cell.body, cell.height);
      break;
    case GadgetKind::kButton: {
      shown.box = shown.bounds;
      const Px text = TextWidth(shown.box_text);
      shown.text = Rect(x + (cell.body - text) / 2, y, text, cell.height);
      break;
    }
    case GadgetKind::kText:
    case GadgetKind::kUserArea:
      shown.box = shown.bounds;
      shown.text = gadget.kind == GadgetKind::kText ? shown.bounds : PixelRect{};
      break;
    case GadgetKind::kGroup:
      shown.bounds = Rect(x, y, cell.width, cell.height);
      if (!shown.caption_text.empty()) {
        shown.box =
            Rect(x, y + kGroupTitleHeight / 2, shown.bounds.width, cell.height - kGroupTitleHeight / 2);
        shown.caption = Rect(x + kGroupTitleIndent, y, TextWidth(shown.caption_text), kGroupTitleHeight);
      }
      break;
  }
}

void LayOutMenus(const Dialog& dialog, DialogGeometry& geometry, Px top) {
  Px x = kMenuItemInset;
  auto add = [&](const std::string& text) {
    MenuTitleGeometry title{FitText(text, kMaxDialogTextWidth), {}};
    const Px width = TextWidth(title.text);
    title.rect = Rect(x, top, width, kMenuBarHeight);
    x += width + 2 * kMenuItemInset;
    geometry.menu_titles.push_back(std::move(title));
  };
  // A menu without a title is entries of the bar itself.
  for (const Menu& menu : dialog.menus()) {
    if (!menu.title.empty()) {
      add(menu.title);
    } else {
      for (const MenuEntry& entry : menu.entries) add(entry.text);
    }
  }
}

// Each gadget's parent is the nearest group before it with the parent's
// id; anything else lies at the top. Parents come first, so a forward pass
// knows them and nesting of any depth needs no recursion.
constexpr std::size_t kTop = std::numeric_limits<std::size_t>::max();

struct GadgetTree {
  std::vector<std::size_t> parents;               // kTop for a gadget at the top
  std::vector<std::vector<std::size_t>> members;  // of each group, in order
  std::vector<std::size_t> top;
};

// Links the gadgets into their groups and fills in what each shows apart
// from its place: enabled state and fitted texts.
GadgetTree LinkGadgets(const Dialog& dialog, DialogGeometry& geometry) {
  const auto& gadgets = dialog.gadgets();
  const std::size_t count = gadgets.size();
  GadgetTree tree{.parents = std::vector<std::size_t>(count, kTop), .members = {}, .top = {}};
  tree.members.resize(count);
  std::unordered_map<int32_t, std::size_t> groups;
  geometry.gadgets.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const Gadget& gadget = *gadgets[i];
    GadgetGeometry& shown = geometry.gadgets[i];
    std::size_t& parent = tree.parents[i];
    shown.gadget = &gadget;
    if (gadget.parent != 0) {
      if (const auto found = groups.find(gadget.parent); found != groups.end()) parent = found->second;
    }
    shown.enabled = gadget.enabled && (parent == kTop || geometry.gadgets[parent].enabled);
    (parent == kTop ? tree.top : tree.members[parent]).push_back(i);
    if (gadget.kind == GadgetKind::kGroup) groups[gadget.id] = i;
    const bool captioned = gadget.kind == GadgetKind::kCheckbox || HasCaptionBeside(gadget.kind) ||
                           gadget.kind == GadgetKind::kGroup;
    if (captioned) shown.caption_text = FitText(gadget.caption, kMaxDialogTextWidth);
    shown.box_text = FitText(BoxText(gadget), kMaxDialogTextWidth);
  }
  return tree;
}

// Sizes from the innermost gadgets out: every group's gadgets come after it.
std::vector<Cell> MeasureCells(const Dialog& dialog, const GadgetTree& tree, DialogGeometry& geometry) {
  const auto& gadgets = dialog.gadgets();
  std::vector<Cell> cells(gadgets.size());
  for (std::size_t i = gadgets.size(); i-- > 0;) {
    const Gadget& gadget = *gadgets[i];
    if (gadget.kind == GadgetKind::kGroup) {
      MeasureGroup(gadget, geometry.gadgets[i], tree.members[i], cells, cells[i]);
    } else {
      cells[i] = MeasureGadget(gadget, geometry.gadgets[i]);
    }
  }
  return cells;
}

struct DialogFrame {
  Px width;        // the whole dialog's, before it is clamped to a picture's
  Px content_top;  // where the gadgets begin
};

// The title bar, the menu bar and the dialog's size around content of
// `content`'s size.
DialogFrame LayOutFrame(const Dialog& dialog, const Extent& content, DialogGeometry& geometry) {
  geometry.title_text = FitText(dialog.title, kMaxDialogTextWidth);
  const Px title_width =
      static_cast<Px>(std::ceil(Typeface::SansBold().Width(geometry.title_text, kDialogTextSize)));
  const Px menu_top = kTitleBarHeight;
  LayOutMenus(dialog, geometry, menu_top);
  const Px menu_height = geometry.menu_titles.empty() ? 0 : kMenuBarHeight;
  const Px menus_width =
      geometry.menu_titles.empty()
          ? 0
          : Px{geometry.menu_titles.back().rect.x} + geometry.menu_titles.back().rect.width + kMenuItemInset;
  const Px width = std::max({content.width + 2 * kMargin, title_width + 2 * kTitleInset, menus_width});
  const Px content_top = menu_top + menu_height + kMargin;
  const Px height = content_top + content.height + (content.height > 0 ? kMargin : 0);
  geometry.width = static_cast<int32_t>(std::clamp<Px>(width, 1, kMaxDialogPictureSide));
  geometry.height = static_cast<int32_t>(std::clamp<Px>(height, 1, kMaxDialogPictureSide));
  geometry.title_bar = Rect(0, 0, width, kTitleBarHeight);
  geometry.title = Rect(kTitleInset, 0, title_width, kTitleBarHeight);
  geometry.menu_bar = Rect(0, menu_top, width, menu_height);
  return {.width = width, .content_top = content_top};
}

// Places from the outermost gadgets in: each gadget's corner is its
// group's content corner plus its place in the group's grid. A group
// spans its column, and in the last column reaches its parent's right
// edge, so that framed groups stacked or nested line up.
void PlaceGadgets(const GadgetTree& tree, const DialogFrame& frame, std::vector<Cell>& cells,
                  DialogGeometry& geometry) {
  std::vector<std::pair<Px, Px>> corners(cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    Cell& cell = cells[i];
    const std::size_t parent = tree.parents[i];
    Px x = kMargin + cell.x, y = frame.content_top + cell.y, right = frame.width - kMargin;
    if (parent != kTop) {
      const Cell& group = cells[parent];
      x = corners[parent].first + group.content_x + cell.x;
      y = corners[parent].second + group.content_y + cell.y;
      right = corners[parent].first + group.width - group.content_x;
    }
    cell.width = std::max(cell.body, cell.last_column ? right - x : cell.column_width);
    corners[i] = {x, y};
    PlaceParts(geometry.gadgets[i], cell, x, y);
  }
}

}  // namespace

const GadgetGeometry* DialogGeometry::Find(int32_t id) const {
  for (const GadgetGeometry& shown : gadgets) {
    if (shown.gadget->id == id) return &shown;
  }
  return nullptr;
}

DialogGeometry LayOutDialog(const Dialog& dialog) {
  DialogGeometry geometry;
  const GadgetTree tree = LinkGadgets(dialog, geometry);
  std::vector<Cell> cells = MeasureCells(dialog, tree, geometry);
  const Extent content = ArrangeGrid(tree.top, 1, 0, cells);
  const DialogFrame frame = LayOutFrame(dialog, content, geometry);
  PlaceGadgets(tree, frame, cells, geometry);
  return geometry;
}

}  // namespace standin
