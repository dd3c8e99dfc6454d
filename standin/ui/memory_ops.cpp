#include "ui/memory_ops.h"

#include <cstdlib>
#include <unordered_set>

#include "host/faults.h"
#include "host/plugin_calls.h"

namespace standin {
namespace {

// Larger requests are refused rather than passed on: no plug-in block comes
// near this, and a size read from garbage should fail, not take the machine.
constexpr int64_t kLargestBlock = int64_t{1} << 36;

// The blocks handed out, so that freeing a foreign or freed pointer is
// ignored instead of corrupting the heap.
std::unordered_set<void*>& Blocks() {
  static std::unordered_set<void*> blocks;
  return blocks;
}

void* Alloc(int64_t bytes) {
  if (bytes < 0 || bytes > kLargestBlock || HostFaults().ShouldFail(Fault::kAllocation)) return nullptr;
  // A block of no bytes is still a distinct block the caller frees.
  void* block = std::calloc(bytes == 0 ? 1 : static_cast<std::size_t>(bytes), 1);
  if (block != nullptr) Blocks().insert(block);
  return block;
}

void Free(void* block) {
  if (block != nullptr && Blocks().erase(block) > 0) std::free(block);
}

}  // namespace

void FillMemoryOps(VtMemoryOps& ops) {
  ops.alloc = Checked<Alloc>;
  ops.free = Checked<Free>;
}

std::size_t LiveMemoryBlocks() { return Blocks().size(); }

}  // namespace standin
