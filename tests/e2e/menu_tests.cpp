// The mirror dialog's menus, its banner, and a plug-in folder whose resource
// file lacks a dialog description.
#include <fstream>
#include <string>
#include <vector>

#include "draw/picture.h"
#include "resources/picture_codec.h"
#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

using EndToEndMenus = StandinTest;

std::vector<std::string> Texts(const std::vector<rapidjson::Document>& events, const char* key) {
  std::vector<std::string> texts;
  for (const rapidjson::Document& event : events) texts.emplace_back(event[key].GetString());
  return texts;
}

// The dialogs opened, as "ID modal|non-modal shown|failed"; the id is that
// of the description loaded ("none" when none loaded).
std::vector<std::string> Openings(const std::vector<rapidjson::Document>& events) {
  std::vector<std::string> openings;
  for (const rapidjson::Document& event : events) {
    const std::string id = event["id"].IsInt() ? std::to_string(event["id"].GetInt()) : "none";
    openings.push_back(id + (event["modal"].GetBool() ? " modal" : " non-modal") +
                       (event["result"].GetBool() ? " shown" : " failed"));
  }
  return openings;
}

TEST_F(EndToEndMenus, EachMenuEntryDoesItsOwnThing) {
  // The host names the manual by the system's own separators.
  const std::string pdf = (Plugins() / "vitrel" / "Vitrel.pdf").make_preferred().string();
  ASSERT_TRUE(fs::exists(pdf));

  ASSERT_EQ(Script("command 1024416\npress 6000\n").status, 0);
  EXPECT_EQ(Openings(Events("dialog.open")),
            (std::vector<std::string>{"10001 non-modal shown", "10024 modal shown"}));

  ASSERT_EQ(Script("command 1024416\npress 6001\n").status, 0);
  EXPECT_EQ(Texts(Events("open-file"), "path"), std::vector<std::string>{pdf});
  // Memory refused while the manual's path is built opens no other file.
  for (int first = 1; first <= 4; ++first) {
    ASSERT_EQ(Script("command 1024416\nfail allocation " + std::to_string(first) + "\npress 6001\n").status,
              0);
    EXPECT_EQ(Texts(Events("open-file"), "path"), std::vector<std::string>(first / 4, pdf)) << first;
  }

  ASSERT_EQ(Script("command 1024416\npress 6002\n").status, 0);
  const std::vector<rapidjson::Document> about = Events("dialog.open");
  ASSERT_EQ(Openings(about), (std::vector<std::string>{"10001 non-modal shown", "10026 modal shown"}));
  EXPECT_EQ(about[1]["gadgets"]["10028"]["value"].GetString(), kVersionLine);

  // Closing from the File menu: the window is gone, so a later step that
  // needs it is refused.
  const ProgramRun closed = Script("command 1024416\npress 6010\ndump-dialog dump.json\n");
  EXPECT_EQ(closed.status, 2);
  EXPECT_NE(closed.err.find("steps.txt:3: no dialog is open"), std::string::npos) << closed.err;
  EXPECT_EQ(Events("dialog.close").size(), 1u);

  // None of them touched the scene.
  for (const int entry : {6000, 6001, 6002, 6010}) {
    ASSERT_EQ(Script("command 1024416\npress " + std::to_string(entry) + "\n").status, 0);
    EXPECT_EQ(Events("undo.start").size(), 0u) << entry;
    EXPECT_EQ(Events("console").size(), 0u) << entry;
  }
}

TEST_F(EndToEndMenus, BannerFillsExactlyItsGadget) {
  // The built banner at the gadget's own size is the picture itself.
  ASSERT_EQ(Script("command 1024416\nsave-canvas 10002 canvas.tif\n").status, 0);
  standin::Picture banner, canvas;
  std::string error;
  ASSERT_TRUE(standin::ReadPicture(Plugins() / "vitrel" / "res" / "banner.tif", banner, error)) << error;
  ASSERT_TRUE(standin::ReadPicture(File("canvas.tif"), canvas, error)) << error;
  ASSERT_EQ(canvas.width(), banner.width());
  ASSERT_EQ(canvas.height(), banner.height());
  for (int32_t y = 0; y < canvas.height(); ++y) {
    for (int32_t x = 0; x < canvas.width(); ++x)
      ASSERT_EQ(canvas.at(x, y), banner.at(x, y)) << x << ", " << y;
  }

  // A name ending in .png, in any case, gets a PNG picture instead.
  ASSERT_EQ(Script("command 1024416\nsave-canvas 10002 canvas.PNG\n").status, 0);
  EXPECT_EQ(ReadText(File("canvas.PNG")).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

  // A banner of two colours, left and right, stretched to any size: every
  // pixel of the gadget painted, the halves where they belong.
  const standin::Rgba left{255, 0, 0, 255}, right{0, 0, 255, 255};
  const fs::path plugins = PluginsCopy();
  standin::Picture halves(4, 2, left);
  for (int32_t y = 0; y < 2; ++y) halves.at(2, y) = halves.at(3, y) = right;
  std::string bytes;
  ASSERT_TRUE(standin::EncodePicture(halves, bytes, error)) << error;
  WriteText(plugins / "vitrel" / "res" / "banner.tif", bytes);
  struct Size {
    int32_t width, height;
  };
  for (const Size size : {Size{400, 80}, Size{37, 13}, Size{1, 1}, Size{900, 3}}) {
    SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
    const std::string resize =
        "resize 10002 " + std::to_string(size.width) + " " + std::to_string(size.height) + "\n";
    ASSERT_EQ(Script("command 1024416\n" + resize + "save-canvas 10002 canvas.tif\n",
                     {"--plugins", plugins.string()})
                  .status,
              0);
    ASSERT_TRUE(standin::ReadPicture(File("canvas.tif"), canvas, error)) << error;
    ASSERT_EQ(canvas.width(), size.width);
    ASSERT_EQ(canvas.height(), size.height);
    for (int32_t y = 0; y < canvas.height(); ++y) {
      for (int32_t x = 0; x < canvas.width(); ++x) {
        const standin::Rgba pixel = canvas.at(x, y);
        ASSERT_TRUE(pixel == left || pixel == right) << x << ", " << y;
        // A pixel wholly on one side of the middle shows that side's colour.
        if (2 * x + 2 <= size.width) {
          ASSERT_EQ(pixel, left) << x << ", " << y;
        } else if (2 * x >= size.width) {
          ASSERT_EQ(pixel, right) << x << ", " << y;
        }
      }
    }
  }
}

// The plug-in folder with `dialog` left out of its resource file.
fs::path WithoutDescription(const fs::path& plugins, int dialog) {
  const fs::path file = plugins / "vitrel" / "res" / "dialogs.res";
  std::ifstream in(file);
  std::string kept;
  bool skipping = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("DIALOG " + std::to_string(dialog) + " ", 0) == 0) skipping = true;
    if (!skipping) kept += line + "\n";
    if (skipping && line == "}") skipping = false;
  }
  in.close();
  std::ofstream(file) << kept;
  return plugins;
}

TEST_F(EndToEndMenus, MissingHelpDescriptionFailsOnlyThatDialog) {
  const fs::path plugins = WithoutDescription(PluginsCopy(), 10024);
  const ProgramRun run = Script("load " + Example("arm.json").string() +
                                    "\ncommand 1024416\npress 6000\npress 6000\npress 6002\nset 10008 "
                                    "true\npress 10022\nsave out.json\n",
                                {"--plugins", plugins.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Texts(Events("console"), "text"), (std::vector<std::string>{kNoResource, kNoResource}));
  EXPECT_EQ(Openings(Events("dialog.open")),
            (std::vector<std::string>{"10001 non-modal shown", "none modal failed", "none modal failed",
                                      "10026 modal shown"}));
  // The mirror still runs: a duplicate on top of the original.
  const rapidjson::Document out = ReadJson(File("out.json"));
  ASSERT_EQ(out["objects"].Size(), 2u);
  EXPECT_STREQ(out["objects"][0]["name"].GetString(), "Arm_mirror");
}

TEST_F(EndToEndMenus, MissingMirrorDescriptionShowsNoDialog) {
  const fs::path plugins = WithoutDescription(PluginsCopy(), 10001);
  const ProgramRun run = Standin({"mirror", Example("arm.json").string(), "--plugins", plugins.string(),
                                  "--out", "out.json", "--journal", journal().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("opened no dialog"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(File("out.json")));
  EXPECT_EQ(Texts(Events("console"), "text"), std::vector<std::string>{kNoResource});
}

}  // namespace
}  // namespace vitrel::e2e
