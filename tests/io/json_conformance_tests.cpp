// The scene reader over the JSON cases of json_conformance/: each y_ file
// reads (and its written form reads back to the same text), each n_ file is
// rejected with one line that names it, and each i_ file gives the choice
// that docs/reliability.md records for it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "io/scene_reader.h"
#include "io/scene_writer.h"

namespace standin {
namespace {

// The files of the corpus whose names begin with `prefix`: name to bytes.
std::map<std::string, std::string> Cases(std::string_view prefix) {
  std::map<std::string, std::string> cases;
  for (const auto& entry : std::filesystem::directory_iterator(VITREL_JSON_CONFORMANCE_DIR)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(prefix)) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    cases[name].assign(std::istreambuf_iterator<char>(in), {});
  }
  return cases;
}

// "" when `text` reads as a scene, else the message.
std::string Outcome(std::string_view text, const std::string& name) {
  Scene scene;
  try {
    ReadScene(text, name, scene);
  } catch (const SceneReadError& error) {
    return error.what();
  }
  return {};
}

// The reader's choice for each i_ file: "" when it reads, else the message
// that rejects it after the file's name.
constexpr const char* kUnpaired =
    "\\u escape of an unpaired surrogate (\\uD800-\\uDBFF must be followed by \\uDC00-\\uDFFF)";
const std::map<std::string, std::string> kChoices = {
    {"i_structure_byte_order_mark.json", ""},
    {"i_structure_utf16.json", ":1:1: invalid value"},
    {"i_object_duplicate_key.json", ": objects[0].name: duplicate key"},
    {"i_number_huge_exponent.json", ":1:85: number outside the range of a 64-bit float"},
    {"i_number_underflow.json", ": objects[0].params.1: number outside the range of a 64-bit float"},
    {"i_number_huge_integer.json", ": objects[0].params.1: integer outside the 32-bit range"},
    {"i_number_negative_zero_integer.json", ""},
    {"i_string_lone_high_surrogate.json", std::string(":1:79: ") + kUnpaired},
    {"i_string_lone_low_surrogate.json", std::string(":1:80: ") + kUnpaired},
    {"i_string_lone_low_surrogate_in_key.json", std::string(":1:69: ") + kUnpaired},
    {"i_string_low_before_high_surrogate.json", std::string(":1:84: ") + kUnpaired},
    {"i_string_high_surrogate_then_letter.json", std::string(":1:78: ") + kUnpaired},
    {"i_string_noncharacters_escaped.json", ""},
    {"i_string_noncharacters_raw.json", ""},
    {"i_string_invalid_utf8_byte.json", ":1:79: invalid UTF-8"},
    {"i_string_overlong_encoding.json", ":1:78: invalid UTF-8"},
    {"i_string_utf8_encoded_surrogate.json", ":1:78: invalid UTF-8"},
    {"i_string_truncated_utf8.json", ":1:78: invalid UTF-8"},
    {"i_string_above_largest_code_point.json", ":1:78: invalid UTF-8"},
};

TEST(JsonConformance, ReadsEveryAcceptedCase) {
  const auto cases = Cases("y_");
  EXPECT_GE(cases.size(), 10u);
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE(name);
    Scene scene, again;
    EXPECT_NO_THROW({
      const std::string written = SceneToJson(ReadScene(text, name, scene));
      EXPECT_EQ(SceneToJson(ReadScene(written, name, again)), written);
    });
  }
}

TEST(JsonConformance, RejectsEveryMalformedCaseInOneLine) {
  const auto cases = Cases("n_");
  EXPECT_GE(cases.size(), 10u);
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE(name);
    const std::string message = Outcome(text, name);
    EXPECT_TRUE(message.starts_with(name + ":")) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
}

TEST(JsonConformance, GivesTheRecordedChoiceForEveryOpenCase) {
  const auto cases = Cases("i_");
  EXPECT_EQ(cases.size(), kChoices.size());
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE(name);
    const auto choice = kChoices.find(name);
    const std::string outcome = Outcome(text, name);
    if (choice == kChoices.end()) {
      ADD_FAILURE() << "no recorded choice; the reader gives \"" << outcome << '"';
      continue;
    }
    EXPECT_EQ(outcome, choice->second.empty() ? "" : name + choice->second);
  }
}

}  // namespace
}  // namespace standin
