// The scene writer hands its text over in blocks: the blocks make the same
// file as the whole text, and an error late in a long text leaves nothing.
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "io/held_text.h"
#include "io/output_file.h"
#include "io/scene_reader.h"
#include "io/scene_writer.h"
#include "io/span_relay.h"
#include "io/text_blocks.h"
#include "output_file_fixture.h"
#include "scene/types.h"

namespace standin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A mesh whose text spans several blocks.
Object* BigMesh(Scene& scene, Document& document, size_t points) {
  Object* mesh = scene.NewObject(kPolygonObject);
  mesh->data.points.emplace();
  for (size_t i = 0; i < points; ++i) {
    const double x = static_cast<double>(i);
    mesh->data.points->push_back({x / 3, -x * 1e-300, x * 1e17});
  }
  document.Append(mesh, nullptr);
  return mesh;
}

// A name longer than a block, full of escapes and multi-byte characters, so
// that block boundaries fall inside a string as well as between numbers.
TEST_F(OutputFile, SceneBlocksMakeTheWholeText) {
  Scene scene;
  Document& document = scene.NewDocument();
  Object* mesh = BigMesh(scene, document, 100000);
  for (size_t i = 0; mesh->data.name.size() < 3 * TextBlocks::kBlockSize; ++i)
    mesh->data.name += i % 3 == 0 ? "\"\\\n" : "\u00e9\u93e1x";
  const std::string whole = SceneToJson(document);

  std::string joined;
  size_t pieces = 0;
  WriteSceneText(document, [&](std::string_view piece) {
    EXPECT_LE(piece.size(), TextBlocks::kBlockSize);
    joined += piece;
    ++pieces;
  });
  EXPECT_GT(pieces, 3u);
  EXPECT_EQ(joined, whole);

  const fs::path out = Path("out.json");
  WriteSceneFile(document, out.string());
  const std::string written = Get(out);
  ASSERT_EQ(written, whole);
  const Document& copy = ReadScene(written, "out.json", scene);
  EXPECT_TRUE(copy.first()->data == mesh->data);
}

// A number that is not finite near the end of a long scene: found by the
// check before any file is made, and, written unchecked, fails the staging
// after several blocks went into the temporary file, which is then removed.
// Both name the same place, wherever it is.
TEST_F(OutputFile, LateSceneErrorLeavesTheTargetUntouched) {
  const fs::path out = Path("out.json");
  Put(out, "old");
  Scene scene;
  Document& document = scene.NewDocument();
  Object* mesh = BigMesh(scene, document, 300000);
  mesh->data.points->back().z = kNaN;
  const std::string message = out.string() + ": objects[0].points[299999]: number is not finite";

  try {
    OutputBatch batch;
    batch.StageProduced(out.string(),
                        [&](const TextSink& sink) { WriteSceneText(document, out.string(), sink); });
    ADD_FAILURE() << "a NaN was staged";
  } catch (const SceneWriteError& error) {
    EXPECT_EQ(error.what(), message);
  }
  EXPECT_EQ(Get(out), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.json"});

  Object* child = scene.NewObject(kSplineObject);
  document.Append(child, mesh);
  child->data.tangents = {{}, {{0, 0, 0}, {0, 0, kInfinity}}};
  child->data.params[7] = SplineCurve{{{0, 1}, {kNaN, 2}}};
  child->data.vector.y = -kInfinity;
  child->data.color.color.x = kNaN;
  // Each place, found once the ones the file holds before it are finite.
  const std::pair<const char*, std::function<void()>> places[] = {
      {"points[299999]", [&] { mesh->data.points->back().z = 0; }},
      {"children[0].params.7", [&] { child->data.params.clear(); }},
      {"children[0].tangents[1]", [&] { child->data.tangents.reset(); }},
      {"children[0].vector", [&] { child->data.vector.y = 0; }},
      {"children[0].color.color", [] {}},
  };
  for (const auto& [place, make_finite] : places) {
    const std::string expected = "out.json: objects[0]." + std::string(place) + ": number is not finite";
    try {
      CheckSceneFile(document, "out.json");
      ADD_FAILURE() << place << " was not found";
    } catch (const SceneWriteError& error) {
      EXPECT_EQ(error.what(), expected);
    }
    try {
      SceneFileText(document, "out.json");
      ADD_FAILURE() << place << " was written";
    } catch (const SceneWriteError& error) {
      EXPECT_EQ(error.what(), expected);
    }
    make_finite();
  }
}

// A long list is formatted on two threads, span by span: a number that is
// not finite in a span of the helper's is reported as in the caller's, and
// an error stops both threads (the test ends, so nothing is left running).
TEST_F(OutputFile, LongListErrorsAreFoundInEverySpan) {
  Scene scene;
  Document& document = scene.NewDocument();
  Object* mesh = BigMesh(scene, document, 5 * kSpanElements);
  for (const size_t index : {kSpanElements + 5, 2 * kSpanElements + 1, 5 * kSpanElements - 1}) {
    (*mesh->data.points)[index].y = kNaN;
    try {
      WriteSceneText(document, "out.json", [](std::string_view) {});
      ADD_FAILURE() << index << " was written";
    } catch (const SceneWriteError& error) {
      EXPECT_EQ(error.what(),
                "out.json: objects[0].points[" + std::to_string(index) + "]: number is not finite");
    }
    (*mesh->data.points)[index].y = 0;
  }
}

// A direct output's text is held in blocks until it is written: pieces of
// any size come out in order and whole, and a failed write stops there.
TEST(HeldText, GivesBackEveryPieceInOrder) {
  std::string expected;
  HeldText held(std::string("start;"));
  expected = "start;";
  for (size_t i = 0; i < 50000; ++i) {
    const std::string piece = std::to_string(i) + ",";
    held.Append(piece);
    expected += piece;
  }
  const std::string large(9 << 20, 'x');  // larger than a block
  held.Append(large);
  held.Append("");
  held.Append("end");
  expected += large + "end";

  std::string joined;
  size_t calls = 0;
  EXPECT_TRUE(held.WriteEach([&](std::string_view piece) {
    joined += piece;
    return ++calls > 0;
  }));
  EXPECT_EQ(joined, expected);
  EXPECT_LE(calls, 4u);
  calls = 0;
  EXPECT_FALSE(held.WriteEach([&](std::string_view) { return ++calls < 2; }));
  EXPECT_EQ(calls, 2u);
}

}  // namespace
}  // namespace standin
