// Objects the host lends the plug-in as opaque handles. Every handle coming
// back is looked up here first, so one that was never made or was freed
// already is refused instead of used.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>

namespace standin {

template <typename T, typename Handle>
class HandleTable {
 public:
  Handle* Add(std::unique_ptr<T> object) {
    T* raw = object.get();
    live_.emplace(raw, std::move(object));
    return reinterpret_cast<Handle*>(raw);
  }

  // The object behind `handle`, or null.
  T* Find(const Handle* handle) const {
    auto it = live_.find(reinterpret_cast<const T*>(handle));
    return it == live_.end() ? nullptr : it->second.get();
  }

  // Destroys the object behind `handle`; false when there was none.
  bool Remove(const Handle* handle) { return live_.erase(reinterpret_cast<const T*>(handle)) > 0; }

  std::size_t size() const { return live_.size(); }

 private:
  std::unordered_map<const T*, std::unique_ptr<T>> live_;
};

}  // namespace standin
