// Text that is not JSON is reported by line and column.
#include <gtest/gtest.h>

#include "scene_text.h"

namespace standin {
namespace {

using testing::ReadFailure;
using testing::SceneWith;

struct Malformed {
  const char* label;
  std::string text;
  const char* message;
};

std::string LabelOf(const ::testing::TestParamInfo<Malformed>& test) { return test.param.label; }

class SceneMalformedText : public ::testing::TestWithParam<Malformed> {};

TEST_P(SceneMalformedText, GivesLineAndColumn) {
  EXPECT_EQ(ReadFailure(GetParam().text), GetParam().message);
}

const Malformed kMalformed[] = {
    {"Empty", "", "t.json:1:1: no JSON value"},
    {"MissingComma", "{\"format\": \"vitrel-scene\"\n  \"version\": 1}",
     "t.json:2:3: expected ',' or '}' after an object member"},
    {"TrailingText", SceneWith("") + "\n\n  x", "t.json:3:3: text after the top-level value"},
    {"NotANumber", "{\"format\": \"vitrel-scene\",\r\n\"version\": NaN}", "t.json:2:12: invalid value"},
    {"HugeExponent", "{\"objects\": [{\"vector\": [1e400",
     "t.json:1:26: number outside the range of a 64-bit float"},
    {"BadUtf8", "{\"format\": \"vitrel-scene\",\n\"objects\": [{\"name\": \"a\xC0\xAF\"",
     "t.json:2:24: invalid UTF-8"},
    // Columns count characters: the two-byte letters before the error count once each.
    {"ColumnInCharacters", "{\"objects\": [{\"name\": \"\xC3\x9F\xC3\x9F\" x",
     "t.json:1:28: expected ',' or '}' after an object member"},
    {"UnclosedString", "{\"format\": \"vitrel", "t.json:1:19: string without its closing quote"},
    // A NUL byte ends the parser's view of the text; what follows must not be dropped silently.
    {"NulAfterValue", SceneWith("") + std::string("\0{}", 3), "t.json:1:56: NUL byte in the text"},
};
INSTANTIATE_TEST_SUITE_P(JsonText, SceneMalformedText, ::testing::ValuesIn(kMalformed), LabelOf);

TEST(SceneFileReader, SkipsByteOrderMark) { EXPECT_EQ(ReadFailure("\xEF\xBB\xBF" + SceneWith("")), ""); }

}  // namespace
}  // namespace standin
