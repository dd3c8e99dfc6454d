#include "journal/journal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>

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

// Whether the `size` bytes at `a` and `b` are the same. A path is checked
// name by name for every event, and names are short: compared here, eight
// bytes at a time, they cost less than a call to memcmp each.
bool SameBytes(const char* a, const char* b, size_t size) {
  for (; size >= 8; a += 8, b += 8, size -= 8) {
    uint64_t word_a = 0;
    uint64_t word_b = 0;
    std::memcpy(&word_a, a, 8);
    std::memcpy(&word_b, b, 8);
    if (word_a != word_b) return false;
  }
  for (; size > 0; --size)
    if (*a++ != *b++) return false;
  return true;
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
    if (name.size() != length || !SameBytes(name.data(), text_.data() + end - length, length)) return false;
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
  line_.text.clear();
  out_ = out;
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

Journal::Event::Event(Journal& journal, JournalWord name)
    : line_(journal.writing() ? &journal.line_.text : nullptr), journal_(journal) {
  auto it = journal_.counts_.find(name.text());
  if (it == journal_.counts_.end()) it = journal_.counts_.emplace(std::string(name.text()), 0).first;
  ++it->second;
  if (line_ == nullptr) return;
  line_->assign("{\"event\":\"");
  *line_ += name.text();
  *line_ += '"';
}

Journal::Event::~Event() {
  if (line_ == nullptr) return;
  *line_ += "}\n";
  journal_.out_->write(line_->data(), static_cast<std::streamsize>(line_->size()));
}

void Journal::Event::Key(JournalWord key) {
  *line_ += ",\"";
  *line_ += key.text();
  *line_ += "\":";
}

Journal::Writer* Journal::Event::Raw(JournalWord key) {
  if (line_ == nullptr) return nullptr;
  Key(key);
  journal_.writer_.Reset(journal_.line_);
  return &journal_.writer_;
}

Journal::Event& Journal::Event::Int(JournalWord key, int64_t value) {
  if (line_ == nullptr) return *this;
  Key(key);
  char digits[24];
  const auto written = std::to_chars(std::begin(digits), std::end(digits), value);
  line_->append(digits, written.ptr);
  return *this;
}

Journal::Event& Journal::Event::Bool(JournalWord key, bool value) {
  if (line_ == nullptr) return *this;
  Key(key);
  *line_ += value ? "true" : "false";
  return *this;
}

Journal::Event& Journal::Event::Null(JournalWord key) {
  if (line_ == nullptr) return *this;
  Key(key);
  *line_ += "null";
  return *this;
}

Journal::Event& Journal::Event::Text(JournalWord key, std::string_view value) {
  if (line_ == nullptr) return *this;
  Key(key);
  *line_ += '"';
  AppendEscaped(*line_, value);
  *line_ += '"';
  return *this;
}

Journal::Event& Journal::Event::ObjectRef(JournalWord key, const Object* op) {
  if (line_ == nullptr) return *this;
  if (op == nullptr) return Null(key);
  Key(key);
  *line_ += '"';
  if (op->document != nullptr)
    *line_ += journal_.recent_path_.For(*op);
  else
    AppendEscaped(*line_, op->data.name);
  *line_ += '"';
  return *this;
}

}  // namespace standin
