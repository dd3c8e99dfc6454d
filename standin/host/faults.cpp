#include "host/faults.h"

#include <iterator>

namespace standin {

namespace {

// In the order of the kinds.
constexpr const char* kNames[] = {"allocation", "clone",  "alias",   "array",    "bitmap",
                                  "resource",   "dialog", "tagdata", "filename", "container"};
static_assert(std::size(kNames) == static_cast<std::size_t>(Fault::kCount));

}  // namespace

std::optional<Fault> FaultByName(std::string_view name) {
  for (std::size_t kind = 0; kind < std::size(kNames); ++kind) {
    if (name == kNames[kind]) return static_cast<Fault>(kind);
  }
  return std::nullopt;
}

std::string_view FaultName(Fault kind) { return kNames[static_cast<std::size_t>(kind)]; }

void FaultPlan::FailFrom(Fault kind, int64_t first, int64_t count) {
  Rule& rule = rules_[static_cast<std::size_t>(kind)];
  rule.first = rule.calls + first;
  rule.count = count;
}

void FaultPlan::FailNthCall(int64_t n) { nth_ = n > 0 ? calls_ + n : 0; }

void FaultPlan::FailAtRandom(uint64_t seed, uint32_t one_in) {
  random_.emplace(seed);
  one_in_ = one_in;
}

void FaultPlan::Clear() { *this = FaultPlan(); }

bool FaultPlan::ShouldFail(Fault kind) {
  ++calls_;
  Rule& rule = rules_[static_cast<std::size_t>(kind)];
  ++rule.calls;
  // The random sequence advances on every call, so a seed picks the same
  // calls whatever the other rules decide.
  const bool random = random_ && one_in_ > 0 && (*random_)() % one_in_ == 0;
  const bool ruled =
      rule.first != 0 && rule.calls >= rule.first && (rule.count < 0 || rule.calls < rule.first + rule.count);
  if (!random && calls_ != nth_ && !ruled) return false;
  ++failures_;
  last_failed_kind_ = kind;
  return true;
}

FaultPlan& HostFaults() {
  static FaultPlan plan;
  return plan;
}

}  // namespace standin
