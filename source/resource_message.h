// The text written to the host's console when a dialog's description cannot
// be loaded from the plug-in's resource.
#pragma once

inline constexpr const char* VITREL_RESOURCE_FAILURE = "Vitrel: could not load resource file.";
