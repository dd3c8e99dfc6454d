// Reading scene input: files read whole, numbers read once, and point,
// tangent and polygon lists sized from a forward count that lying text
// cannot inflate.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "io/input_file.h"
#include "io/tuple_lists.h"
#include "scene_text.h"

namespace standin {
namespace {

using testing::ReadFailure;
using testing::SceneWith;

constexpr size_t kShortestPoint = 7;  // "[0,0,0]"

TEST(TupleCount, CountsTheTuplesOfAnArray) {
  EXPECT_EQ(CountTuples("]", kShortestPoint).count, 0u);
  EXPECT_EQ(CountTuples(" [0, 0, 0],\n [1.5, -2, 3e4] ]}", kShortestPoint).count, 2u);
}

// The count sizes storage before the elements are read, so text that only
// looks like a long array must not make it large.
TEST(TupleCount, StopsWhereTheTextStopsLookingLikeTuples) {
  EXPECT_EQ(CountTuples("[0,0,0]], \"more\": [[1,1,1], [2,2,2]]", kShortestPoint).count, 1u);  // ends early
  EXPECT_EQ(CountTuples("[0,0,0], {\"a\": [1,1,1]}, [2,2,2]]", kShortestPoint).count, 1u);     // holds junk
  EXPECT_EQ(CountTuples("[0,0,0], [0,0", kShortestPoint).count, 1u);                           // cut short
  std::string short_elements;
  for (int i = 0; i < 1000; ++i) short_elements += "[],";
  EXPECT_EQ(CountTuples(short_elements, kShortestPoint).count, 0u);
  // However the text lies, each counted tuple takes the bytes of a real one.
  std::string dense;
  for (int i = 0; i < 1000; ++i) dense += "[0,0,0],";
  EXPECT_EQ(CountTuples(dense, kShortestPoint).count, 1000u);
  EXPECT_LE(CountTuples(dense, kShortestPoint).count * (kShortestPoint + 1), dense.size());
}

TEST(SceneReader, SizesPointAndPolygonListsOnce) {
  Scene scene;
  const Document& document = ReadScene(SceneWith(R"({"type": 5100,
      "points": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0], [0, 0, 1]],
      "polygons": [[0, 1, 2, 3], [0, 1, 4, 4], [1, 2, 4, 4]]})"),
                                       "t.json", scene);
  const ObjectData& data = document.first()->data;
  EXPECT_EQ(data.points->capacity(), 5u);
  EXPECT_EQ(data.polygons->capacity(), 3u);
}

// Integers arrive as values, not text: each kind of integer the parser
// reports must still give the double nearest to what is written.
TEST(SceneReader, ReadsIntegersInFloatPlacesExactly) {
  Scene scene;
  const Document& document =
      ReadScene(SceneWith(R"({"type": 5140, "vector": [-0, 9007199254740993, -9223372036854775809],
                   "matrix": [18446744073709551615, 123456789012345678901234567890, 4294967295,
                              -2147483648, 0, 0, 0, 1, 0, 0, 0, 1]})"),
                "t.json", scene);
  const ObjectData& data = document.first()->data;
  EXPECT_TRUE(std::signbit(data.vector.x));
  EXPECT_EQ(data.vector.y, 9007199254740992.0);
  EXPECT_EQ(data.vector.z, -9223372036854775808.0);
  EXPECT_EQ(data.matrix.off.x, 18446744073709551616.0);
  EXPECT_EQ(data.matrix.off.y, 1.2345678901234568e29);
  EXPECT_EQ(data.matrix.off.z, 4294967295.0);
  EXPECT_EQ(data.matrix.v1.x, -2147483648.0);
}

TEST(SceneReader, RejectsIntegersBeyond32BitsOfEveryLength) {
  for (const char* type : {"4294967295", "-2147483649", "18446744073709551615", "-99999999999999999999"}) {
    EXPECT_EQ(ReadFailure(SceneWith(std::string(R"({"type": )") + type + "}")),
              "t.json: objects[0].type: integer outside the 32-bit range")
        << type;
  }
}

// A list in plain form is read at once; anything else in it, however late,
// is left to the general parser, whose message and place must not change.
TEST(SceneReader, ListsReadAtOnceFallBackToTheParserOnAnythingElse) {
  const std::string points = "\"points\": [[0.5, 1, -2e3],\n [1, 1, 1], ";
  const auto failure = [&](const std::string& rest) {
    return ReadFailure(SceneWith(R"({"type": 5100, )" + points + rest + "}"));
  };
  EXPECT_EQ(failure("[1, 2]]"), "t.json: objects[0].points[2]: expected 3 numbers, found 2");
  EXPECT_EQ(failure("[1, 02, 3]]"), "t.json:2:18: expected ',' or ']' after an array element");
  EXPECT_EQ(failure("[1, 2, 1e999]]"), "t.json:2:20: number outside the range of a 64-bit float");
  EXPECT_EQ(failure("[1, 2, 3] "), "t.json:2:23: expected ',' or ']' after an array element");
  EXPECT_EQ(failure("[1, 2, 3]], \"polygons\": [[0, 1, 1, 1], [0, 1.0, 1, 1]]"),
            "t.json: objects[0].polygons[1][1]: expected an integer, found a float");
  // What the number reader of the plain form would take and JSON does not.
  const std::pair<const char*, const char*> not_json[] = {
      {"[1., 2, 3]]", "2:16: expected digits after '.'"},
      {"[1.e5, 2, 3]]", "2:16: expected digits after '.'"},
      {"[.5, 2, 3]]", "2:14: invalid value"},
      {"[-.5, 2, 3]]", "2:15: invalid value"},
      {"[+1, 2, 3]]", "2:14: invalid value"},
      {"[inf, 2, 3]]", "2:14: invalid value"},
      {"[0x1, 2, 3]]", "2:15: expected ',' or ']' after an array element"},
      {"[1, 2, 3.5e+]]", "2:25: expected digits in the exponent"},
      {"[1, 2, 3]], \"polygons\": [[0, 0, 0, 0.]]", "2:50: expected digits after '.'"},
      {"[1, 2, 3]], \"polygons\": [[0, 0, 0, 1e0]]", ""},
  };
  for (const auto& [rest, message] : not_json) {
    EXPECT_EQ(failure(rest), *message
                                 ? std::string("t.json:") + message
                                 : "t.json: objects[0].polygons[0][3]: expected an integer, found a float")
        << rest;
  }

  Scene scene;
  const ObjectData& data =
      ReadScene(SceneWith(R"({"type": 5100, )" + points + "[-0, 1E+2, 3]]}"), "t.json", scene).first()->data;
  ASSERT_EQ(data.points->size(), 3u);
  EXPECT_EQ((*data.points)[0], (Vec3{0.5, 1, -2000}));
  EXPECT_TRUE(std::signbit((*data.points)[2].x));
  EXPECT_EQ((*data.points)[2].y, 100.0);
}

TEST(SceneFileReader, ReadsEmptyAndSizedFiles) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("scene_input_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(folder);
  const std::string empty = (folder / "empty.json").string();
  const std::string full = (folder / "full.json").string();
  std::ofstream(empty, std::ios::binary).flush();
  const std::string text = SceneWith(R"({"name": "A", "type": 5140})");
  std::ofstream(full, std::ios::binary) << text;

  {  // closed before the folder goes: Windows removes no open file
    const InputFile file = OpenInputFile(full);
    std::string read = "left over";
    ASSERT_TRUE(file && ReadRestOfFile(file.get(), read));
    EXPECT_EQ(read, text);
  }

  Scene scene;
  EXPECT_EQ(ReadSceneFile(full, scene).first()->data.name, "A");
  try {
    ReadSceneFile(empty, scene);
    ADD_FAILURE() << "an empty file was read";
  } catch (const SceneReadError& error) {
    EXPECT_EQ(error.what(), empty + ":1:1: no JSON value");
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace standin
