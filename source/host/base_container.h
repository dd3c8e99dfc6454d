// The host's data container: a copy of an object's parameters, read and
// changed by id and set back on the object. A container that the host could
// not copy (or a default-constructed one) is not valid: it holds none of the
// object's values, so its reads give only their preset and its writes do
// nothing. A caller that needs the values checks IsValid() first and leaves
// its step out without them.
#pragma once

#include "host/host_types.h"
#include "vitrel_host_abi.h"

// A custom-data value held in a container: the host's handle to it.
class CustomDataType {
 public:
  CustomDataType() = delete;
  ~CustomDataType() = delete;
  VtCustomData* handle() const { return reinterpret_cast<VtCustomData*>(const_cast<CustomDataType*>(this)); }
};

class BaseContainer {
 public:
  BaseContainer() = default;
  explicit BaseContainer(VtContainer* owned) : handle_(owned) {}
  BaseContainer(const BaseContainer&) = delete;
  BaseContainer& operator=(const BaseContainer&) = delete;
  BaseContainer(BaseContainer&& other) noexcept;
  BaseContainer& operator=(BaseContainer&& other) noexcept;
  ~BaseContainer();

  // True when the container holds a copy that the host made.
  Bool IsValid() const { return handle_ != nullptr; }

  Bool GetBool(Int32 id, Bool preset = false) const;
  Int32 GetInt32(Int32 id, Int32 preset = 0) const;
  Float GetFloat(Int32 id, Float preset = 0.0) const;
  Vector GetVector(Int32 id, const Vector& preset = Vector()) const;
  // A custom-data value stored in the container; null when there is none of
  // that type. The value belongs to this container, and the host's own
  // libraries change it in place.
  const CustomDataType* GetCustomDataType(Int32 id, Int32 datatype) const;

  void SetBool(Int32 id, Bool value);
  void SetInt32(Int32 id, Int32 value);
  void SetFloat(Int32 id, Float value);
  void SetVector(Int32 id, const Vector& value);

  const VtContainer* handle() const { return handle_; }

 private:
  VtContainer* handle_ = nullptr;
};
