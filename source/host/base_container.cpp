#include "host/base_container.h"

#include "host/base_object.h"
#include "host/host_table.h"

using vitrel::host::FromHost;
using vitrel::host::SceneOps;
using vitrel::host::ToHost;

BaseContainer::BaseContainer(BaseContainer&& other) noexcept : handle_(other.handle_) {
  other.handle_ = nullptr;
}

BaseContainer& BaseContainer::operator=(BaseContainer&& other) noexcept {
  if (this != &other) {
    if (handle_ != nullptr) SceneOps().container_free(handle_);
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

BaseContainer::~BaseContainer() {
  if (handle_ != nullptr && vitrel::host::IsBound()) SceneOps().container_free(handle_);
}

Bool BaseContainer::GetBool(Int32 id, Bool preset) const {
  if (handle_ == nullptr) return preset;
  return SceneOps().container_get_bool(handle_, id, preset ? 1 : 0) != 0;
}

Int32 BaseContainer::GetInt32(Int32 id, Int32 preset) const {
  if (handle_ == nullptr) return preset;
  return SceneOps().container_get_int32(handle_, id, preset);
}

Float BaseContainer::GetFloat(Int32 id, Float preset) const {
  if (handle_ == nullptr) return preset;
  return SceneOps().container_get_float(handle_, id, preset);
}

Vector BaseContainer::GetVector(Int32 id, const Vector& preset) const {
  if (handle_ == nullptr) return preset;
  const VtVector host_preset = ToHost(preset);
  VtVector out = host_preset;
  SceneOps().container_get_vector(handle_, id, &host_preset, &out);
  return FromHost(out);
}

const CustomDataType* BaseContainer::GetCustomDataType(Int32 id, Int32 datatype) const {
  if (handle_ == nullptr) return nullptr;
  return reinterpret_cast<const CustomDataType*>(SceneOps().container_get_custom(handle_, id, datatype));
}

void BaseContainer::SetBool(Int32 id, Bool value) {
  if (handle_ != nullptr) SceneOps().container_set_bool(handle_, id, value ? 1 : 0);
}

void BaseContainer::SetInt32(Int32 id, Int32 value) {
  if (handle_ != nullptr) SceneOps().container_set_int32(handle_, id, value);
}

void BaseContainer::SetFloat(Int32 id, Float value) {
  if (handle_ != nullptr) SceneOps().container_set_float(handle_, id, value);
}

void BaseContainer::SetVector(Int32 id, const Vector& value) {
  if (handle_ == nullptr) return;
  const VtVector host = ToHost(value);
  SceneOps().container_set_vector(handle_, id, &host);
}
