#include "resources/layout_builder.h"

#include <vector>

namespace standin {

namespace {

GadgetKind KindOf(ElementKind kind) {
  switch (kind) {
    case ElementKind::kGroup:
      return GadgetKind::kGroup;
    case ElementKind::kCheckbox:
      return GadgetKind::kCheckbox;
    case ElementKind::kPopup:
      return GadgetKind::kPopup;
    case ElementKind::kEdit:
      return GadgetKind::kEdit;
    case ElementKind::kColor:
      return GadgetKind::kColor;
    case ElementKind::kButton:
      return GadgetKind::kButton;
    case ElementKind::kUserArea:
      return GadgetKind::kUserArea;
    case ElementKind::kText:
      return GadgetKind::kText;
  }
  return GadgetKind::kText;
}

// The value a fresh gadget of this kind shows, so that typed reads of it
// succeed before the plug-in writes anything.
GadgetValue InitialValue(const LayoutElement& element, const std::string& caption) {
  switch (element.kind) {
    case ElementKind::kCheckbox:
      return false;
    case ElementKind::kPopup:
      return int32_t{0};
    case ElementKind::kEdit:
      return std::string();
    case ElementKind::kText:
      return caption;
    case ElementKind::kColor:
      return ColorValue{};
    case ElementKind::kGroup:
    case ElementKind::kButton:
    case ElementKind::kUserArea:
      break;
  }
  return std::monostate{};
}

}  // namespace

bool BuildLayout(Dialog& dialog, const Resource& resource, int32_t description_id) {
  const DialogDescription* description = resource.FindDialog(description_id);
  if (description == nullptr) return false;
  std::vector<int32_t> ids(description->elements.size());
  int32_t next_unnamed = -1;
  for (std::size_t i = 0; i < description->elements.size(); ++i) {
    const LayoutElement& element = description->elements[i];
    ids[i] = element.id > 0 ? element.id : next_unnamed--;
    Gadget gadget;
    gadget.id = ids[i];
    gadget.kind = KindOf(element.kind);
    gadget.caption = resource.Text(element.caption_key);
    gadget.value = InitialValue(element, gadget.caption);
    gadget.width = element.width;
    gadget.height = element.height;
    gadget.columns = element.columns;
    gadget.rows = element.rows;
    // Groups come before their elements, so the parent's id is known.
    gadget.parent = element.parent < 0 ? 0 : ids[static_cast<std::size_t>(element.parent)];
    if (Gadget* existing = gadget.id > 0 ? dialog.Find(gadget.id) : nullptr) {
      // What the plug-in wrote stays, where it fits the described kind.
      if (existing->value.index() == gadget.value.index()) gadget.value = std::move(existing->value);
      gadget.enabled = existing->enabled;
      gadget.min = existing->min;
      gadget.max = existing->max;
      gadget.has_limits = existing->has_limits;
      if (gadget.kind == GadgetKind::kPopup) gadget.entries = std::move(existing->entries);
      *existing = std::move(gadget);
    } else {
      dialog.AddGadget(std::move(gadget));
    }
  }
  dialog.title = resource.Text(description->title_key);
  dialog.description_id = description_id;
  dialog.layout_loaded = true;
  return true;
}

}  // namespace standin
