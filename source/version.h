// The modal about dialog, opened from the mirror dialog's Help menu: the
// banner, the version line and a closing button.
#pragma once

#include "banner.h"
#include "plugin_host.h"

// The version line the about dialog shows.
inline constexpr const char* VITREL_VERSION_LINE = "Current version: 1.2.0, October 26th 2021";

class VersionDialog : public GeModalDialog {
 public:
  Bool CreateLayout() override;
  Bool InitValues() override;
  Bool Command(Int32 id, const BaseContainer& msg) override;

 private:
  VersionBanner banner_;
  String versionText_;
};
