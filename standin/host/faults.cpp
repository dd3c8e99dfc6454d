#include "host/faults.h"

namespace standin {

void FaultPlan::FailFrom(Fault kind, int64_t first, int64_t count) {
  Rule& rule = rules_[static_cast<std::size_t>(kind)];
  rule.first = rule.calls + first;
  rule.count = count;
}

void FaultPlan::Clear() { rules_ = {}; }

bool FaultPlan::ShouldFail(Fault kind) {
  Rule& rule = rules_[static_cast<std::size_t>(kind)];
  ++rule.calls;
  if (rule.first == 0 || rule.calls < rule.first) return false;
  return rule.count < 0 || rule.calls < rule.first + rule.count;
}

FaultPlan& HostFaults() {
  static FaultPlan plan;
  return plan;
}

}  // namespace standin
