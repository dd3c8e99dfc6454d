// The journal writes text values and object paths with its own escaping:
// every line must still be JSON that reads back to exactly what was written.
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "journal/journal.h"
#include "scene/document.h"

namespace standin {
namespace {

TEST(JournalText, TextAndPathsReadBackExactly) {
  std::string every_escape = "plain \"quoted\" back\\slash /é\x7f";
  for (int c = 0; c < 0x20; ++c) every_escape += static_cast<char>(c);
  Scene scene;
  Document& doc = scene.NewDocument();
  Object* parent = nullptr;
  Object* deep = nullptr;
  // Deeper than a path names whole, so that the shortened form is escaped too.
  for (size_t depth = 0; depth < kMaxPathNames + 2; ++depth) {
    deep = scene.NewObject(5140);
    deep->data.name = every_escape + std::to_string(depth);
    doc.Append(deep, parent);
    parent = deep;
  }
  std::ostringstream out;
  Journal journal;
  journal.SetOutput(&out);
  // An escape between plain runs of eight bytes and more, which are looked
  // at a word at a time.
  const std::string between = "eight ok\"and after it, more than eight";
  Journal::Event(journal, "text")
      .Text("value", every_escape)
      .ObjectRef("object", deep)
      .Text("empty", "")
      .Text("between", between);
  journal.SetOutput(nullptr);

  rapidjson::Document line;
  line.Parse(out.str().c_str(), out.str().size() - 1);  // without its newline
  ASSERT_FALSE(line.HasParseError()) << out.str();
  const auto text_of = [&line](const char* key) {
    return std::string(line[key].GetString(), line[key].GetStringLength());
  };
  EXPECT_EQ(text_of("value"), every_escape);
  EXPECT_EQ(text_of("object"), ObjectPath(*deep));
  EXPECT_EQ(text_of("empty"), "");
  EXPECT_EQ(text_of("between"), between);
  EXPECT_EQ(out.str().find('\n'), out.str().size() - 1) << "one line per event";
}

// Every kind of value, and a nested one between keys: the line's commas
// and colons are written by hand around what the JSON writer writes.
TEST(JournalText, EveryKindOfValueReadsBack) {
  std::ostringstream out;
  Journal journal;
  journal.SetOutput(&out);
  {
    Journal::Event event(journal, "kinds");
    event.Int("low", INT64_MIN).Bool("yes", true).Null("none");
    if (Journal::Writer* w = event.Raw("nested")) {
      w->StartArray();
      w->Double(0.1);
      w->StartObject();
      w->Key("k");
      w->Bool(false);
      w->EndObject();
      w->EndArray();
    }
    event.Int("after", 7).ObjectRef("missing", nullptr);
  }
  journal.SetOutput(nullptr);
  EXPECT_EQ(out.str(),
            "{\"event\":\"kinds\",\"low\":-9223372036854775808,\"yes\":true,\"none\":null,"
            "\"nested\":[0.1,{\"k\":false}],\"after\":7,\"missing\":null}\n");
  EXPECT_EQ(journal.Count("kinds"), 1);
}

// A path is taken from the one written before when it can: each line must
// still name the object as it is then, whatever changed in between.
TEST(JournalText, PathsFollowRenamesAndMoves) {
  Scene scene;
  Document& doc = scene.NewDocument();
  std::vector<Object*> chain;
  for (size_t depth = 0; depth < kMaxPathNames + 8; ++depth) {
    chain.push_back(scene.NewObject(5140));
    chain.back()->data.name = "n" + std::to_string(depth);
    doc.Append(chain.back(), depth == 0 ? nullptr : chain[depth - 1]);
  }
  std::ostringstream out;
  Journal journal;
  journal.SetOutput(&out);
  const auto name = [&](size_t depth) {
    out.str("");
    Journal::Event(journal, "e").ObjectRef("object", chain[depth]);
    rapidjson::Document line;
    line.Parse(out.str().c_str());
    EXPECT_EQ(line["object"].GetString(), ObjectPath(*chain[depth])) << depth;
  };
  for (size_t depth = 0; depth < chain.size(); ++depth) name(depth);
  name(35);
  chain[30]->data.name = "m30";  // an ancestor's name changed in place, same length
  name(36), name(36), name(39);
  chain[38]->data.name = "quote\"";  // a name that is escaped, then its child
  name(38), name(39), name(36);
  doc.Remove(chain[5]);  // the same names, but no longer below others
  name(36);
  doc.Append(chain[5], nullptr);
  name(36), name(37);
}

}  // namespace
}  // namespace standin
