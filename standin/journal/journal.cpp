#include "journal/journal.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace standin {

namespace {

// Hands `append` the names of `op`'s path in order, "/" between them.
template <typename Append>
void ForEachPathPiece(const Object& op, Append&& append) {
  if (op.document == nullptr) {
    append(op.data.name);
    return;
  }
  // The names from the object up, at most kMaxPathNames of them, kept
  // without copying or allocating.
  std::array<const std::string*, kMaxPathNames> names;
  size_t count = 0;
  const Object* at = &op;
  for (; at != nullptr && count < kMaxPathNames; at = at->parent) names[count++] = &at->data.name;
  if (at != nullptr) append("\xE2\x80\xA6/");
  for (size_t i = count; i-- > 0;) {
    append(*names[i]);
    if (i > 0) append("/");
  }
}

bool NeedsEscape(char c) { return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\'; }

// How many bytes `text` starts with that need no escape. Looked at eight at
// a time: a journal is mostly names that need none, and a byte at a time
// was most of what building its text cost.
size_t PlainLength(std::string_view text) {
  constexpr uint64_t kOnes = 0x0101010101010101;
  constexpr uint64_t kHighBits = 0x8080808080808080;
  // Whether any byte of `word` is below `limit` (at most 0x80); exact for
  // "any", which is all that is asked.
  const auto any_below = [](uint64_t word, uint64_t limit) {
    return (word - kOnes * limit) & ~word & kHighBits;
  };
  size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    uint64_t word = 0;
    std::memcpy(&word, text.data() + at, 8);
    if (any_below(word, 0x20) | any_below(word ^ (kOnes * '"'), 1) | any_below(word ^ (kOnes * '\\'), 1))
      break;
  }
  while (at < text.size() && !NeedsEscape(text[at])) ++at;
  return at;
}

// `text` appended to `out` as the inside of a JSON string, escaped byte for
// byte as the journal's JSON writer escapes. Most text needs no escape and
// goes in whole: the journal of a large run is mostly object paths, and
// escaping them a byte at a time was most of what the journal cost.
void AppendEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (;;) {
    const size_t plain = PlainLength(text);
    out.append(text.data(), plain);
    if (plain == text.size()) return;
    const auto c = static_cast<unsigned char>(text[plain]);
    out += '\\';
    switch (c) {
      case '"':
      case '\\':
        out += static_cast<char>(c);
        break;
      case '\b':
        out += 'b';
        break;
      case '\f':
        out += 'f';
        break;
      case '\n':
        out += 'n';
        break;
      case '\r':
        out += 'r';
        break;
      case '\t':
        out += 't';
        break;
      default:
        out += "u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
    text.remove_prefix(plain + 1);
  }
}

}  // namespace

void AppendObjectPath(std::string& out, const Object& op) {
  ForEachPathPiece(op, [&out](std::string_view piece) { out += piece; });
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
  if (writer_ == nullptr) return *this;
  std::string& quoted = journal_.quoted_;
  quoted.assign(1, '"');
  AppendEscaped(quoted, value);
  quoted += '"';
  return QuotedText(key, quoted);
}

Journal::Event& Journal::Event::QuotedText(std::string_view key, std::string_view quoted) {
  Writer* w = Raw(key);
  if (w == nullptr) return *this;
  // The writer is told of a value, so that what comes next is separated
  // from it, but the text goes into the line in one copy: the writer's own
  // RawValue copies a byte at a time, and a journal is mostly such text.
  w->RawValue(quoted.data(), 0, rapidjson::kStringType);
  std::memcpy(journal_.line_.Push(quoted.size()), quoted.data(), quoted.size());
  return *this;
}

Journal::Event& Journal::Event::Null(std::string_view key) {
  if (Writer* w = Raw(key)) w->Null();
  return *this;
}

Journal::Event& Journal::Event::ObjectRef(std::string_view key, const Object* op) {
  if (writer_ == nullptr) return *this;
  if (op == nullptr) return Null(key);
  // Escaped name by name into the quoted text, never built twice.
  std::string& quoted = journal_.quoted_;
  quoted.assign(1, '"');
  ForEachPathPiece(*op, [&quoted](std::string_view piece) { AppendEscaped(quoted, piece); });
  quoted += '"';
  return QuotedText(key, quoted);
}

}  // namespace standin
