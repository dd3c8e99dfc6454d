// The scene half of the host table, filled from the stand-in host's scene.
#pragma once

#include "vitrel_host_abi.h"

namespace standin {

// Every entry filled. Handles are the host's own objects: VtObject is a
// standin::Object, VtDocument a Document; arrays, translators, containers
// and custom values come from the host's handle pools and unknown ones are
// refused. Every entry survives null handles and out-of-range values.
const VtSceneOps& StandinSceneOps();

}  // namespace standin
