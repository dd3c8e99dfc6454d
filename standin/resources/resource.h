// The plug-in's resource as the host holds it after reading the resource
// file and the string table: dialog descriptions and the texts their
// captions refer to.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace standin {

// Largest width or height of a user-area gadget. Its canvas costs four bytes
// a pixel; this keeps one below 256 MB.
inline constexpr int32_t kMaxUserAreaSide = 8192;

// What a layout element is. Groups hold further elements; every other kind
// is a single gadget.
enum class ElementKind {
  kGroup,
  kCheckbox,
  kPopup,
  kEdit,
  kColor,
  kButton,
  kUserArea,
  kText,
};

// One group or gadget of a dialog description. Elements are kept flat in
// layout order; `parent` links each to its enclosing group, so that no code
// needs recursion to walk a deeply nested layout.
struct LayoutElement {
  ElementKind kind = ElementKind::kText;
  int32_t id = 0;           // 0: the element has no id
  std::string caption_key;  // key into the string table; empty: no caption
  int32_t parent = -1;      // index of the enclosing group; -1: the dialog
  int32_t columns = 1;      // groups: elements per row; 0 when laid out by rows
  int32_t rows = 0;         // groups laid out by rows: elements per column
  int32_t width = 0;        // user areas: size in pixels
  int32_t height = 0;
  int32_t line = 0;  // where the element starts in the resource file
};

struct DialogDescription {
  int32_t id = 0;
  std::string title_key;  // empty: no title
  std::vector<LayoutElement> elements;
  int32_t line = 0;
};

// Texts of one language by key.
class StringTable {
 public:
  // False when the key is already present.
  bool Add(std::string key, std::string text);
  // Null when the key is missing.
  const std::string* Find(std::string_view key) const;
  std::size_t size() const { return texts_.size(); }

 private:
  std::unordered_map<std::string, std::string> texts_;
};

struct Resource {
  std::map<int32_t, DialogDescription> dialogs;
  StringTable strings;

  // Null when there is no description with this id.
  const DialogDescription* FindDialog(int32_t id) const;
  // The text of a caption key: empty for an empty key.
  std::string Text(std::string_view key) const;
};

}  // namespace standin
