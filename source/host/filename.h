// The host's file-name value: a path the host understands, made from text
// and joined component by component with the host's own separator. A file
// name the host could not make, or made from incomplete text, is empty: it
// converts to empty text, and whatever is joined onto it stays empty, so a
// missing part never leaves a path to some other file.
#pragma once

#include "host/host_string.h"
#include "vitrel_host_abi.h"

class Filename {
 public:
  Filename() = default;
  explicit Filename(const String& path);
  Filename(const Filename& other);
  Filename(Filename&& other) noexcept;
  Filename& operator=(const Filename& other);
  Filename& operator=(Filename&& other) noexcept;
  ~Filename();

  // A copy of a file name that the host owns.
  static Filename FromHost(const VtFilename* name);

  // True when the name holds a path.
  Bool IsPopulated() const;
  String GetString() const;
  void SetString(const String& path);
  // Appends `component` as a further path component. The path becomes empty
  // when it has no host name, when `component` has none, or when the host
  // refuses the join.
  Filename& operator+=(const Filename& component);

  // The host's handle; null for an empty file name.
  const VtFilename* handle() const { return handle_; }

 private:
  VtFilename* handle_ = nullptr;
};
