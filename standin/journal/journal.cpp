#include "journal/journal.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace standin {

namespace {

constexpr std::string_view kElision = "\xE2\x80\xA6/";

// The names of a path: at most kMaxPathNames of them, the object's own
// first, kept without copying or allocating.
struct PathNames {
  std::array<const std::string*, kMaxPathNames> names;
  size_t count = 0;
  bool elided = false;  // the path goes on above the names kept
};

PathNames NamesOf(const Object& op) {
  PathNames path;
  const Object* at = &op;
  for (; at != nullptr && path.count < kMaxPathNames; at = at->parent)
    path.names[path.count++] = &at->data.name;
  path.elided = at != nullptr;
  return path;
}

// Hands `append` the names of `op`'s path in order, "/" between them.
template <typename Append>
void ForEachPathPiece(const Object& op, Append&& append) {
  if (op.document == nullptr) {
    append(op.data.name);
    return;
  }
  const PathNames path = NamesOf(op);
  if (path.elided) append(kElision);
  for (size_t i = path.count; i-- > 0;) {
    append(*path.names[i]);
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

std::string_view RecentPath::For(const Object& op) {
  if (object_ != nullptr) {
    if (object_ == &op && Holds(op)) return text_;
    if (object_ == op.parent && Holds(*op.parent) && PlainLength(op.data.name) == op.data.name.size()) {
      DescendTo(op);
      return text_;
    }
  }
  Rebuild(op);
  return text_;
}

bool RecentPath::Holds(const Object& op) const {
  const Object* at = &op;
  size_t end = text_.size();
  for (size_t i = count_; i-- > 0; at = at->parent) {
    if (at == nullptr) return false;
    const std::string& name = at->data.name;
    const size_t length = lengths_[i];
    if (name.size() != length || std::memcmp(name.data(), text_.data() + end - length, length) != 0)
      return false;
    end -= length + 1;  // and the "/" before it
  }
  return (at != nullptr) == elided_;
}

void RecentPath::DescendTo(const Object& child) {
  if (count_ == kMaxPathNames) {
    // The top name goes, and "…/" stands for it and all above.
    text_.replace(0, (elided_ ? kElision.size() : 0) + lengths_[0] + 1, kElision);
    std::copy(lengths_.begin() + 1, lengths_.end(), lengths_.begin());
    --count_;
    elided_ = true;
  }
  text_ += '/';
  text_ += child.data.name;
  lengths_[count_++] = child.data.name.size();
  object_ = &child;
}

void RecentPath::Rebuild(const Object& op) {
  const PathNames path = NamesOf(op);
  text_.clear();
  if (path.elided) text_ += kElision;
  bool all_plain = true;
  for (size_t i = path.count; i-- > 0;) {
    const std::string& name = *path.names[i];
    const size_t start = text_.size();
    AppendEscaped(text_, name);
    all_plain = all_plain && text_.size() - start == name.size();  // an escape adds bytes
    lengths_[path.count - 1 - i] = name.size();
    if (i > 0) text_ += '/';
  }
  count_ = path.count;
  elided_ = path.elided;
  // A name that was escaped is not held as it is and cannot be compared.
  object_ = all_plain ? &op : nullptr;
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
  // Every key is one of the host's own words, which need no escape: copied
  // in one go, not a byte at a time as the writer's Key does.
  if (PlainLength(key) == key.size())
    PutString(key);
  else
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
  std::string& escaped = journal_.escaped_;
  escaped.clear();
  AppendEscaped(escaped, value);
  return EscapedText(key, escaped);
}

Journal::Event& Journal::Event::EscapedText(std::string_view key, std::string_view escaped) {
  if (Raw(key) != nullptr) PutString(escaped);
  return *this;
}

void Journal::Event::PutString(std::string_view escaped) {
  // The writer is told of a string, so that it separates it from what came
  // before and what comes next, but the text goes into the line in one
  // copy: the writer's own RawValue copies a byte at a time, and a journal
  // is mostly such text.
  writer_->RawValue(escaped.data(), 0, rapidjson::kStringType);
  char* at = journal_.line_.Push(escaped.size() + 2);
  *at = '"';
  std::memcpy(at + 1, escaped.data(), escaped.size());
  at[escaped.size() + 1] = '"';
}

Journal::Event& Journal::Event::Null(std::string_view key) {
  if (Writer* w = Raw(key)) w->Null();
  return *this;
}

Journal::Event& Journal::Event::ObjectRef(std::string_view key, const Object* op) {
  if (writer_ == nullptr) return *this;
  if (op == nullptr) return Null(key);
  if (op->document != nullptr) return EscapedText(key, journal_.recent_path_.For(*op));
  std::string& escaped = journal_.escaped_;
  escaped.clear();
  AppendEscaped(escaped, op->data.name);
  return EscapedText(key, escaped);
}

}  // namespace standin
