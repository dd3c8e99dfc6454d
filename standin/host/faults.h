// Fault injection: every host operation that may fail asks here first, so
// tests (and later a validator) can make it fail on demand.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace standin {

enum class Fault : int {
  kAllocation,     // memory blocks handed to the plug-in
  kClone,          // object clones
  kAliasTrans,     // alias translator allocation and initialisation
  kObjectArray,    // object array allocation
  kBitmap,         // bitmap allocation
  kResource,       // resource loading
  kDialog,         // dialog and user-area allocation
  kTagData,        // writable tag-data pointers
  kFilename,       // file-name allocation
  kContainer,      // data-container copies
  kCount
};

// Which calls of each kind fail: every call from the `first`-th on (counting
// from 1), `count` calls in all (-1: all later calls). Off by default.
class FaultPlan {
 public:
  void FailFrom(Fault kind, int64_t first, int64_t count = 1);
  void Clear();
  // Counts one call of `kind` and says whether it fails.
  bool ShouldFail(Fault kind);

 private:
  struct Rule {
    int64_t calls = 0;
    int64_t first = 0;  // 0: never fails
    int64_t count = 0;
  };
  std::array<Rule, static_cast<std::size_t>(Fault::kCount)> rules_{};
};

// The fault plan of this host process.
FaultPlan& HostFaults();

}  // namespace standin
