#include "host/host_table.h"

namespace vitrel::host {
namespace {

const VtHostTable* g_table = nullptr;

template <typename Ops>
bool Covers(const Ops* ops) {
  return ops != nullptr && ops->size >= sizeof(Ops);
}

}  // namespace

bool Bind(const VtHostTable* table) {
  if (table == nullptr || table->abi_version != VT_ABI_VERSION || table->size < sizeof(VtHostTable)) return false;
  if (!Covers(table->memory) || !Covers(table->scene) || !Covers(table->ui) || !Covers(table->files) ||
      !Covers(table->plugins)) {
    return false;
  }
  g_table = table;
  return true;
}

void Unbind() { g_table = nullptr; }

bool IsBound() { return g_table != nullptr; }

const VtHostTable& Table() { return *g_table; }

}  // namespace vitrel::host
