// What the host hands the plug-in's scene calls as owned handles: object
// arrays, alias translators, container copies and the custom-data values
// inside them. Each kind is kept in a pool, so that a handle the host does
// not know (stale, freed twice, or made up) is refused instead of used.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "scene/document.h"

namespace standin {

struct ObjectArray {
  std::vector<Object*> objects;
};

struct AliasTranslator {
  Document* doc = nullptr;  // set by initialisation
};

struct ContainerCopy;

// A custom-data value inside a container copy, found again by its id at each
// use, so that a value replaced since is never written through.
struct CustomDataRef {
  ContainerCopy* owner;
  int32_t id;
};

struct ContainerCopy {
  Container values;
  const Object* source = nullptr;  // the object it was copied from
  std::map<int32_t, std::unique_ptr<CustomDataRef>> customs;
};

template <class T>
class HandlePool {
 public:
  T* Make() {
    auto owned = std::make_unique<T>();
    T* handle = owned.get();
    live_.emplace(handle, std::move(owned));
    return handle;
  }
  // The live object behind `handle`, or null.
  T* Find(const void* handle) const {
    auto it = live_.find(handle);
    return it == live_.end() ? nullptr : it->second.get();
  }
  // False for a handle that is not live.
  bool Free(const void* handle) { return live_.erase(handle) > 0; }
  std::size_t size() const { return live_.size(); }

 private:
  std::unordered_map<const void*, std::unique_ptr<T>> live_;
};

class SceneHandles {
 public:
  HandlePool<ObjectArray> arrays;
  HandlePool<AliasTranslator> translators;
  HandlePool<ContainerCopy> containers;

  // The reference to the custom value `id` of `bc`; the same one each time.
  CustomDataRef* CustomRef(ContainerCopy& bc, int32_t id);
  // The live custom reference behind `handle`, or null.
  CustomDataRef* FindCustom(const void* handle) const;
  // Frees a container copy with its custom references; false when not live.
  bool FreeContainer(const void* handle);

 private:
  std::unordered_set<const void*> customs_;
};

}  // namespace standin
