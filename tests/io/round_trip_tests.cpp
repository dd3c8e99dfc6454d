// What the writer writes reads back as the same scene, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

#include "io/scene_reader.h"
#include "io/scene_writer.h"
#include "scene/types.h"

namespace standin {
namespace {

// The same objects in the same places. Values compare with ==, which takes
// -0.0 for 0.0; the callers also compare the written text, which does not.
void ExpectSameObjects(const Document& a, const Document& b) {
  const Object* x = a.first();
  const Object* y = b.first();
  size_t index = 0;
  for (; x != nullptr && y != nullptr; x = NextInDocument(x), y = NextInDocument(y), ++index) {
    ASSERT_EQ(x->type, y->type) << "object " << index;
    ASSERT_EQ(x->selected, y->selected) << "object " << index;
    ASSERT_TRUE(x->data == y->data) << "object " << index;
    ASSERT_EQ(x->first_child == nullptr, y->first_child == nullptr) << "object " << index;
    ASSERT_EQ(x->next == nullptr, y->next == nullptr) << "object " << index;
  }
  EXPECT_EQ(x, nullptr);
  EXPECT_EQ(y, nullptr);
}

TEST(SceneFileRoundTrip, ExampleFilesAreInTheWritersForm) {
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VITREL_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".json") continue;
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Scene scene;
    const Document& document = ReadScene(text.str(), entry.path().string(), scene);
    EXPECT_EQ(SceneToJson(document), text.str()) << entry.path();
  }
  EXPECT_GE(files, 3u);
}

// Random scenes: every kind of value, doubles from every part of the range.
class RandomScene {
 public:
  explicit RandomScene(uint64_t seed) : random_(seed) {}

  Document& Make(Scene& scene, size_t count) {
    Document& document = scene.NewDocument();
    std::vector<Object*> made;
    for (size_t i = 0; i < count; ++i) {
      Object* op = scene.NewObject(Type());
      Fill(*op);
      // A parent among the objects so far, or the top level.
      Object* parent = made.empty() || Below(4) == 0 ? nullptr : made[Below(made.size())];
      document.Append(op, parent);
      made.push_back(op);
    }
    return document;
  }

 private:
  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

  int32_t Type() {
    static constexpr int32_t kTypes[] = {kPolygonObject, kSplineObject, kLatticeObject, 5140, 5170, 5118};
    if (Below(8) == 0) return static_cast<int32_t>(random_());
    return kTypes[Below(std::size(kTypes))];
  }

  double Number() {
    switch (Below(8)) {
      case 0:
        return -0.0;
      case 1:
        return std::numeric_limits<double>::denorm_min() * static_cast<double>(Below(1000) + 1);
      case 2:
        return std::numeric_limits<double>::max() / static_cast<double>(Below(1000) + 1);
      case 3:
        return static_cast<double>(static_cast<int64_t>(random_())) * 1e5;  // integral, huge
      case 4:
        return static_cast<double>(Below(200)) - 100;  // small integral
      default:
        for (;;) {
          const double d = std::bit_cast<double>(random_());
          if (std::isfinite(d)) return d;
        }
    }
  }

  Vec3 Vector() { return {Number(), Number(), Number()}; }

  std::string Name() {
    static constexpr std::string_view kPieces[] = {
        "Arm",  " ",        "\"",           "\\",
        "/",    "\n",       "\t",           std::string_view("\0", 1),
        "\x1f", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
        ".1"};
    std::string name;
    for (size_t n = Below(5); n > 0; --n) name += kPieces[Below(std::size(kPieces))];
    return name;
  }

  ParamValue Value() {
    switch (Below(5)) {
      case 0:
        return Below(2) == 0;
      case 1:
        return static_cast<int32_t>(random_());
      case 2:
        return Number();
      case 3:
        return Vector();
      default: {
        SplineCurve curve;
        for (size_t n = Below(4); n > 0; --n) curve.knots.push_back({Number(), Number()});
        return curve;
      }
    }
  }

  void Fill(Object& op) {
    ObjectData& data = op.data;
    data.name = Name();
    data.matrix = {Vector(), Vector(), Vector(), Vector()};
    for (size_t n = Below(6); n > 0; --n) data.params[static_cast<int32_t>(random_())] = Value();
    data.vector = Vector();
    data.color = {static_cast<int32_t>(Below(4)), Vector(), Below(2) == 0};
    op.selected = Below(3) == 0;
    if (!IsInstanceOf(op.type, kPointObject) || Below(4) == 0) return;
    data.points.emplace();
    for (size_t n = Below(6); n > 0; --n) data.points->push_back(Vector());
    const size_t points = data.points->size();
    if (op.type == kSplineObject) {
      data.tangents.emplace();
      for (size_t i = 0; i < points; ++i) data.tangents->push_back({Vector(), Vector()});
    }
    if (op.type == kPolygonObject && points > 0) {
      data.polygons.emplace();
      const auto index = [&] { return static_cast<int32_t>(Below(points)); };
      for (size_t n = Below(4); n > 0; --n) data.polygons->push_back({index(), index(), index(), index()});
    }
  }

  std::mt19937_64 random_;
};

TEST(SceneFileRoundTrip, RandomScenesReadBackBitForBit) {
  for (uint64_t seed = 1; seed <= 40; ++seed) {
    Scene scene;
    const Document& original = RandomScene(seed).Make(scene, 60);
    const std::string text = SceneToJson(original);
    const Document& copy = ReadScene(text, "random.json", scene);
    ExpectSameObjects(original, copy);
    ASSERT_EQ(SceneToJson(copy), text) << "seed " << seed;
  }
}

TEST(SceneFileRoundTrip, EmptyScene) {
  Scene scene;
  const std::string text = SceneToJson(scene.NewDocument());
  EXPECT_EQ(text, "{\n  \"format\": \"vitrel-scene\",\n  \"version\": 1,\n  \"objects\": []\n}\n");
  EXPECT_EQ(ReadScene(text, "empty.json", scene).first(), nullptr);
}

// The host may be handed names that are not UTF-8 and numbers that are not
// finite; the writer never writes a file that cannot be read back.
TEST(SceneFileWriter, NeverWritesUnreadableText) {
  Scene scene;
  Document& document = scene.NewDocument();
  Object* op = scene.NewObject(5140);
  op->data.name = "a\xFF\xC3(b\xED\xA0\x80";  // a stray byte, a cut sequence, a surrogate
  document.Append(op, nullptr);
  const Document& copy = ReadScene(SceneToJson(document), "names.json", scene);
  EXPECT_EQ(copy.first()->data.name, "a\uFFFD\uFFFD(b\uFFFD\uFFFD\uFFFD");

  Object* child = scene.NewObject(kSplineObject);
  child->data.points = {{0, 0, 0}, {0, std::numeric_limits<double>::quiet_NaN(), 0}};
  document.Append(scene.NewObject(5140), op);
  document.Append(child, op);
  try {
    SceneToJson(document);
    ADD_FAILURE() << "a NaN was written";
  } catch (const SceneWriteError& error) {
    EXPECT_STREQ(error.what(), "objects[0].children[1].points[1]: number is not finite");
  }
}

}  // namespace
}  // namespace standin
