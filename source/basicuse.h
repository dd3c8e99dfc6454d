// The modal dialog with the usage notes, opened from the mirror dialog's
// Help menu. Its whole layout and texts come from the resource.
#pragma once

#include "banner.h"
#include "plugin_host.h"

class BasicUseDialog : public GeModalDialog {
 public:
  Bool CreateLayout() override;
  Bool InitValues() override;
  Bool Command(Int32 id, const BaseContainer& msg) override;

 private:
  UsageBanner banner_;
};
