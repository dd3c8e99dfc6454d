#include "host/scene_handles.h"

namespace standin {

CustomDataRef* SceneHandles::CustomRef(ContainerCopy& bc, int32_t id) {
  std::unique_ptr<CustomDataRef>& ref = bc.customs[id];
  if (!ref) {
    ref = std::make_unique<CustomDataRef>(CustomDataRef{&bc, id});
    customs_.insert(ref.get());
  }
  return ref.get();
}

CustomDataRef* SceneHandles::FindCustom(const void* handle) const {
  if (!customs_.contains(handle)) return nullptr;
  return static_cast<CustomDataRef*>(const_cast<void*>(handle));
}

bool SceneHandles::FreeContainer(const void* handle) {
  ContainerCopy* bc = containers.Find(handle);
  if (bc == nullptr) return false;
  for (const auto& entry : bc->customs) customs_.erase(entry.second.get());
  return containers.Free(handle);
}

}  // namespace standin
