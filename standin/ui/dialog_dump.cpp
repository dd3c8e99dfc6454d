#include "ui/dialog_dump.h"

#include <rapidjson/stringbuffer.h>

#include <string_view>
#include <type_traits>

namespace standin {
namespace {

template <typename Writer>
void String(Writer& writer, std::string_view text) {
  writer.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
}

// Menu and pop-up entries, both as [[id, text], ...].
template <typename Writer, typename EntryList>
void Entries(Writer& writer, const EntryList& entries) {
  writer.StartArray();
  for (const auto& entry : entries) {
    writer.StartArray();
    writer.Int(entry.id);
    String(writer, entry.text);
    writer.EndArray();
  }
  writer.EndArray();
}

template <typename Writer>
void Value(Writer& writer, const GadgetValue& value) {
  std::visit(
      [&writer](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          writer.Null();
        } else if constexpr (std::is_same_v<T, bool>) {
          writer.Bool(v);
        } else if constexpr (std::is_same_v<T, int32_t>) {
          writer.Int(v);
        } else if constexpr (std::is_same_v<T, double>) {
          writer.Double(v);
        } else if constexpr (std::is_same_v<T, std::string>) {
          String(writer, v);
        } else {
          writer.StartObject();
          writer.Key("color");
          writer.StartArray();
          writer.Double(v.color.x);
          writer.Double(v.color.y);
          writer.Double(v.color.z);
          writer.EndArray();
          writer.Key("brightness");
          writer.Double(v.brightness);
          writer.EndObject();
        }
      },
      value);
}

template <typename Writer>
void Gadgets(const Dialog& dialog, Writer& writer) {
  writer.StartObject();
  for (const auto& gadget : dialog.gadgets()) {
    // Gadgets without an id cannot be addressed, so they are not listed.
    if (gadget->id <= 0) continue;
    String(writer, std::to_string(gadget->id));
    writer.StartObject();
    writer.Key("kind");
    String(writer, GadgetKindName(gadget->kind));
    writer.Key("caption");
    String(writer, gadget->caption);
    writer.Key("value");
    Value(writer, gadget->value);
    writer.Key("enabled");
    writer.Bool(gadget->enabled);
    writer.Key("entries");
    Entries(writer, gadget->entries);
    writer.EndObject();
  }
  writer.EndObject();
}

}  // namespace

std::string DumpDialog(const Dialog& dialog) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
  writer.StartObject();
  writer.Key("id");
  if (dialog.description_id) {
    writer.Int(*dialog.description_id);
  } else {
    writer.Null();
  }
  writer.Key("title");
  String(writer, dialog.title);
  writer.Key("menus");
  writer.StartArray();
  for (const Menu& menu : dialog.menus()) {
    writer.StartObject();
    writer.Key("title");
    String(writer, menu.title);
    writer.Key("entries");
    Entries(writer, menu.entries);
    writer.EndObject();
  }
  writer.EndArray();
  writer.Key("gadgets");
  Gadgets(dialog, writer);
  writer.EndObject();
  return std::string(buffer.GetString(), buffer.GetSize());
}

void WriteDialogGadgets(const Dialog& dialog, Journal::Writer& writer) { Gadgets(dialog, writer); }

}  // namespace standin
