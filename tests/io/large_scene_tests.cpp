// Deep and wide hierarchies read and write without recursion, and a nesting
// past the limit is an error, not a crash.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "io/scene_reader.h"
#include "io/scene_writer.h"
#include "scene_text.h"

namespace standin {
namespace {

size_t Depth(const Object* op) {
  size_t depth = 0;
  for (; op->first_child != nullptr; op = op->first_child) ++depth;
  return depth;
}

TEST(SceneFileLarge, ChainOfHundredThousandObjects) {
  constexpr size_t kLength = 100000;
  Scene scene;
  Document& document = scene.NewDocument();
  Object* parent = nullptr;
  for (size_t i = 0; i < kLength; ++i) {
    Object* op = scene.NewObject(kLength - i == 1 ? 5100 : 5140);
    op->data.name = "Link";
    document.Append(op, parent);
    parent = op;
  }
  parent->data.points = {{1, 2, 3}};
  const std::string text = SceneToJson(document);
  const Document& copy = ReadScene(text, "chain.json", scene);
  EXPECT_EQ(Depth(copy.first()), kLength - 1);
  EXPECT_EQ(SceneToJson(copy), text);
}

TEST(SceneFileLarge, TwoHundredThousandSiblings) {
  constexpr size_t kCount = 200000;
  Scene scene;
  Document& document = scene.NewDocument();
  Object* group = scene.NewObject(5140);
  document.Append(group, nullptr);
  for (size_t i = 0; i < kCount; ++i) document.Append(scene.NewObject(static_cast<int32_t>(i)), group);
  const std::string text = SceneToJson(document);
  const Document& copy = ReadScene(text, "group.json", scene);
  EXPECT_EQ(copy.first()->last_child->type, static_cast<int32_t>(kCount - 1));
  EXPECT_EQ(SceneToJson(copy), text);
}

// Each object of a chain opens two levels: itself and its children.
std::string Chain(size_t objects, std::string_view innermost) {
  std::string text = R"({"format": "vitrel-scene", "version": 1, "objects": [)";
  for (size_t i = 0; i < objects; ++i) text += R"({"type": 1, "children": [)";
  text += innermost;
  for (size_t i = 0; i < objects; ++i) text += "]}";
  return text + "]}";
}

TEST(SceneFileLarge, NestingPastTheLimitIsAnError) {
  // The top-level object and "objects" take two levels; the record that
  // opens level kMaxSceneNesting + 1 is the one reported.
  const size_t records = (kMaxSceneNesting - 2) / 2 + 1;
  const std::string text = Chain(records, "");
  const size_t prefix = std::string_view(R"({"format": "vitrel-scene", "version": 1, "objects": [)").size();
  const size_t column = prefix + (records - 1) * std::string_view(R"({"type": 1, "children": [)").size() + 1;
  EXPECT_EQ(testing::ReadFailure(text), "t.json:1:" + std::to_string(column) + ": nesting deeper than " +
                                            std::to_string(kMaxSceneNesting) + " levels");
  // One level less reads.
  EXPECT_EQ(testing::ReadFailure(Chain(records - 1, "")), "");
}

TEST(SceneFileLarge, BrokenRuleAtTheBottomOfAChain) {
  const std::string message = testing::ReadFailure(Chain(50000, R"({"type": 5140, "points": []})"));
  std::string path = "objects[0]";
  for (int i = 0; i < 50000; ++i) path += ".children[0]";
  EXPECT_EQ(message, "t.json: " + path + ".points: only point objects (instances of type 5156) have points");
}

// A mesh of `count` points (two a line, the spacing varied, every number
// of the same width, so that the middle of the text is near the middle
// point) and as many polygons; `broken` replaces the point of that index.
constexpr size_t kWidth = 100000;

std::string LongMesh(size_t count, size_t broken = SIZE_MAX, std::string_view instead = "") {
  std::string points;
  std::string polygons;
  for (size_t i = 0; i < count; ++i) {
    const std::string n = std::to_string(kWidth + i);
    if (i == broken) {
      points += instead;
    } else {
      points += i % 3 == 0 ? "[" + n + ".5, -" + n + ", 1e-3]" : "[ " + n + " , 0.25 ,-" + n + "e2 ]";
    }
    polygons += "[" + std::to_string(i) + ", " + std::to_string((i + 1) % count) + ", 0, " +
                std::to_string(count - 1 - i) + "]";
    if (i + 1 < count) {
      points += i % 2 ? ",\n" : " ,\t";
      polygons += ",\n";
    }
  }
  return testing::SceneWith(R"({"type": 5100, "points": [)" + points + "],\n\"polygons\": [" + polygons +
                            "]}");
}

// A long list is read on two threads, each half straight into its place:
// the elements must come out whole and in order, and an error in either
// half, or where the halves meet, must read as it does on one thread.
TEST(SceneFileLarge, LongListsReadAsOnOneThread) {
  constexpr size_t kCount = 100000;
  Scene scene;
  const ObjectData& data = ReadScene(LongMesh(kCount), "t.json", scene).first()->data;
  ASSERT_EQ(data.points->size(), kCount);
  ASSERT_EQ(data.polygons->size(), kCount);
  for (size_t i = 0; i < kCount; ++i) {
    const double n = static_cast<double>(kWidth + i);
    const Vec3 expected = i % 3 == 0 ? Vec3{n + 0.5, -n, 1e-3} : Vec3{n, 0.25, -n * 100};
    ASSERT_EQ((*data.points)[i], expected) << i;
    const auto index = static_cast<int32_t>(i);
    ASSERT_EQ((*data.polygons)[i], (Polygon{index, static_cast<int32_t>((i + 1) % kCount), 0,
                                            static_cast<int32_t>(kCount) - 1 - index}))
        << i;
  }

  // The halves meet near the middle of the list's text, which with these
  // tuples is near its middle element.
  std::vector<size_t> broken_at = {0, kCount - 1};
  for (size_t i = kCount / 2 - 4; i <= kCount / 2 + 4; ++i) broken_at.push_back(i);
  for (size_t broken : broken_at) {
    EXPECT_EQ(testing::ReadFailure(LongMesh(kCount, broken, "[1, 2]")),
              "t.json: objects[0].points[" + std::to_string(broken) + "]: expected 3 numbers, found 2");
  }
  // Two points a line: the last one's "03" stands on line kCount / 2.
  EXPECT_EQ(testing::ReadFailure(LongMesh(kCount, kCount - 1, "[1, 2, 03]")),
            "t.json:" + std::to_string(kCount / 2) + ":40: expected ',' or ']' after an array element");
}

}  // namespace
}  // namespace standin
