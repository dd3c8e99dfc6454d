// The host's text value: UTF-8, reference-counted and copied on write. Its
// storage comes from the host's allocator. When an allocation fails the text
// keeps its previous value and is marked incomplete, and so is every text
// copied or built from it: a caller that needs the text checks IsComplete()
// and leaves out the step that would use it.
#pragma once

#include "host/host_types.h"
#include "vitrel_host_abi.h"

class String {
 public:
  String() = default;
  String(const char* utf8);  // NOLINT: literals convert implicitly, as in the host's own text type
  String(const char* data, Int32 length);
  String(const String& other);
  String(String&& other) noexcept;
  String& operator=(const String& other);
  String& operator=(String&& other) noexcept;
  ~String();

  // Length in characters (Unicode code points).
  Int GetLength() const;
  Bool IsEmpty() const;
  // False when the host refused memory while this text or one it was built
  // from was made: the text is then not the one the code asked for.
  Bool IsComplete() const { return !incomplete_; }
  // Inserts `text` before the character at `position` (clamped to the
  // length). False when the result is incomplete.
  Bool Insert(Int position, const String& text);
  String& operator+=(const String& text);
  friend String operator+(const String& a, const String& b);
  friend Bool operator==(const String& a, const String& b);

  // A view of the bytes for host calls, valid while this text is unchanged.
  VtText ToText() const;
  static String FromText(VtText text);

 private:
  struct Buffer;
  Buffer* buffer_ = nullptr;
  Bool incomplete_ = false;
};
