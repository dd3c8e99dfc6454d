// Dialog windows built from descriptions: gadgets in layout order with their
// kinds, captions, groups and sizes, through the host table as the plug-in
// calls it.
#include <gtest/gtest.h>

#include <string>

#include "flipit_ids.h"
#include "host/faults.h"
#include "journal/journal.h"
#include "resources/layout_builder.h"
#include "resources/resource_ops.h"
#include "resources/resource_reader.h"
#include "resources_test_files.h"
#include "table/host_table.h"
#include "ui/dialog.h"
#include "ui/filename.h"

namespace standin {
namespace {

using testing::ScratchFolder;

// Any gadget by id, those without an id of their own (below 1) included.
const Gadget* AnyGadget(const Dialog& dialog, int32_t id) {
  for (const auto& gadget : dialog.gadgets()) {
    if (gadget->id == id) return gadget.get();
  }
  return nullptr;
}

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResourceUiOps(ops_);
    dialog_ = HostDialogs().Create(nullptr, nullptr);
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override {
    HostDialogs().Release(dialog_);
    HostFaults().Clear();
  }

  // The plug-in's resource, loaded through the table from a plug-in folder.
  VtResource* LoadFrom(const std::string& folder) {
    VtFilename* name = MakeFilename(folder);
    VtResource* res = ops_.resource_load(name);
    FreeFilename(name);
    return res;
  }

  VtDialog* handle() { return DialogRegistry::Handle(dialog_); }

  VtUiOps ops_{};
  Dialog* dialog_ = nullptr;
};

TEST_F(LayoutTest, MirrorDialogHasKindsCaptionsAndGroups) {
  VtResource* res = LoadFrom(VITREL_PLUGIN_DIR);
  ASSERT_NE(res, nullptr);
  ASSERT_EQ(ops_.dialog_load_layout(handle(), DLG_MIRROR, res, 0), 1);
  ops_.resource_free(res);

  EXPECT_EQ(dialog_->description_id, DLG_MIRROR);
  EXPECT_TRUE(dialog_->layout_loaded);
  EXPECT_EQ(dialog_->title, "Vitrel");

  struct Expected {
    int32_t id;
    GadgetKind kind;
    const char* caption;
  };
  const Expected expected[] = {
      {IDC_BANNER, GadgetKind::kUserArea, ""},
      {IDC_AXIS, GadgetKind::kPopup, "Mirror across axis"},
      {IDC_MIRROR_POINTS, GadgetKind::kCheckbox, "Mirror points, spline tangents and lattices"},
      {IDC_SUFFIX, GadgetKind::kEdit, "Suffix added to names"},
      {IDC_DISPLAY_COLOR, GadgetKind::kColor, "Display colour"},
      {IDC_MIRROR, GadgetKind::kButton, "Mirror"},
      {IDC_CLOSE, GadgetKind::kButton, "Close"},
  };
  for (const Expected& e : expected) {
    const Gadget* gadget = dialog_->Find(e.id);
    ASSERT_NE(gadget, nullptr) << e.id;
    EXPECT_EQ(gadget->kind, e.kind) << e.id;
    EXPECT_EQ(gadget->caption, e.caption) << e.id;
  }
  // The banner comes first and has its picture's size.
  const Gadget& banner = *dialog_->gadgets().front();
  EXPECT_EQ(banner.id, IDC_BANNER);
  EXPECT_EQ(banner.width, 400);
  EXPECT_EQ(banner.height, 80);

  // Unnamed groups get distinct negative ids, and gadgets name their group.
  const Gadget* suffix = dialog_->Find(IDC_SUFFIX);
  const Gadget* rename = dialog_->Find(IDC_RENAME_MODE);
  const Gadget* duplicate = dialog_->Find(IDC_DUPLICATE);
  EXPECT_LT(suffix->parent, 0);
  EXPECT_EQ(suffix->parent, rename->parent);
  EXPECT_NE(suffix->parent, duplicate->parent);
  const Gadget* naming = AnyGadget(*dialog_, suffix->parent);
  ASSERT_NE(naming, nullptr);
  EXPECT_EQ(naming->kind, GadgetKind::kGroup);
  EXPECT_EQ(naming->caption, "Naming of the copy");
  const Gadget* duplicate_group = AnyGadget(*dialog_, naming->parent);
  ASSERT_NE(duplicate_group, nullptr);
  EXPECT_EQ(duplicate_group->caption, "Duplicate");
  EXPECT_EQ(duplicate_group->parent, 0);
}

TEST_F(LayoutTest, MissingDescriptionOrResourceLeavesTheDialogAlone) {
  VtResource* res = LoadFrom(VITREL_PLUGIN_DIR);
  ASSERT_NE(res, nullptr);
  EXPECT_EQ(ops_.dialog_load_layout(handle(), 4711, res, 0), 0);
  EXPECT_EQ(ops_.dialog_load_layout(handle(), DLG_MIRROR, nullptr, 0), 0);
  EXPECT_EQ(ops_.dialog_load_layout(nullptr, DLG_MIRROR, res, 0), 0);
  ops_.resource_free(res);
  // A freed resource is refused, not read.
  EXPECT_EQ(ops_.dialog_load_layout(handle(), DLG_MIRROR, res, 0), 0);
  EXPECT_TRUE(dialog_->gadgets().empty());
  EXPECT_FALSE(dialog_->description_id.has_value());
  EXPECT_FALSE(dialog_->layout_loaded);
}

TEST_F(LayoutTest, LoadFailuresGiveNullAndSayWhy) {
  const int64_t lines = HostJournal().Count("console");

  // A fault gives null without a word.
  HostFaults().FailFrom(Fault::kResource, 1);
  EXPECT_EQ(LoadFrom(VITREL_PLUGIN_DIR), nullptr);
  EXPECT_EQ(HostJournal().Count("console"), lines);

  // A missing folder, a damaged file and no folder at all give null and one
  // console line each.
  ScratchFolder folder;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(LoadFrom((folder.path() / "nowhere").string()), nullptr);
  folder.WriteResource("DIALOG 1 {\n  FOO 2;\n}", "STRINGTABLE {}");
  EXPECT_EQ(LoadFrom(folder.path().string()), nullptr);
  EXPECT_EQ(ops_.resource_load(nullptr), nullptr);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(HostJournal().Count("console"), lines + 3);
  const std::filesystem::path dialogs = std::filesystem::path("res") / "dialogs.res";
  EXPECT_NE(said.find((std::filesystem::path("nowhere") / dialogs).string() + ": cannot open: "),
            std::string::npos)
      << said;
  EXPECT_NE(said.find(dialogs.string() + ":2: unknown gadget kind \"FOO\""), std::string::npos) << said;
}

}  // namespace
}  // namespace standin
