// Marks the few symbols the plug-in library exports; everything else stays
// hidden. The one place that knows how each platform spells it.
#pragma once

#if defined(_WIN32)
#define VT_EXPORT extern "C" __declspec(dllexport)
#else
#define VT_EXPORT extern "C" __attribute__((visibility("default")))
#endif
