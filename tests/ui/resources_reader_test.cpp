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
      {"DIALOG 1 {\n  USERAREA 7 { SIZE 400 0; }\n}", 2, "height 0 is outside 1 to 8192"},
      {"DIALOG 1 {\n  USERAREA 7 { SIZE 9000 10; }\n}", 2, "width 9000 is outside 1 to 8192"},
      {"DIALOG 1 {\n  CHECKBOX 2 { SIZE 1 1; }\n}", 2, "unknown property SIZE of CHECKBOX"},
      {"DIALOG 1 {\n  CHECKBOX 2 { NAME \"Text\"; }\n}", 2,
       "expected a string key after NAME, found text \"Text\""},
      {"DIALOG 1 {\n  COLUMNS 2;\n}", 2, "COLUMNS belongs in a GROUP, not directly in a DIALOG"},
      {"DIALOG 1 {\n  GROUP {\n    COLUMNS 2;\n    ROWS 1;\n  }\n}", 4, "a group takes one COLUMNS or ROWS"},
      {"DIALOG 1 {\n  GROUP {\n    BUTTON 2;\n", 4, "expected a gadget, a group or \"}\", found end of file"},
      {"DIALOG 1 {\n  BUTTON 99999999999;\n}", 2, "gadget id 99999999999 is outside 1 to 2147483647"},
      {"DIALOG 1 {\n  BUTTON 99999999999999999999999;\n}", 2, "number 99999999999999999999999 is too large"},
      {"DIALOG 1 {\n  BUTTON 0;\n}", 2, "gadget id 0 is outside 1 to 2147483647"},
      {"DIALOG 1 {\n  BUTTON 12ab;\n}", 2, "bad number \"12ab\""},
      {"DIALOG 1 {\n  BUTTON 2 # 3;\n}", 2, "unexpected character '#'"},
      {"DIALOG 1 {\n  BUTTON 2;\x01\n}", 2, "unexpected byte 0x01"},
      {"DIALOG 1 {\n  /* comment\n\n  BUTTON 2;\n}", 2, "comment opened on line 2 is not closed"},
      {"// only a comment\nSTRINGTABLE {}", 2, "expected DIALOG, found word STRINGTABLE"},
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
      {"STRINGTABLE {\n  A 12;\n}", 2, "expected a quoted text after A, found number 12"},
      {"STRINGTABLE {\n  A \"x\"\n}", 3, "expected \";\", found \"}\""},
      {"STRINGTABLE {\n  A \"x\";\n", 3, "expected a string key or \"}\", found end of file"},
  };
  for (const BadDescription& bad : cases) {
    StringTable table;
    ParseError error;
    EXPECT_FALSE(ParseStringTable(bad.text, table, error)) << bad.text;
    EXPECT_EQ(error.line, bad.line) << bad.text;
    EXPECT_EQ(error.message, bad.message) << bad.text;
  }
}

TEST(ResourceReader, TextsKeepEscapesAndUtf8) {
  StringTable table;
  ParseError error;
  ASSERT_TRUE(
      ParseStringTable("STRINGTABLE { A \"say \\\"hi\\\"\\n\\\\ \xc3\xa9t\xc3\xa9\"; }", table, error))
      << error.message;
  ASSERT_NE(table.Find("A"), nullptr);
  EXPECT_EQ(*table.Find("A"), "say \"hi\"\n\\ \xc3\xa9t\xc3\xa9");
}

TEST(ResourceReader, ElementsKeepLayoutOrderAndGroups) {
  std::map<int32_t, DialogDescription> dialogs;
  ParseError error;
  ASSERT_TRUE(ParseDialogDescriptions(R"(
    DIALOG 100 {
      TITLE T;
      USERAREA 101 { SIZE 40 20; }
      GROUP 102 {
        TITLE G; ROWS 2;
        COMBOBOX 103 { NAME P; }
        GROUP { COLUMNS 3; STATICTEXT; }
      }
      BUTTON 104;
    })",
                                      dialogs, error))
      << error.message;
  const DialogDescription& dialog = dialogs.at(100);
  EXPECT_EQ(dialog.title_key, "T");
  ASSERT_EQ(dialog.elements.size(), 6u);
  const LayoutElement* e = dialog.elements.data();
  EXPECT_EQ(e[0].kind, ElementKind::kUserArea);
  EXPECT_EQ(e[0].width, 40);
  EXPECT_EQ(e[0].height, 20);
  EXPECT_EQ(e[0].parent, -1);
  EXPECT_EQ(e[1].kind, ElementKind::kGroup);
  EXPECT_EQ(e[1].caption_key, "G");
  EXPECT_EQ(e[1].rows, 2);
  EXPECT_EQ(e[1].columns, 0);
  EXPECT_EQ(e[2].kind, ElementKind::kPopup);
  EXPECT_EQ(e[2].parent, 1);
  EXPECT_EQ(e[3].columns, 3);
  EXPECT_EQ(e[3].parent, 1);
  EXPECT_EQ(e[4].kind, ElementKind::kText);
  EXPECT_EQ(e[4].id, 0);
  EXPECT_EQ(e[4].parent, 3);
  EXPECT_EQ(e[5].parent, -1);
  EXPECT_EQ(e[5].line, 10);
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

  // An unclosed chain reports the end of the file, not a crash.
  std::string unclosed = "DIALOG 1 {\n";
  for (int i = 0; i < kDepth; ++i) unclosed += "GROUP {\n";
  dialogs.clear();
  EXPECT_FALSE(ParseDialogDescriptions(unclosed, dialogs, error));
  EXPECT_EQ(error.line, kDepth + 2);

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
  const std::string res = (folder.path() / "res").string();
  std::string error;

  EXPECT_EQ(ReadResourceFolder(folder.path() / "res", error), nullptr);
  EXPECT_EQ(error.rfind("standin: " + res + "/dialogs.res: cannot read the file (", 0), 0u) << error;

  folder.WriteResource("DIALOG 1 {\n  BUTTON 2 { NAME B; }\n  FOO 3;\n}\n", "STRINGTABLE { B \"b\"; }");
  EXPECT_EQ(ReadResourceFolder(folder.path() / "res", error), nullptr);
  EXPECT_EQ(error, "standin: " + res + "/dialogs.res:3: unknown gadget kind \"FOO\"");

  folder.WriteResource("DIALOG 1 {\n  BUTTON 2 { NAME B; }\n}\n", "STRINGTABLE {\n  B \"b\"\n}");
  EXPECT_EQ(ReadResourceFolder(folder.path() / "res", error), nullptr);
  EXPECT_EQ(error, "standin: " + res + "/strings_en/dialogs.str:3: expected \";\", found \"}\"");

  folder.WriteResource("DIALOG 1 {\n  TITLE T;\n  BUTTON 2 { NAME B; }\n}\n", "STRINGTABLE { T \"t\"; }");
  EXPECT_EQ(ReadResourceFolder(folder.path() / "res", error), nullptr);
  EXPECT_EQ(error, "standin: " + res + "/dialogs.res:3: no text for B in " + res + "/strings_en/dialogs.str");

  folder.WriteResource("DIALOG 1 {\n  BUTTON 2 { NAME B; }\n}\n", "STRINGTABLE { B \"b\"; }");
  EXPECT_NE(ReadResourceFolder(folder.path() / "res", error), nullptr) << error;
}

TEST(ResourceReader, BinaryGarbageIsRefused) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xff);
  std::map<int32_t, DialogDescription> dialogs;
  StringTable table;
  ParseError error;
  EXPECT_FALSE(ParseDialogDescriptions(garbage, dialogs, error));
  EXPECT_FALSE(ParseStringTable(garbage, table, error));
  // Every prefix of a valid file either parses or fails cleanly.
  const std::string valid = "DIALOG 3 { TITLE T; GROUP { COLUMNS 2; USERAREA 4 { SIZE 2 3; } } }";
  for (std::size_t n = 0; n <= valid.size(); ++n) {
    dialogs.clear();
    ParseDialogDescriptions(valid.substr(0, n), dialogs, error);
  }
}

// The plug-in's own resource file, as it ships in res/.
TEST(PluginResource, CarriesEveryIdThePluginUses) {
  std::string error;
  std::unique_ptr<Resource> resource = ReadResourceFolder(VITREL_RES_DIR, error);
  ASSERT_NE(resource, nullptr) << error;

  struct Expected {
    int32_t dialog;
    std::set<int32_t> gadgets;
  };
  const Expected expected[] = {
      {DLG_MIRROR,
       {IDC_BANNER,
        IDC_AXIS,
        IDC_POSITIONING,
        IDC_MIRROR_POINTS,
        IDC_DUPLICATE,
        IDC_DUPLICATE_WITHOUT_CHILDREN,
        IDC_SKIP_CHILDREN,
        IDC_SKIP_PRIMITIVES,
        IDC_SKIP_POLYGON_COMMAND,
        IDC_FINAL_COMMAND,
        IDC_SPARE_OPTION,
        IDC_RESET,
        IDC_RENAME_MODE,
        IDC_SUFFIX,
        IDC_KEEP_DISPLAY_COLOR,
        IDC_DISPLAY_COLOR_MODE,
        IDC_DISPLAY_COLOR,
        IDC_XRAY,
        IDC_MIRROR,
        IDC_CLOSE}},
      {DLG_BASIC_USE, {IDC_USAGE_BANNER, IDC_MIRROR}},
      {DLG_VERSION, {IDC_VERSION_BANNER, IDC_VERSION_TEXT, IDC_MIRROR}},
  };
  for (const Expected& dialog : expected) {
    const DialogDescription* description = resource->FindDialog(dialog.dialog);
    ASSERT_NE(description, nullptr) << dialog.dialog;
    EXPECT_FALSE(resource->Text(description->title_key).empty()) << dialog.dialog;
    std::set<int32_t> found;
    for (const LayoutElement& element : description->elements) {
      if (element.id > 0) found.insert(element.id);
      // Every gadget a user operates has a caption.
      if (element.kind != ElementKind::kGroup && element.kind != ElementKind::kUserArea) {
        EXPECT_FALSE(element.caption_key.empty()) << dialog.dialog << " line " << element.line;
      }
    }
    EXPECT_EQ(found, dialog.gadgets) << dialog.dialog;
  }

  // The banners have the sizes of their pictures.
  auto size_of = [&](int32_t dialog, int32_t id) {
    for (const LayoutElement& element : resource->FindDialog(dialog)->elements) {
      if (element.id == id && element.kind == ElementKind::kUserArea) {
        return std::pair{element.width, element.height};
      }
    }
    return std::pair{0, 0};
  };
  EXPECT_EQ(size_of(DLG_MIRROR, IDC_BANNER), std::pair(400, 80));
  EXPECT_EQ(size_of(DLG_BASIC_USE, IDC_USAGE_BANNER), std::pair(400, 120));
  EXPECT_EQ(size_of(DLG_VERSION, IDC_VERSION_BANNER), std::pair(400, 120));
}

}  // namespace
}  // namespace standin
