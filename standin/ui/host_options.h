// Choices the host's user makes for the whole process.
#pragma once

namespace standin {

struct HostOptions {
  // Files the plug-in asks to open are only recorded unless this is set
  // (the command line's --open-files).
  bool open_files = false;
};

inline HostOptions& TheHostOptions() {
  static HostOptions options;
  return options;
}

}  // namespace standin
