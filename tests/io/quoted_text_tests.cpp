// User text in messages stays one short line: control characters and broken
// UTF-8 show as '?', and long texts are cut by characters, not bytes.
#include <gtest/gtest.h>

#include <string>

#include "base/quoted_text.h"

namespace standin {
namespace {

TEST(QuotedText, ShowsAnyTextAsOneShortLine) {
  EXPECT_EQ(QuoteForMessage("a\nb\t\xC2\x85\xE2\x80\xA8"
                            "c"),
            "\"a?b???c\"");
  EXPECT_EQ(QuoteForMessage("\xFF\xC3x\xE2\x82"), "\"??x??\"");
  std::string long_text;
  for (int i = 0; i < 61; ++i) long_text += "\xC3\xA9";  // é, two bytes each
  EXPECT_EQ(QuoteForMessage(long_text), "\"" + long_text.substr(0, 120) + "...\"");
  EXPECT_EQ(QuoteForMessage(long_text.substr(0, 120)), "\"" + long_text.substr(0, 120) + "\"");

  EXPECT_EQ(ShowInMessage("Arm/Hand 2"), "Arm/Hand 2");
  EXPECT_EQ(ShowInMessage(""), "\"\"");
  EXPECT_EQ(ShowInMessage("a\rb"), "\"a?b\"");
}

}  // namespace
}  // namespace standin
