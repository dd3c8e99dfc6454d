// Opening a file with the system's viewer for its kind (the one platform
// call behind the host's open_with_default_app).
#pragma once

#include <string>

namespace standin {

// Starts the system's viewer on `path` without waiting for it; true when
// the viewer could be started.
bool OpenWithSystemViewer(const std::string& path);

}  // namespace standin
