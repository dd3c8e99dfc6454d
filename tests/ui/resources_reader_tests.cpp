// The resource file and string table reader: errors name file and line,
// bad input never crashes, nesting of any depth works, and the plug-in's
// own resource carries every id the plug-in uses.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "flipit_ids.h"
#include "resources/resource_parser.h"
#include "resources/resource_reader.h"
#include "resources_test_files.h"

namespace standin {
namespace {

using testing::ScratchFolder;

struct BadDescription {
  const char* text;
  int32_t line;
  const char* message;
};

TEST(ResourceReader, DescriptionErrorsGiveLineAndReason) {
  const BadDescription cases[] = {
      {"DIALOG 1 {\n  CHECKBOX 2;\n  FOO 3;\n}", 3, "unknown gadget kind \"FOO\""},
      {"DIALOG 1 {\n  CHECKBOX;\n}", 2, "CHECKBOX needs an id"},
      {"DIALOG 1 {\n  BUTTON 5;\n  GROUP {\n    BUTTON 5;\n  }\n}", 4,
       "gadget id 5 is used twice in dialog 1 (first on line 2)"},
      {"DIALOG 1 {}\n\nDIALOG 1 {}", 3, "dialog 1 is described twice (first on line 1)"},
      {"DIALOG 1 {\n  USERAREA 7;\n}", 2, "USERAREA 7 needs a SIZE"},
      {"DIALOG 1 {\n  CHECKBOX 2 { SIZE 1 1; }\n}", 2, "unknown property SIZE of CHECKBOX"},
      {"DIALOG 1 {\n  COLUMNS 2;\n}", 2, "COLUMNS belongs in a GROUP, not directly in a DIALOG"},
      {"DIALOG 1 {\n  GROUP {\n    COLUMNS 2;\n    ROWS 1;\n  }\n}", 4, "a group takes one COLUMNS or ROWS"},
      {"DIALOG 1 {\n  GROUP {\n    BUTTON 2;\n", 4, "expected a gadget, a group or \"}\", found end of file"},
      {"DIALOG 1 {\n  BUTTON 99999999999;\n}", 2, "gadget id 99999999999 is outside 1 to 2147483647"},
      {"DIALOG 1 {\n  BUTTON 99999999999999999999999;\n}", 2, "number 99999999999999999999999 is too large"},
      {"DIALOG 1 {\n  BUTTON 2;\x01\n}", 2, "unexpected byte 0x01"},
      {"DIALOG 1 {\n  /* comment\n\n  BUTTON 2;\n}", 2, "comment opened on line 2 is not closed"},
      {"DIALOG {\n}", 1, "expected dialog id, found \"{\""},
  };
  for (const BadDescription& bad : cases) {
    std::map<int32_t, DialogDescription> dialogs;
    ParseError error;
    EXPECT_FALSE(ParseDialogDescriptions(bad.text, dialogs, error)) << bad.text;
    EXPECT_EQ(error.line, bad.line) << bad.text;
    EXPECT_EQ(error.message, bad.message) << bad.text;
  }
}

TEST(ResourceReader, StringTableErrorsGiveLineAndReason) {
  const BadDescription cases[] = {
      {"STRINGTABLE {\n  A \"x\";\n  A \"y\";\n}", 3, "string A is defined twice (first on line 2)"},
      {"STRINGTABLE {\n  A \"open\n\";\n}", 2, "text is not closed on its line"},
      {"STRINGTABLE {\n  A \"bad \\q escape\";\n}", 2, "unknown escape in text (use \\n, \\t, \\\" or \\\\)"},
      {"STRINGTABLE {\n  A \"x\"\n}", 3, "expected \";\", found \"}\""},
      {"STRINGTABLE {\n  A \"x\" \"one\\ntwo\";\n}", 2, "expected \";\", found text \"one?two\""},
  };
  for (const BadDescription& bad : cases) {
    StringTable table;
    ParseError error;
    EXPECT_FALSE(ParseStringTable(bad.text, table, error)) << bad.text;
    EXPECT_EQ(error.line, bad.line) << bad.text;
    EXPECT_EQ(error.message, bad.message) << bad.text;
  }
}

TEST(ResourceReader, DeepNestingAndWideGroupsWork) {
  constexpr int kDepth = 100000;
  std::string deep = "DIALOG 1 {\n";
  for (int i = 0; i < kDepth; ++i) deep += "GROUP {\n";
  deep += "BUTTON 2;\n";
  for (int i = 0; i < kDepth; ++i) deep += "}\n";
  deep += "}\n";
  std::map<int32_t, DialogDescription> dialogs;
  ParseError error;
  ASSERT_TRUE(ParseDialogDescriptions(deep, dialogs, error)) << error.message;
  ASSERT_EQ(dialogs.at(1).elements.size(), static_cast<std::size_t>(kDepth + 1));
  EXPECT_EQ(dialogs.at(1).elements.back().parent, kDepth - 1);

  constexpr int kWidth = 200000;
  std::string wide = "DIALOG 1 { GROUP { COLUMNS 4;\n";
  for (int i = 0; i < kWidth; ++i) wide += "CHECKBOX " + std::to_string(10 + i) + ";\n";
  wide += "} }\n";
  dialogs.clear();
  ASSERT_TRUE(ParseDialogDescriptions(wide, dialogs, error)) << error.message;
  EXPECT_EQ(dialogs.at(1).elements.size(), static_cast<std::size_t>(kWidth + 1));
}

TEST(ResourceReader, FolderErrorsNameTheFile) {
  ScratchFolder folder;
  const std::string dialogs = (folder.path() / "res" / "dialogs.res").string();
  const std::string strings = (folder.path() / "res" / "strings_en" / "dialogs.str").string();
  std::string error;

  EXPECT_EQ(ReadResourceFolder(folder.path() / "res", error), nullptr);
  EXPECT_EQ(error.rfind("standin: " + dialogs + ": cannot open: ", 0), 0u) << error;

  folder.WriteResource("DIALOG 1 {\n  BUTTON 2 { NAME B; }\n  FOO 3;\n}\n", "STRINGTABLE { B \"b\"; }");
  EXPECT_EQ(ReadResourceFolder(folder.path() / "res", error), nullptr);
  EXPECT_EQ(error, "standin: " + dialogs + ":3: unknown gadget kind \"FOO\"");

  folder.WriteResource("DIALOG 1 {\n  BUTTON 2 { NAME B; }\n}\n", "STRINGTABLE {\n  B \"b\"\n}");
  EXPECT_EQ(ReadResourceFolder(folder.path() / "res", error), nullptr);
  EXPECT_EQ(error, "standin: " + strings + ":3: expected \";\", found \"}\"");

  folder.WriteResource("DIALOG 1 {\n  TITLE T;\n  BUTTON 2 { NAME B; }\n}\n", "STRINGTABLE { T \"t\"; }");
  EXPECT_EQ(ReadResourceFolder(folder.path() / "res", error), nullptr);
  EXPECT_EQ(error, "standin: " + dialogs + ":3: no text for B in " + strings);

  folder.WriteResource("DIALOG 1 {\n  BUTTON 2 { NAME B; }\n}\n", "STRINGTABLE { B \"b\"; }");
  EXPECT_NE(ReadResourceFolder(folder.path() / "res", error), nullptr) << error;
}

// The plug-in's own resource file, as it ships in res/.
TEST(PluginResource, CarriesEveryIdThePluginUses) {
  std::string error;
  std::unique_ptr<Resource> resource = ReadResourceFolder(VITREL_RES_DIR, error);
  ASSERT_NE(resource, nullptr) << error;

  struct Expected {
    int32_t dialog;
    int32_t banner, banner_height;  // every banner is 400 pixels wide
    std::set<int32_t> gadgets;
  };
  // The mirror dialog's gadgets are its banner and every id from the axis to
  // the close button.
  std::set<int32_t> mirror_ids = {IDC_BANNER};
  for (int32_t id = IDC_AXIS; id <= IDC_CLOSE; ++id) mirror_ids.insert(id);
  const Expected expected[] = {
      {DLG_MIRROR, IDC_BANNER, 80, mirror_ids},
      {DLG_BASIC_USE, IDC_USAGE_BANNER, 120, {IDC_USAGE_BANNER, IDC_MIRROR}},
      {DLG_VERSION, IDC_VERSION_BANNER, 120, {IDC_VERSION_BANNER, IDC_VERSION_TEXT, IDC_MIRROR}},
  };
  for (const Expected& dialog : expected) {
    const DialogDescription* description = resource->FindDialog(dialog.dialog);
    ASSERT_NE(description, nullptr) << dialog.dialog;
    EXPECT_FALSE(resource->Text(description->title_key).empty()) << dialog.dialog;
    std::set<int32_t> found;
    for (const LayoutElement& element : description->elements) {
      if (element.id > 0) found.insert(element.id);
      if (element.id == dialog.banner) {
        EXPECT_EQ(element.kind, ElementKind::kUserArea);
        EXPECT_EQ(element.width, 400);
        EXPECT_EQ(element.height, dialog.banner_height);
      }
      // Every gadget a user operates has a caption.
      if (element.kind != ElementKind::kGroup && element.kind != ElementKind::kUserArea) {
        EXPECT_FALSE(element.caption_key.empty()) << dialog.dialog << " line " << element.line;
      }
    }
    EXPECT_EQ(found, dialog.gadgets) << dialog.dialog;
  }
}

}  // namespace
}  // namespace standin
