// The dialog model as the plug-in reaches it through the host table, and as
// a user drives it through the host's side.
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <limits>

#include "host/faults.h"
#include "ui/dialog.h"
#include "ui/dialog_dump.h"
#include "ui/dialog_host.h"
#include "ui_testing.h"

namespace standin::testing {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetHost(); }
  void TearDown() override { ResetHost(); }

  Dialog& Model(ProbeDialog& probe) { return *HostDialogs().Find(probe.handle); }
  // Opens non-modally and checks that it opened.
  void OpenAsync(ProbeDialog& probe) {
    ASSERT_EQ(Ui().dialog_open(probe.handle, VT_DLG_TYPE_ASYNC, 1024416, -1, -1, 0, 0, 0), 1);
  }
};

// Each write makes the gadget it implies on a dialog without a layout, and
// each read succeeds only for the value kind the gadget holds.
TEST_F(DialogTest, WritesMakeGadgetsAndReadsCheckTheKind) {
  ProbeDialog probe;
  VtDialog* d = probe.handle;
  const VtVector red = {1, 0, 0};
  ASSERT_EQ(Ui().gadget_set_bool(d, 1, 1), 1);
  ASSERT_EQ(Ui().gadget_set_int32(d, 2, 7, kMin, kMax, 1, 0), 1);
  ASSERT_EQ(Ui().gadget_set_float(d, 3, 2.5, -10, 10, 0.1, 0), 1);
  ASSERT_EQ(Ui().gadget_set_text(d, 4, Text("_mirror"), 0, 0), 1);
  ASSERT_EQ(Ui().gadget_set_color(d, 5, &red, 0.5, 100.0, 0), 1);
  ASSERT_EQ(Ui().popup_add(d, 6, 5000, Text("X")), 1);

  const Dialog& model = Model(probe);
  EXPECT_EQ(model.Find(1)->kind, GadgetKind::kCheckbox);
  EXPECT_EQ(model.Find(2)->kind, GadgetKind::kEdit);
  EXPECT_EQ(model.Find(5)->kind, GadgetKind::kColor);
  EXPECT_EQ(model.Find(6)->kind, GadgetKind::kPopup);

  int32_t b = -1, i = -1;
  double f = -1, brightness = -1;
  VtText t{nullptr, 0};
  VtVector c{};
  EXPECT_EQ(Ui().gadget_get_bool(d, 1, &b), 1);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(Ui().gadget_get_int32(d, 2, &i), 1);
  EXPECT_EQ(i, 7);
  EXPECT_EQ(Ui().gadget_get_float(d, 3, &f), 1);
  EXPECT_EQ(f, 2.5);
  EXPECT_EQ(Ui().gadget_get_text(d, 4, &t), 1);
  EXPECT_EQ(TextView(t), "_mirror");
  EXPECT_EQ(Ui().gadget_get_color(d, 5, &c, &brightness), 1);
  EXPECT_EQ(c.x, 1.0);
  EXPECT_EQ(brightness, 0.5);

  // Reads of another kind, or of a missing gadget, fail and leave `out` alone.
  int32_t untouched = 42;
  EXPECT_EQ(Ui().gadget_get_int32(d, 1, &untouched), 0);
  EXPECT_EQ(Ui().gadget_get_bool(d, 2, &untouched), 0);
  EXPECT_EQ(Ui().gadget_get_bool(d, 99, &untouched), 0);
  EXPECT_EQ(untouched, 42);
  double untouched_f = 4.5;
  EXPECT_EQ(Ui().gadget_get_float(d, 2, &untouched_f), 0);
  EXPECT_EQ(untouched_f, 4.5);

  // A write that does not fit the gadget's kind is refused.
  EXPECT_EQ(Ui().gadget_set_bool(d, 6, 1), 0);
  EXPECT_EQ(Ui().gadget_set_color(d, 1, &red, 1, 1, 0), 0);
  EXPECT_EQ(Ui().popup_add(d, 1, 1, Text("no")), 0);
  // An integer on a pop-up chooses an entry.
  EXPECT_EQ(Ui().gadget_set_int32(d, 6, 5000, kMin, kMax, 1, 0), 1);
  EXPECT_EQ(Ui().gadget_get_int32(d, 6, &i), 1);
  EXPECT_EQ(i, 5000);
}

TEST_F(DialogTest, NumbersAreClampedToTheirLimitsAndNonFiniteValuesRefused) {
  ProbeDialog probe;
  VtDialog* d = probe.handle;
  struct Case {
    int32_t value, min, max, expected;
  };
  for (Case c : {Case{15, 0, 10, 10}, Case{-5, 0, 10, 0}, Case{kMin, kMin, kMax, kMin}, Case{5, 10, 0, 5}}) {
    ASSERT_EQ(Ui().gadget_set_int32(d, 1, c.value, c.min, c.max, 1, 0), 1);
    int32_t out = 0;
    ASSERT_EQ(Ui().gadget_get_int32(d, 1, &out), 1);
    EXPECT_EQ(out, c.expected) << c.value << " in [" << c.min << ", " << c.max << "]";
  }
  ASSERT_EQ(Ui().gadget_set_float(d, 2, 3.5, 0.0, 1.0, 0.1, 0), 1);
  double out = 0;
  ASSERT_EQ(Ui().gadget_get_float(d, 2, &out), 1);
  EXPECT_EQ(out, 1.0);
  EXPECT_EQ(Ui().gadget_set_float(d, 2, std::numeric_limits<double>::quiet_NaN(), 0, 1, 0.1, 0), 0);
  const VtVector bad = {0, std::numeric_limits<double>::infinity(), 0};
  EXPECT_EQ(Ui().gadget_set_color(d, 3, &bad, 1, 1, 0), 0);
  EXPECT_EQ(Model(probe).Find(3), nullptr);
}

TEST_F(DialogTest, ALaidOutWindowRefusesWritesToGadgetsItDoesNotHave) {
  ProbeDialog probe;
  Dialog& model = Model(probe);
  Gadget box;
  box.id = 10;
  box.kind = GadgetKind::kCheckbox;
  ASSERT_NE(model.AddGadget(box), nullptr);
  EXPECT_EQ(model.AddGadget(box), nullptr) << "ids are unique";
  model.layout_loaded = true;
  EXPECT_EQ(Ui().gadget_set_bool(probe.handle, 10, 1), 1);
  EXPECT_EQ(Ui().gadget_set_bool(probe.handle, 11, 1), 0);
  EXPECT_EQ(Ui().gadget_enable(probe.handle, 11, 0), 0);
  EXPECT_EQ(model.Find(11), nullptr);
}

TEST_F(DialogTest, UserChangesRespectKindEnabledStateAndEntries) {
  ProbeDialog probe;
  probe.on_layout = [](ProbeDialog& p) {
    Ui().gadget_set_bool(p.handle, 1, 0);
    Ui().popup_add(p.handle, 2, 5000, Text("X"));
    Ui().popup_add(p.handle, 2, 5001, Text("Y"));
    Ui().gadget_set_int32(p.handle, 2, 5000, kMin, kMax, 1, 0);
    const VtVector white = {1, 1, 1};
    Ui().gadget_set_color(p.handle, 3, &white, 0.25, 100, 0);
    Ui().gadget_set_int32(p.handle, 4, 5, 0, 10, 1, 0);
    Ui().gadget_set_text(p.handle, 5, Text("_mirror"), 0, 0);
    Ui().gadget_set_bool(p.handle, 6, 0);
    Ui().gadget_enable(p.handle, 6, 0);
  };
  OpenAsync(probe);
  Dialog& model = Model(probe);
  probe.calls.clear();

  EXPECT_TRUE(SetGadgetAsUser(model, 1, "true").done);
  EXPECT_TRUE(SetGadgetAsUser(model, 2, "5001").done);
  EXPECT_TRUE(SetGadgetAsUser(model, 3, "0,0.5,1").done);
  EXPECT_TRUE(SetGadgetAsUser(model, 4, "99").done);
  EXPECT_TRUE(SetGadgetAsUser(model, 5, "_copy").done);
  EXPECT_EQ(probe.calls,
            (std::vector<std::string>{"command 1", "command 2", "command 3", "command 4", "command 5"}));
  EXPECT_EQ(std::get<bool>(model.Find(1)->value), true);
  EXPECT_EQ(std::get<int32_t>(model.Find(2)->value), 5001);
  EXPECT_EQ(std::get<ColorValue>(model.Find(3)->value), (ColorValue{{0, 0.5, 1}, 0.25, 100}));
  EXPECT_EQ(std::get<int32_t>(model.Find(4)->value), 10) << "clamped to the field's limits";
  EXPECT_EQ(std::get<std::string>(model.Find(5)->value), "_copy");

  probe.calls.clear();
  struct Refusal {
    int32_t id;
    const char* value;
  };
  for (Refusal r : {Refusal{6, "true"}, Refusal{1, "yes"}, Refusal{2, "5002"}, Refusal{2, "X"},
                    Refusal{3, "1,2"}, Refusal{4, "2.5"}, Refusal{99, "1"}}) {
    UserOutcome outcome = SetGadgetAsUser(model, r.id, r.value);
    EXPECT_FALSE(outcome.done) << r.id << " = " << r.value;
    EXPECT_FALSE(outcome.reason.empty());
  }
  EXPECT_TRUE(probe.calls.empty()) << "a refused change tells the dialog nothing";
  EXPECT_EQ(std::get<bool>(model.Find(6)->value), false);
}

TEST_F(DialogTest, PressingReachesButtonsAndMenuEntriesOnly) {
  ProbeDialog probe;
  probe.on_layout = [](ProbeDialog& p) {
    Dialog& model = *HostDialogs().Find(p.handle);
    for (int32_t id : {10022, 10023}) {
      Gadget button;
      button.id = id;
      button.kind = GadgetKind::kButton;
      model.AddGadget(button);
    }
    Ui().gadget_enable(p.handle, 10023, 0);
    Ui().gadget_set_bool(p.handle, 10008, 0);
    Ui().menu_sub_begin(p.handle, Text("Help"));
    Ui().menu_add_entry(p.handle, 6000, Text("Simple usage..."));
    Ui().menu_sub_end(p.handle);
    Ui().menu_finished(p.handle);
  };
  OpenAsync(probe);
  Dialog& model = Model(probe);
  probe.calls.clear();
  EXPECT_TRUE(PressAsUser(model, 10022).done);
  EXPECT_TRUE(PressAsUser(model, 6000).done);
  EXPECT_FALSE(PressAsUser(model, 10023).done) << "disabled";
  EXPECT_FALSE(PressAsUser(model, 10008).done) << "a check box";
  EXPECT_FALSE(PressAsUser(model, 6001).done) << "missing";
  EXPECT_EQ(probe.calls, (std::vector<std::string>{"command 10022", "command 6000"}));
}

TEST_F(DialogTest, NonModalOpeningBuildsTheWindowOnceAndComesForwardAfterwards) {
  JournalCapture journal;
  ProbeDialog probe;
  probe.on_layout = [](ProbeDialog& p) { Ui().gadget_set_bool(p.handle, 1, 1); };
  OpenAsync(probe);
  EXPECT_EQ(probe.calls, (std::vector<std::string>{"layout", "values"}));
  EXPECT_EQ(HostDialogs().OpenNonModal(), &Model(probe));

  // A second opening while shown keeps the window and what the user set.
  ASSERT_TRUE(SetGadgetAsUser(Model(probe), 1, "false").done);
  OpenAsync(probe);
  EXPECT_EQ(std::get<bool>(Model(probe).Find(1)->value), false);
  EXPECT_EQ(probe.calls.size(), 3u);

  // Closing asks first; a dialog that wants to stay open stays.
  probe.keep_open = true;
  EXPECT_EQ(Ui().dialog_close(probe.handle), 0);
  EXPECT_TRUE(Model(probe).open);
  probe.keep_open = false;
  EXPECT_EQ(Ui().dialog_close(probe.handle), 1);
  EXPECT_EQ(HostDialogs().OpenNonModal(), nullptr);
  EXPECT_EQ(Ui().dialog_close(probe.handle), 0) << "closed already";

  // Opening anew builds a new window.
  OpenAsync(probe);
  EXPECT_EQ(std::get<bool>(Model(probe).Find(1)->value), true);

  auto opens = journal.Events("dialog.open");
  ASSERT_EQ(opens.size(), 3u);
  EXPECT_TRUE(opens[0]["id"].IsNull()) << "no description was loaded";
  EXPECT_FALSE(opens[0]["modal"].GetBool());
  EXPECT_TRUE(opens[0]["result"].GetBool());
  EXPECT_FALSE(opens[0].HasMember("gadgets"));
  EXPECT_EQ(journal.Events("dialog.close").size(), 1u);
}

TEST_F(DialogTest, AFailedLayoutLeavesTheDialogClosed) {
  JournalCapture journal;
  ProbeDialog probe;
  probe.layout_result = false;
  EXPECT_EQ(Ui().dialog_open(probe.handle, VT_DLG_TYPE_ASYNC, 1, -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(probe.calls, (std::vector<std::string>{"layout"}));
  EXPECT_FALSE(Model(probe).open);
  EXPECT_EQ(HostDialogs().OpenNonModal(), nullptr);
  auto opens = journal.Events("dialog.open");
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_FALSE(opens[0]["result"].GetBool());
  EXPECT_EQ(Ui().dialog_open(probe.handle, 99, 1, -1, -1, 0, 0, 0), 0) << "unknown dialog type";
}

TEST_F(DialogTest, AModalDialogIsReadThenClosedByItsClosingButton) {
  JournalCapture journal;
  ProbeDialog probe;
  probe.on_layout = [](ProbeDialog& p) { Ui().gadget_set_text(p.handle, 10028, Text("Version 1.2"), 0, 0); };
  probe.on_command = [](ProbeDialog& p, int32_t id) {
    if (id == kModalCloseButton) Ui().dialog_close(p.handle);
  };
  EXPECT_EQ(Ui().dialog_open(probe.handle, VT_DLG_TYPE_MODAL, 0, -1, -1, 0, 0, 0), 1);
  EXPECT_EQ(probe.calls, (std::vector<std::string>{"layout", "values", "command 10022", "ask"}));
  EXPECT_FALSE(Model(probe).open) << "closed before the open returned";
  EXPECT_EQ(HostDialogs().OpenNonModal(), nullptr) << "a modal dialog is never the one users act on";
  EXPECT_EQ(journal.Names(), (std::vector<std::string>{"dialog.open", "dialog.close"}));
  auto opens = journal.Events("dialog.open");
  const auto& open = opens.at(0);
  EXPECT_TRUE(open["modal"].GetBool());
  EXPECT_STREQ(open["gadgets"]["10028"]["value"].GetString(), "Version 1.2");
  EXPECT_FALSE(journal.Events("dialog.close").at(0).HasMember("forced"));
}

// Neither a dialog that ignores its closing button nor one that refuses to
// close can keep the host waiting.
TEST_F(DialogTest, AModalDialogThatDoesNotCloseIsClosedByTheHost) {
  for (bool refuses : {false, true}) {
    JournalCapture journal;
    ProbeDialog probe;
    probe.keep_open = refuses;
    EXPECT_EQ(Ui().dialog_open(probe.handle, VT_DLG_TYPE_MODAL_RESIZEABLE, 0, -1, -1, 0, 0, 0), 1);
    EXPECT_FALSE(Model(probe).open);
    auto closes = journal.Events("dialog.close");
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].HasMember("forced"), refuses);
  }
}

// A modal dialog whose closing button opens it again, or opens another one
// from there without end, comes to a stop.
TEST_F(DialogTest, ModalDialogsOpeningModalDialogsStop) {
  ProbeDialog probe;
  probe.on_command = [](ProbeDialog& p, int32_t) {
    EXPECT_EQ(Ui().dialog_open(p.handle, VT_DLG_TYPE_MODAL, 0, -1, -1, 0, 0, 0), 0) << "it is open already";
    auto* nested = new ProbeDialog;
    nested->on_command = p.on_command;
    Ui().dialog_open(nested->handle, VT_DLG_TYPE_MODAL, 0, -1, -1, 0, 0, 0);
    delete nested;
  };
  EXPECT_EQ(Ui().dialog_open(probe.handle, VT_DLG_TYPE_MODAL, 0, -1, -1, 0, 0, 0), 1);
}

TEST_F(DialogTest, ADialogFreedInsideItsOwnCallbackIsNotUsedAgain) {
  auto* probe = new ProbeDialog;
  probe->on_command = [](ProbeDialog& p, int32_t) {
    Ui().dialog_free(p.handle);
    EXPECT_EQ(Ui().gadget_set_bool(p.handle, 1, 1), 0) << "the handle is dead at once";
  };
  VtDialog* handle = probe->handle;
  EXPECT_EQ(Ui().dialog_open(handle, VT_DLG_TYPE_MODAL, 0, -1, -1, 0, 0, 0), 1);
  EXPECT_EQ(HostDialogs().Find(handle), nullptr);
  EXPECT_EQ(Ui().dialog_open(handle, VT_DLG_TYPE_ASYNC, 0, -1, -1, 0, 0, 0), 0);
  delete probe;  // its own free is refused quietly

  HostFaults().FailFrom(Fault::kDialog, 1);
  ProbeDialog refused;
  EXPECT_EQ(refused.handle, nullptr);
  ProbeDialog next;
  EXPECT_NE(next.handle, nullptr);
}

TEST_F(DialogTest, TheDumpShowsMenusAndEveryAddressableGadget) {
  ProbeDialog probe;
  probe.on_layout = [](ProbeDialog& p) {
    Dialog& model = *HostDialogs().Find(p.handle);
    model.title = "Vitrel";
    model.description_id = 10001;
    Gadget label;
    label.id = -1;
    label.kind = GadgetKind::kText;
    model.AddGadget(label);
    Gadget banner;
    banner.id = 10002;
    banner.kind = GadgetKind::kUserArea;
    banner.caption = "Banner";
    model.AddGadget(banner);
    Ui().menu_flush_all(p.handle);
    Ui().menu_sub_begin(p.handle, Text("File"));
    Ui().menu_add_entry(p.handle, 6010, Text("Close manager"));
    Ui().menu_sub_begin(p.handle, Text("Recent"));
    Ui().menu_add_entry(p.handle, 6011, Text("One"));
    Ui().menu_sub_end(p.handle);
    Ui().menu_sub_end(p.handle);
    Ui().menu_finished(p.handle);
    Ui().popup_clear(p.handle, 10005);
    Ui().popup_add(p.handle, 10005, 5000, Text("X"));
    Ui().popup_add(p.handle, 10005, 5001, Text("Y"));
    Ui().gadget_set_int32(p.handle, 10005, 5001, kMin, kMax, 1, 0);
    const VtVector grey = {0.5, 0.5, 0.5};
    Ui().gadget_set_color(p.handle, 10020, &grey, 1.0, 100.0, 0);
    Ui().gadget_set_float(p.handle, 10030, 0.25, 0, 1, 0.1, 0);
    Ui().gadget_set_bool(p.handle, 10009, 0);
    Ui().gadget_enable(p.handle, 10009, 0);
  };
  OpenAsync(probe);
  rapidjson::Document dump;
  dump.Parse(DumpDialog(Model(probe)).c_str());
  ASSERT_FALSE(dump.HasParseError());
  EXPECT_EQ(dump["id"].GetInt(), 10001);
  EXPECT_STREQ(dump["title"].GetString(), "Vitrel");
  const auto& menus = dump["menus"];
  ASSERT_EQ(menus.Size(), 2u);
  EXPECT_STREQ(menus[0]["title"].GetString(), "File");
  EXPECT_EQ(menus[0]["entries"][0][0].GetInt(), 6010);
  EXPECT_STREQ(menus[0]["entries"][0][1].GetString(), "Close manager");
  EXPECT_STREQ(menus[1]["title"].GetString(), "File/Recent");

  const auto& gadgets = dump["gadgets"];
  EXPECT_EQ(gadgets.MemberCount(), 5u) << "the unnamed label is left out";
  EXPECT_STREQ(gadgets.MemberBegin()->name.GetString(), "10002") << "layout order";
  EXPECT_STREQ(gadgets["10002"]["kind"].GetString(), "userarea");
  EXPECT_STREQ(gadgets["10002"]["caption"].GetString(), "Banner");
  EXPECT_TRUE(gadgets["10002"]["value"].IsNull());
  EXPECT_STREQ(gadgets["10005"]["kind"].GetString(), "popup");
  EXPECT_EQ(gadgets["10005"]["value"].GetInt(), 5001);
  EXPECT_EQ(gadgets["10005"]["entries"].Size(), 2u);
  EXPECT_STREQ(gadgets["10005"]["entries"][1][1].GetString(), "Y");
  EXPECT_EQ(gadgets["10020"]["value"]["color"][1].GetDouble(), 0.5);
  EXPECT_EQ(gadgets["10020"]["value"]["brightness"].GetDouble(), 1.0);
  EXPECT_EQ(gadgets["10030"]["value"].GetDouble(), 0.25);
  EXPECT_FALSE(gadgets["10009"]["enabled"].GetBool());
  EXPECT_FALSE(gadgets["10009"]["value"].GetBool());
  EXPECT_TRUE(gadgets["10009"]["entries"].IsArray());
}

}  // namespace
}  // namespace standin::testing
