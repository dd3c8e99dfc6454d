// The host's data container: a copy of an object's parameters, read and
// changed by id and set back on the object. A container that the host could
// not copy (or a default-constructed one) is empty: reads give their preset
// and writes do nothing.
#pragma once

#include "host/host_types.h"
#include "vitrel_host_abi.h"

class BaseContainer {
 public:
  BaseContainer() = default;
  explicit BaseContainer(VtContainer* owned) : handle_(owned) {}
  BaseContainer(const BaseContainer&) = delete;
  BaseContainer& operator=(const BaseContainer&) = delete;
  BaseContainer(BaseContainer&& other) noexcept;
  BaseContainer& operator=(BaseContainer&& other) noexcept;
  ~BaseContainer();

  Bool GetBool(Int32 id, Bool preset = false) const;
  Int32 GetInt32(Int32 id, Int32 preset = 0) const;
  Float GetFloat(Int32 id, Float preset = 0.0) const;
  Vector GetVector(Int32 id, const Vector& preset = Vector()) const;
  // A custom-data value stored in the container, changeable in place; null
  // when there is none of that type.
  VtCustomData* GetCustomDataType(Int32 id, Int32 datatype);

  void SetBool(Int32 id, Bool value);
  void SetInt32(Int32 id, Int32 value);
  void SetFloat(Int32 id, Float value);
  void SetVector(Int32 id, const Vector& value);

  const VtContainer* handle() const { return handle_; }

 private:
  VtContainer* handle_ = nullptr;
};
