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

}  // namespace
}  // namespace standin
