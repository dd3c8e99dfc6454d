#include "journal/journal.h"

#include <array>

namespace standin {

void AppendObjectPath(std::string& out, const Object& op) {
  if (op.document == nullptr) {
    out += op.data.name;
    return;
  }
  // The names from the object up, at most kMaxPathNames of them, kept
  // without copying or allocating.
  std::array<const std::string*, kMaxPathNames> names;
  size_t count = 0;
  const Object* at = &op;
  for (; at != nullptr && count < kMaxPathNames; at = at->parent) names[count++] = &at->data.name;
  if (at != nullptr) out += "\xE2\x80\xA6/";
  for (size_t i = count; i-- > 0;) {
    out += *names[i];
    if (i > 0) out += '/';
  }
}

std::string ObjectPath(const Object& op) {
  std::string path;
  AppendObjectPath(path, op);
  return path;
}

void Journal::SetOutput(std::ostream* out) {
  Flush();
  writer_.reset();
  line_.Clear();
  out_ = out;
  if (out_ == nullptr) return;
  writer_ = std::make_unique<Writer>(line_);
}

void Journal::Flush() {
  if (out_ != nullptr) out_->flush();
}

Journal& HostJournal() {
  static Journal journal;
  return journal;
}

int64_t Journal::Count(std::string_view name) const {
  auto it = counts_.find(name);
  return it == counts_.end() ? 0 : it->second;
}

Journal::Event::Event(Journal& journal, std::string_view name)
    : writer_(journal.writer_.get()), journal_(journal) {
  auto it = journal_.counts_.find(name);
  if (it == journal_.counts_.end()) it = journal_.counts_.emplace(std::string(name), 0).first;
  ++it->second;
  if (writer_ == nullptr) return;
  journal_.line_.Clear();
  writer_->Reset(journal_.line_);
  writer_->StartObject();
  Text("event", name);
}

Journal::Event::~Event() {
  if (writer_ == nullptr) return;
  writer_->EndObject();
  rapidjson::StringBuffer& line = journal_.line_;
  line.Put('\n');
  journal_.out_->write(line.GetString(), static_cast<std::streamsize>(line.GetSize()));
}

Journal::Writer* Journal::Event::Raw(std::string_view key) {
  if (writer_ == nullptr) return nullptr;
  writer_->Key(key.data(), static_cast<rapidjson::SizeType>(key.size()));
  return writer_;
}

Journal::Event& Journal::Event::Int(std::string_view key, int64_t value) {
  if (Writer* w = Raw(key)) w->Int64(value);
  return *this;
}

Journal::Event& Journal::Event::Bool(std::string_view key, bool value) {
  if (Writer* w = Raw(key)) w->Bool(value);
  return *this;
}

Journal::Event& Journal::Event::Double(std::string_view key, double value) {
  if (Writer* w = Raw(key)) w->Double(value);
  return *this;
}

Journal::Event& Journal::Event::Text(std::string_view key, std::string_view value) {
  if (Writer* w = Raw(key)) w->String(value.data(), static_cast<rapidjson::SizeType>(value.size()));
  return *this;
}

Journal::Event& Journal::Event::Null(std::string_view key) {
  if (Writer* w = Raw(key)) w->Null();
  return *this;
}

Journal::Event& Journal::Event::ObjectRef(std::string_view key, const Object* op) {
  if (writer_ == nullptr) return *this;
  if (op == nullptr) return Null(key);
  std::string& path = journal_.path_;
  path.clear();
  AppendObjectPath(path, *op);
  return Text(key, path);
}

}  // namespace standin
