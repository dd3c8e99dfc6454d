#include "host/host_string.h"

#include <cstring>
#include <initializer_list>
#include <new>

#include "host/host_memory.h"

// Shared storage of a text: a reference count, the sizes, then the bytes and
// a closing NUL. Texts share a buffer until one of them changes; a change
// always builds a new buffer, so a shared one is never written.
struct String::Buffer {
  Int32 refs;
  Int32 bytes;
  Int32 chars;

  char* data() { return reinterpret_cast<char*>(this + 1); }
  const char* data() const { return reinterpret_cast<const char*>(this + 1); }
};

namespace {

// A UTF-8 continuation byte (10xxxxxx) never starts a character.
bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

Int32 CountCharacters(const char* data, Int32 bytes) {
  Int32 chars = 0;
  for (Int32 i = 0; i < bytes; ++i) {
    if (StartsCharacter(data[i])) ++chars;
  }
  return chars;
}

struct Piece {
  const char* data;
  Int32 bytes;
};

// A new buffer holding the pieces one after the other, with one reference;
// null when the host refuses the memory or the text would be too long.
template <typename Buffer>
Buffer* Join(Piece a, Piece b = {nullptr, 0}, Piece c = {nullptr, 0}) {
  const Int64 total = Int64{a.bytes} + b.bytes + c.bytes;
  if (total > LIMIT<Int32>::MAX - static_cast<Int64>(sizeof(Buffer)) - 1) return nullptr;
  void* block = vitrel::host::AllocateClear(static_cast<Int64>(sizeof(Buffer)) + total + 1);
  if (block == nullptr) return nullptr;
  auto* buffer = new (block) Buffer{};
  buffer->refs = 1;
  buffer->bytes = static_cast<Int32>(total);
  char* out = buffer->data();
  for (const Piece& piece : {a, b, c}) {
    if (piece.bytes > 0) std::memcpy(out, piece.data, static_cast<size_t>(piece.bytes));
    out += piece.bytes;
  }
  buffer->chars = CountCharacters(buffer->data(), buffer->bytes);
  return buffer;
}

}  // namespace

String::String(const char* utf8)
    : String(utf8, utf8 == nullptr ? 0 : static_cast<Int32>(std::strlen(utf8))) {}

String::String(const char* data, Int32 length) {
  if (data == nullptr || length <= 0) return;
  buffer_ = Join<Buffer>({data, length});
  incomplete_ = buffer_ == nullptr;
}

String::String(const String& other) : buffer_(other.buffer_), incomplete_(other.incomplete_) {
  if (buffer_ != nullptr) ++buffer_->refs;
}

String::String(String&& other) noexcept : buffer_(other.buffer_), incomplete_(other.incomplete_) {
  other.buffer_ = nullptr;
  other.incomplete_ = false;
}

String& String::operator=(const String& other) {
  if (other.buffer_ != nullptr) ++other.buffer_->refs;
  Buffer* old = buffer_;
  buffer_ = other.buffer_;
  incomplete_ = other.incomplete_;
  if (old != nullptr && --old->refs == 0) DeleteMem(old);
  return *this;
}

String& String::operator=(String&& other) noexcept {
  if (this != &other) {
    if (buffer_ != nullptr && --buffer_->refs == 0) DeleteMem(buffer_);
    buffer_ = other.buffer_;
    incomplete_ = other.incomplete_;
    other.buffer_ = nullptr;
    other.incomplete_ = false;
  }
  return *this;
}

String::~String() {
  if (buffer_ != nullptr && --buffer_->refs == 0) DeleteMem(buffer_);
}

Int String::GetLength() const { return buffer_ == nullptr ? 0 : buffer_->chars; }

Bool String::IsEmpty() const { return buffer_ == nullptr; }

Bool String::Insert(Int position, const String& text) {
  incomplete_ = incomplete_ || text.incomplete_;
  if (text.buffer_ == nullptr) return IsComplete();
  if (buffer_ == nullptr) {
    const Bool incomplete = incomplete_;
    *this = text;
    incomplete_ = incomplete_ || incomplete;
    return IsComplete();
  }
  // The byte offset of the character at `position`, clamped to the text.
  const char* data = buffer_->data();
  Int32 offset = 0;
  for (Int32 chars = 0; offset < buffer_->bytes; ++offset) {
    if (StartsCharacter(data[offset]) && chars++ == position) break;
  }
  if (position <= 0) offset = 0;
  Buffer* joined = Join<Buffer>({data, offset}, {text.buffer_->data(), text.buffer_->bytes},
                                {data + offset, buffer_->bytes - offset});
  if (joined == nullptr) {
    incomplete_ = true;
    return false;
  }
  if (--buffer_->refs == 0) DeleteMem(buffer_);
  buffer_ = joined;
  return IsComplete();
}

String& String::operator+=(const String& text) {
  Insert(GetLength(), text);
  return *this;
}

String operator+(const String& a, const String& b) {
  String joined = a;
  joined += b;
  return joined;
}

Bool operator==(const String& a, const String& b) {
  const VtText x = a.ToText(), y = b.ToText();
  return x.length == y.length &&
         (x.length == 0 || std::memcmp(x.data, y.data, static_cast<size_t>(x.length)) == 0);
}

VtText String::ToText() const {
  if (buffer_ == nullptr) return {"", 0};
  return {buffer_->data(), buffer_->bytes};
}

String String::FromText(VtText text) { return String(text.data, text.length); }
