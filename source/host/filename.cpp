#include "host/filename.h"

#include <utility>

#include "host/host_table.h"

namespace {

using vitrel::host::FileOps;

VtFilename* CopyOf(const VtFilename* name) {
  return name != nullptr ? FileOps().filename_copy(name) : nullptr;
}

void Release(VtFilename*& name) {
  if (name != nullptr) FileOps().filename_free(name);
  name = nullptr;
}

}  // namespace

Filename::Filename(const String& path)
    : handle_(path.IsComplete() ? FileOps().filename_alloc(path.ToText()) : nullptr) {}

Filename::Filename(const Filename& other) : handle_(CopyOf(other.handle_)) {}

Filename::Filename(Filename&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

Filename& Filename::operator=(const Filename& other) {
  if (this != &other) {
    VtFilename* copy = CopyOf(other.handle_);
    Release(handle_);
    handle_ = copy;
  }
  return *this;
}

Filename& Filename::operator=(Filename&& other) noexcept {
  if (this != &other) {
    Release(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

Filename::~Filename() {
  if (handle_ != nullptr && vitrel::host::IsBound()) FileOps().filename_free(handle_);
}

Filename Filename::FromHost(const VtFilename* name) {
  Filename copy;
  copy.handle_ = CopyOf(name);
  return copy;
}

Bool Filename::IsPopulated() const {
  return handle_ != nullptr && FileOps().filename_get_text(handle_).length > 0;
}

String Filename::GetString() const {
  return handle_ != nullptr ? String::FromText(FileOps().filename_get_text(handle_)) : String();
}

void Filename::SetString(const String& path) {
  // A path the host cannot make, or incomplete text, leaves the old one in
  // place.
  if (!path.IsComplete()) return;
  VtFilename* made = FileOps().filename_alloc(path.ToText());
  if (made == nullptr) return;
  Release(handle_);
  handle_ = made;
}

Filename& Filename::operator+=(const Filename& component) {
  if (handle_ == nullptr) return *this;
  if (component.handle_ == nullptr || FileOps().filename_append(handle_, component.handle_) == 0) {
    Release(handle_);
  }
  return *this;
}
