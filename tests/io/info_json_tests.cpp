// `standin info --json` read back as data: the nesting, exact numbers,
// parameters in the scene file's value form, and type names; a deep chain
// comes out whole without recursion.
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include "cli/info_command.h"
#include "io/scene_reader.h"

namespace standin {
namespace {

TEST(InfoJson, ReadsBackAsTheSceneHoldsIt) {
  Scene scene;
  const Document& document = ReadSceneFile(VITREL_EXAMPLES_DIR "/mixed-hierarchy.json", scene);
  rapidjson::Document info;
  info.Parse(SceneTreeJson(document, "mixed.json", true).c_str());
  ASSERT_FALSE(info.HasParseError());
  EXPECT_STREQ(info["scene"].GetString(), "mixed.json");
  EXPECT_EQ(info["objects"].GetInt(), 21);
  EXPECT_EQ(info["selected"].GetInt(), 1);

  const rapidjson::Value& workshop = info["tree"][0];
  EXPECT_TRUE(workshop["selected"].GetBool());
  EXPECT_EQ(workshop["position"][2].GetDouble(), 30.0);
  const rapidjson::Value& cone = workshop["children"][0]["children"][0];
  EXPECT_STREQ(cone["name"].GetString(), "Cone");
  EXPECT_STREQ(cone["typeName"].GetString(), "primitive");
  EXPECT_TRUE(cone["params"]["1200"].GetBool());
  EXPECT_EQ(cone["params"]["1201"].GetDouble(), 0.3);
  EXPECT_TRUE(cone["params"]["1300"].IsInt());
  const rapidjson::Value& wedge = workshop["children"][0]["children"][3];
  EXPECT_EQ(wedge["points"].GetInt(), 8);
  EXPECT_EQ(wedge["scale"][2].GetDouble(), 2.0);
  const rapidjson::Value& tile = workshop["children"][2]["children"][3]["children"][0];
  EXPECT_EQ(tile["type"].GetInt(), 5159);
  EXPECT_STREQ(tile["typeName"].GetString(), "type 5159");
  EXPECT_TRUE(tile["children"].Empty());

  Scene deep_scene;
  Document& chain = deep_scene.NewDocument();
  Object* parent = nullptr;
  for (int i = 0; i < 100000; ++i) {
    Object* op = deep_scene.NewObject(5140);
    chain.Append(op, parent);
    parent = op;
  }
  const std::string text = SceneTreeJson(chain, "chain.json", false);
  EXPECT_LT(text.size(), 100000u * 1000);  // the indentation stops growing
  rapidjson::Document deep;
  deep.Parse<rapidjson::kParseIterativeFlag>(text.c_str());
  EXPECT_FALSE(deep.HasParseError());
  EXPECT_EQ(deep["objects"].GetInt(), 100000);
}

// The flat form: a record per object that names its parent by index and
// gives its world placement, read by a parser that recurses, at any depth.
TEST(InfoJson, TheFlatFormGivesEachObjectItsParentAndWorldPlacement) {
  Scene scene;
  Document& document = scene.NewDocument();
  Object* top = scene.NewObject(5140);
  top->data.name = "Top";
  top->data.matrix = {{1, 0, 0}, {0, 2, 0}, {-2, 0, 0}, {0, 0, 2}};  // turned and scaled
  document.Append(top, nullptr);
  Object* parent = top;
  for (int i = 0; i < 100000; ++i) {
    Object* op = scene.NewObject(5140);
    op->data.name = "c";
    op->data.matrix.off = {1, 2, 3};
    document.Append(op, parent);
    parent = op;
  }
  rapidjson::Document flat;
  flat.Parse(SceneRecordsJson(document, "chain.json", false).c_str());
  ASSERT_FALSE(flat.HasParseError());
  const rapidjson::Value& records = flat["records"];
  ASSERT_EQ(records.Size(), 100001u);
  EXPECT_TRUE(records[0]["parent"].IsNull());
  EXPECT_STREQ(records[0]["path"].GetString(), "Top");
  EXPECT_STREQ(records[1]["path"].GetString(), "Top/c");
  const rapidjson::Value& last = records[100000];
  EXPECT_EQ(last["index"].GetInt(), 100000);
  EXPECT_EQ(last["depth"].GetInt(), 100000);
  EXPECT_EQ(last["parent"].GetInt(), 99999);
  // Each link moves (1, 2, 3) in the top's space, which the top turns a
  // quarter about Z and scales by 2: (-4, 2, 6) in the world per link.
  EXPECT_EQ(last["world"][0].GetDouble(), 1 - 4.0 * 100000);
  EXPECT_EQ(last["world"][1].GetDouble(), 2.0 * 100000);
  EXPECT_EQ(last["world"][2].GetDouble(), 6.0 * 100000);
  EXPECT_EQ(last["world"][4].GetDouble(), 2.0);  // the first axis, turned and scaled
}

}  // namespace
}  // namespace standin
