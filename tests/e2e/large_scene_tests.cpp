// A hierarchy 100,000 levels deep and a group of 200,000 children, mirrored
// as a duplicate through the program and taken back by undo.
#include <string>

#include "io/scene_writer.h"
#include "scene/document.h"
#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

using EndToEndLarge = StandinTest;

// A selected null with `count` objects below it: each the child of the one
// before (`chain`), or all children of the null.
std::string LargeScene(int count, bool chain) {
  standin::Scene scene;
  standin::Document& doc = scene.NewDocument();
  standin::Object* top = scene.NewObject(5140);
  top->data.name = "top";
  top->selected = true;
  doc.Append(top, nullptr);
  standin::Object* parent = top;
  for (int i = 0; i < count; ++i) {
    standin::Object* op = scene.NewObject(5170);
    op->data.name = "o" + std::to_string(i);
    op->data.matrix.off = {1, 2, 3};
    op->data.params[1300] = 1;
    doc.Append(op, parent);
    if (chain) parent = op;
  }
  return standin::SceneToJson(doc);
}

TEST_F(EndToEndLarge, DeepChainsAndWideGroups) {
  struct Case {
    const char* what;
    int count;
    bool chain;
  };
  for (const Case& c : {Case{"a chain", 100000, true}, Case{"a group", 200000, false}}) {
    SCOPED_TRACE(c.what);
    WriteText(File("in.json"), LargeScene(c.count, c.chain));
    const ProgramRun run = Standin({"mirror", "in.json", "--duplicate", "--rename", "all", "--undo", "--out",
                                    "undone.json", "--journal", journal().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadText(File("undone.json")), ReadText(File("in.json")));

    const std::vector<std::string> renames = EventLines("rename");
    ASSERT_EQ(renames.size(), static_cast<size_t>(c.count) + 1);
    EXPECT_EQ(EventLines("undo.missing").size(), 0u);
    // Deep objects are named by the end of their path, so that the journal
    // grows linearly with the scene.
    rapidjson::Document event;
    event.Parse(renames.back().c_str());
    const std::string last = event["object"].GetString();
    if (c.chain) {
      EXPECT_TRUE(last.starts_with("\xE2\x80\xA6/o99968_mirror/")) << last.substr(0, 80);
      EXPECT_TRUE(last.ends_with("/o99999")) << last;
    } else {
      EXPECT_EQ(last, "top_mirror/o199999");
    }
  }
}

}  // namespace
}  // namespace vitrel::e2e
