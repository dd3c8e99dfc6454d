#include "journal/journal.h"

#include <vector>

namespace standin {

std::string ObjectPath(const Object& op) {
  if (op.document == nullptr) return op.data.name;
  std::vector<const std::string*> names;
  const Object* at = &op;
  for (; at != nullptr && names.size() < kMaxPathNames; at = at->parent) names.push_back(&at->data.name);
  std::string path = at != nullptr ? "\xE2\x80\xA6/" : "";
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    if (it != names.rbegin()) path += '/';
    path += **it;
  }
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
  return Text(key, ObjectPath(*op));
}

}  // namespace standin
