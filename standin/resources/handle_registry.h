// Host objects that the plug-in holds through opaque handles. Every handle
// the plug-in passes back is looked up here, so a handle that was never made
// or was already freed is refused instead of used.
#pragma once

#include <memory>
#include <unordered_map>

namespace standin {

template <typename Object, typename Handle>
class HandleRegistry {
 public:
  Object* Add(std::unique_ptr<Object> object) {
    Object* added = object.get();
    live_.emplace(added, std::move(object));
    return added;
  }
  // False for a handle that is not live.
  bool Remove(const Handle* handle) { return live_.erase(Key(handle)) > 0; }
  Object* Find(const Handle* handle) const {
    auto it = live_.find(Key(handle));
    return it == live_.end() ? nullptr : it->second.get();
  }
  bool Alive(const Object* object) const { return live_.contains(object); }
  static Handle* ToHandle(Object* object) { return reinterpret_cast<Handle*>(object); }

 private:
  static const Object* Key(const Handle* handle) { return reinterpret_cast<const Object*>(handle); }
  std::unordered_map<const Object*, std::unique_ptr<Object>> live_;
};

}  // namespace standin
