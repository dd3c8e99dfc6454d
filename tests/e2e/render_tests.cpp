// Scene pictures as a user makes them: `standin render` and the
// before-and-after picture of `standin mirror --picture`, read back pixel
// by pixel where the frame says a point lands.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "draw/coverage_raster.h"
#include "render/scene_drawing.h"
#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

using standin::BeforeAfterLayout;
using standin::Box3;
using standin::ViewFrame;

constexpr standin::View kAllViews[] = {standin::View::kFront, standin::View::kTop, standin::View::kSide};

struct Png {
  int width = 0, height = 0;
  std::shared_ptr<unsigned char> pixels;

  // The RGB, as 0xRRGGBB, of the pixel where `world` lands in `frame`, or
  // of pixel (x, y).
  uint32_t At(const ViewFrame& frame, standin::Vec3 world) const {
    const auto [x, y] = frame.ToPixel(world);
    return At(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  }
  uint32_t At(int x, int y) const {
    const unsigned char* p = pixels.get() + (static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 4;
    return uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
  }
};

Png DecodePng(const std::string& bytes) {
  Png png;
  int channels = 0;
  png.pixels.reset(
      stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                            static_cast<int>(bytes.size()), &png.width, &png.height, &channels, 4),
      stbi_image_free);
  EXPECT_NE(png.pixels, nullptr) << "not a PNG";
  return png;
}

// The dashed mirror plane's colour: strong red and blue, little green.
bool IsPlane(uint32_t rgb) { return (rgb >> 16) > 180 && ((rgb >> 8) & 0xFF) < 90 && (rgb & 0xFF) > 90; }

// How many pixels of the frame's plot show the plane; with `x`, only those
// within two pixels of where world x = `x` lands.
int PlanePixels(const Png& png, const ViewFrame& frame, std::optional<double> x = {}) {
  const standin::PixelRect plot = frame.plot();
  int left = plot.x, right = plot.x + plot.width - 1;
  if (x) {
    const int column = static_cast<int>(std::floor(frame.ToPixel({*x, 0, 0})[0]));
    left = std::max(left, column - 2);
    right = std::min(right, column + 2);
  }
  int count = 0;
  for (int y = plot.y; y < plot.y + plot.height; ++y) {
    for (int i = left; i <= right; ++i) count += IsPlane(png.At(i, y)) ? 1 : 0;
  }
  return count;
}

using ScenePictures = StandinTest;

TEST_F(ScenePictures, MirrorPictureDrawsThePlaneTheRunMirroredAcross) {
  // Arm lies one unit right of its parent Base at x = 5; Mark, at x = -7,
  // keeps the world's x = 0 in every frame. In place, Arm is mirrored in
  // Base's space (plane x = 5, Arm to x = 4); its copy goes to the top level
  // and is mirrored across the world's plane (x = 0, the copy to x = -6).
  WriteText(File("scene.json"), R"({"format": "vitrel-scene", "version": 1, "objects": [
    {"name": "Mark", "type": 5140, "matrix": [-7, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1]},
    {"name": "Base", "type": 5140, "matrix": [5, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1], "children": [
      {"name": "Arm", "type": 5140, "matrix": [1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1], "selected": true}]}]})");
  for (const bool copy : {false, true}) {
    SCOPED_TRACE(copy ? "copy" : "in place");
    std::vector<std::string> args = {"mirror", "scene.json", "--picture", "picture.png", "--out", "out.json"};
    if (copy) args.push_back("--duplicate");
    ASSERT_EQ(Standin(args).status, 0);
    const Png png = DecodePng(ReadText(File("picture.png")));
    Box3 bounds;
    for (const double x : {-7.0, 5.0, 6.0, copy ? -6.0 : 4.0}) bounds.Add(standin::Vec3{x, 0, 0});
    const standin::BeforeAfterFrames frames = BeforeAfterLayout(bounds, png.width, png.height);
    for (const ViewFrame* frame : {&frames.before[0], &frames.after[0]}) {
      EXPECT_EQ(PlanePixels(png, *frame, 0) > 0, copy);
      EXPECT_EQ(PlanePixels(png, *frame, 5) > 0, !copy);
    }
  }
}

TEST_F(ScenePictures, MirrorPictureShowsEachObjectWhereItWasAndWhereItWent) {
  // A null at x = 1 with a child one unit above it, mirrored across the
  // world's X: before, both lie at x = 1; after, at x = -1.
  WriteText(File("scene.json"), R"({"format": "vitrel-scene", "version": 1, "objects": [
    {"name": "Arm", "type": 5140, "matrix": [1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1], "selected": true,
     "children": [{"name": "Hand", "type": 5140, "matrix": [0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1]}]}]})");
  const ProgramRun run =
      Standin({"mirror", "scene.json", "--picture", "before-after.png", "--out", "out.json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Png png = DecodePng(ReadText(File("before-after.png")));
  ASSERT_EQ(png.width, standin::kBeforeAfterWidth);
  ASSERT_EQ(png.height, standin::kBeforeAfterHeight);

  Box3 bounds;
  for (const standin::Vec3 at : {standin::Vec3{1, 0, 0}, {1, 1, 0}, {-1, 0, 0}, {-1, 1, 0}}) bounds.Add(at);
  const standin::BeforeAfterFrames frames = BeforeAfterLayout(bounds, png.width, png.height);
  // Front and top views show X; both panels of a row share one frame, so
  // the same spot differs between them only by what lies there.
  for (const size_t view : {0u, 1u}) {
    SCOPED_TRACE(view);
    const ViewFrame& before = frames.before[view];
    const ViewFrame& after = frames.after[view];
    for (const double y : {0.0, view == 0 ? 1.0 : 0.0}) {
      const standin::Vec3 was{1, y, 0}, went{-1, y, 0};
      EXPECT_NE(png.At(before, was), 0xFFFFFFu);
      EXPECT_NE(png.At(before, was), png.At(after, was)) << "the after panel still shows the object at x = 1";
      EXPECT_NE(png.At(after, went), 0xFFFFFFu);
      EXPECT_NE(png.At(after, went), png.At(before, went)) << "the before panel already shows it at x = -1";
    }
    // The plane x = 0 is seen edge-on in both: a dashed line at x = 0.
    EXPECT_GT(PlanePixels(png, before), 0);
    EXPECT_GT(PlanePixels(png, after), 0);
  }
  // The side view looks straight along the plane's normal: no plane there.
  EXPECT_EQ(PlanePixels(png, frames.before[2]), 0);
  EXPECT_EQ(PlanePixels(png, frames.after[2]), 0);
}

TEST_F(ScenePictures, RenderDrawsEveryExampleTheSameEveryTime) {
  for (const std::string name : {"arm.json", "lattice.json", "spline.json", "mixed-hierarchy.json",
                                 "polygon.json", "spline-primitives.json", "light-and-camera.json"}) {
    SCOPED_TRACE(name);
    const ProgramRun run = Standin({"render", Example(name).string(), "--out", "first.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(Standin({"render", Example(name).string(), "--out", "second.png"}).status, 0);
    EXPECT_EQ(ReadText(File("first.png")), ReadText(File("second.png")));
  }
  ASSERT_EQ(Standin({"render", Example("arm.json").string(), "--view", "top", "--size", "300,200", "--out",
                     "top.png"})
                .status,
            0);
  const Png top = DecodePng(ReadText(File("top.png")));
  EXPECT_EQ(top.width, 300);
  EXPECT_EQ(top.height, 200);
}

// The rasteriser's work stays within what can be seen, never the strokes
// times the pixels: thousands of copies of one large triangle cost about
// what one does, and so do thousands of triangles far smaller than a pixel
// crowded into one spot.
TEST(ScenePictureCost, ManyStrokesCostNoMoreThanWhatCanBeSeen) {
  constexpr uint32_t kCopies = 4000;
  const auto work_of = [](const standin::SceneShapes& shapes) {
    const int64_t before = standin::CoverageRaster::PixelsSwept();
    EXPECT_EQ(standin::DrawScene(shapes, kAllViews, 3000, 1000).width(), 3000);
    return standin::CoverageRaster::PixelsSwept() - before;
  };
  const auto add_triangle = [](standin::SceneShapes& shapes, standin::Vec3 at, double size) {
    const auto first = static_cast<uint32_t>(shapes.points.size());
    for (const standin::Vec3 corner :
         {at, {at.x + size, at.y, at.z + size * 0.3}, {at.x, at.y + size, at.z + size}}) {
      shapes.points.push_back(corner);
      shapes.bounds.Add(corner);
    }
    shapes.mesh_edges.insert(shapes.mesh_edges.end(),
                             {{first, first + 1}, {first + 1, first + 2}, {first + 2, first}});
  };
  standin::SceneShapes one;
  add_triangle(one, {0, 0, 0}, 100);
  const int64_t alone = work_of(one);

  standin::SceneShapes copies = one;
  for (uint32_t i = 1; i < kCopies; ++i)
    copies.mesh_edges.insert(copies.mesh_edges.end(), one.mesh_edges.begin(), one.mesh_edges.end());
  EXPECT_LT(work_of(copies), 4 * alone) << "copies of one triangle";

  standin::SceneShapes specks = one;
  for (uint32_t i = 0; i < kCopies; ++i) add_triangle(specks, {50 + i * 1e-6, 40, 30}, 1e-3);
  EXPECT_LT(work_of(specks), alone + 10000) << "triangles below a pixel";
}

TEST_F(ScenePictures, BadSizesAndViewsAreRefusedBeforeAnythingIsWritten) {
  const std::string arm = Example("arm.json").string();
  for (const std::string size : {"15,100", "100,8193", "100", "100,x", "-20,100"}) {
    const ProgramRun run = Standin({"render", arm, "--size", size, "--out", "out.png"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "standin: bad value \"" + size +
                  "\" for --size (W,H: width and height in pixels, each from 16 to 8192, such as 1200,440) "
                  "(see standin render --help)\n");
  }
  const ProgramRun view = Standin({"render", arm, "--view", "diagonal", "--out", "out.png"});
  EXPECT_EQ(view.status, 2);
  EXPECT_EQ(
      view.err,
      "standin: bad value \"diagonal\" for --view (front, top, side or all) (see standin render --help)\n");
  EXPECT_FALSE(fs::exists(File("out.png")));
}

}  // namespace
}  // namespace vitrel::e2e
