// Deep and wide hierarchies read and write without recursion, and a nesting
// past the limit is an error, not a crash.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace standin
