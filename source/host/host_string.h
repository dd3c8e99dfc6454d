// The host's text value: UTF-8, reference-counted and copied on write. Its
// storage comes from the host's allocator; when an allocation fails the text
// keeps its previous value.
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
  Int32 GetLength() const;
  Bool IsEmpty() const;
  // Inserts `text` before the character at `position` (clamped to the length).
  void Insert(Int32 position, const String& text);
  String& operator+=(const String& text);
  friend String operator+(const String& a, const String& b);
  friend Bool operator==(const String& a, const String& b);

  // A view of the bytes for host calls, valid while this text is unchanged.
  VtText ToText() const;
  static String FromText(VtText text);

 private:
  struct Buffer;
  Buffer* buffer_ = nullptr;
};
