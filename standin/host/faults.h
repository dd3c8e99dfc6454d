// Fault injection: every host operation that may fail asks here first, so
// tests (and later a validator) can make it fail on demand.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string_view>

namespace standin {

enum class Fault : int {
  kAllocation,   // memory blocks handed to the plug-in
  kClone,        // object clones
  kAliasTrans,   // alias translator allocation and initialisation
  kObjectArray,  // object array allocation
  kBitmap,       // bitmap allocation
  kResource,     // resource loading
  kDialog,       // dialog and user-area allocation
  kTagData,      // writable tag-data pointers
  kFilename,     // file-name allocation
  kContainer,    // data-container copies
  kCount
};

// How rare a failure is when calls fail at random (`--fail-seed`): one in this many.
inline constexpr uint32_t kRandomFailureOdds = 16;

// The kind that the script step `fail` names so; nothing for a name of none.
std::optional<Fault> FaultByName(std::string_view name);
// The name FaultByName takes for `kind`.
std::string_view FaultName(Fault kind);

// Which calls fail. Per kind: every call from the `first`-th on (counting
// from 1), `count` calls in all (-1: all later calls). Over all kinds: the
// `n`-th call that may fail, or each call with a chance of one in `one_in`
// drawn from a seeded sequence, the same on every system. Off by default.
class FaultPlan {
 public:
  void FailFrom(Fault kind, int64_t first, int64_t count = 1);
  void FailNthCall(int64_t n);
  void FailAtRandom(uint64_t seed, uint32_t one_in);
  void Clear();
  // Counts one call of `kind` and says whether it fails.
  bool ShouldFail(Fault kind);
  // Calls of every kind counted since the plan was cleared.
  int64_t calls() const { return calls_; }
  // The calls the plan made fail so far, and the kind of the last of them,
  // so that a refusal can be traced to what the plug-in then left out.
  int64_t failures() const { return failures_; }
  Fault last_failed_kind() const { return last_failed_kind_; }

 private:
  struct Rule {
    int64_t calls = 0;
    int64_t first = 0;  // 0: never fails
    int64_t count = 0;
  };
  std::array<Rule, static_cast<std::size_t>(Fault::kCount)> rules_{};
  int64_t calls_ = 0;
  int64_t failures_ = 0;
  Fault last_failed_kind_ = Fault::kAllocation;
  int64_t nth_ = 0;  // 0: none
  std::optional<std::mt19937_64> random_;
  uint32_t one_in_ = 0;
};

// The fault plan of this host process.
FaultPlan& HostFaults();

}  // namespace standin
