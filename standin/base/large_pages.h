// Asking the system to back large buffers with large memory pages.
#pragma once

#include <cstddef>

namespace standin {

// Advises the system that the `size` bytes at `data`, freshly allocated and
// not yet written, are best backed by large pages: each small page first
// written costs a page fault, and for the tens of megabytes of a large scene
// those faults can take longer than reading the scene itself. Only advice:
// nothing changes where the system does not support it.
void AdviseLargePages(void* data, size_t size);

}  // namespace standin
