// The pictures at the top of the plug-in's dialogs. Each banner loads one
// picture from the plug-in's "res" folder when the host initialises it and
// draws it stretched over the whole gadget.
#pragma once

#include "plugin_host.h"

class PictureBanner : public GeUserArea {
 public:
  ~PictureBanner() override;

  Bool Init() override;
  void DrawMsg(Int32 x1, Int32 y1, Int32 x2, Int32 y2, const BaseContainer& msg) override;

  // The picture's full path once Init has run; empty before.
  const Filename& GetPath() const { return path_; }

 protected:
  // `picture` is the picture's file name inside the "res" folder; it must
  // outlive the banner (a literal).
  explicit PictureBanner(const char* picture);

 private:
  const char* picture_;
  BaseBitmap* bitmap_ = nullptr;  // null when the host had no bitmap to give
  Filename path_;
};

// The main dialog's banner.
class Banner : public PictureBanner {
 public:
  Banner() : PictureBanner("banner.tif") {}
};

// The simple usage dialog's banner.
class UsageBanner : public PictureBanner {
 public:
  UsageBanner() : PictureBanner("usage.tif") {}
};

// The about dialog's banner.
class VersionBanner : public PictureBanner {
 public:
  VersionBanner() : PictureBanner("version.tif") {}
};
