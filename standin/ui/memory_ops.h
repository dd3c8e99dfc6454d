// Memory blocks the plug-in allocates through the host.
#pragma once

#include <cstddef>

#include "vitrel_host_abi.h"

namespace standin {

void FillMemoryOps(VtMemoryOps& ops);

// Blocks handed out and not yet freed.
std::size_t LiveMemoryBlocks();

}  // namespace standin
