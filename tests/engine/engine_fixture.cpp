#include "engine_fixture.h"

#include "flipit_ids.h"
#include "host/host_table.h"
#include "host/scene_host.h"
#include "journal/journal.h"
#include "journal_events.h"
#include "scene/rotation.h"
#include "table/host_table.h"

namespace vitrel::testing {

void EngineTest::SetUp() {
  standin::TheSceneHost().Reset();
  standin::HostJournal().SetOutput(&journal_);
  ASSERT_TRUE(vitrel::host::Bind(&standin::StandinHostTable()));
  // The dialog's window holds the gadgets the engine reads. Without a
  // plug-in folder there is no dialog description: the gadgets are made as
  // the dialog writes its settings into them.
  dialog_.emplace();
  dialog_->Open(DLG_TYPE::ASYNC, ID_VITREL, -1, -1, 0, 0, 0);
  SetOption(IDC_AXIS, AXIS_X);
  SetOption(IDC_POSITIONING, POSITION_MOVE_ROTATE);
  SetOption(IDC_MIRROR_POINTS, true);
  for (int32_t id : {IDC_DUPLICATE, IDC_DUPLICATE_WITHOUT_CHILDREN, IDC_SKIP_CHILDREN, IDC_SKIP_PRIMITIVES,
                     IDC_SKIP_POLYGON_COMMAND, IDC_FINAL_COMMAND}) {
    SetOption(id, false);
  }
}

void EngineTest::TearDown() {
  ExpectEveryChangeRegistered();
  dialog_.reset();
  vitrel::host::Unbind();
  standin::HostJournal().SetOutput(nullptr);
}

void EngineTest::ExpectEveryChangeRegistered() {
  // Whatever a case did, the engine registered every object before changing it.
  EXPECT_EQ(standin::HostJournal().Count("undo.missing"), 0) << "objects changed without undo in " << case_;
}

void EngineTest::ResetScene(const std::string& caseName) {
  ExpectEveryChangeRegistered();
  ++scenes_;
  case_ = caseName.empty() ? "scene " + std::to_string(scenes_) : caseName;
  standin::TheSceneHost().Reset();
  standin::HostJournal().Flush();
  journal_.str("");
}

standin::Document& EngineTest::doc() { return *standin::TheSceneHost().active_document(); }

BaseDocument* EngineTest::Doc() { return BaseDocument::FromHandle(reinterpret_cast<VtDocument*>(&doc())); }

standin::Object* EngineTest::Add(int32_t type, const std::string& name, standin::Object* parent) {
  standin::Object* op = standin::TheSceneHost().scene().NewObject(type);
  op->data.name = name;
  doc().Append(op, parent);
  return op;
}

standin::Object* EngineTest::AddPlaced(int32_t type, const standin::Vec3& off, const standin::Vec3& hpb,
                                       const standin::Vec3& scale) {
  standin::Object* op = Add(type);
  op->data.matrix = PlacedMatrix(off, hpb, scale);
  return op;
}

std::vector<rapidjson::Document> EngineTest::Events(const std::string& name) {
  standin::HostJournal().Flush();
  return test_support::JournalEvents(journal_.str(), name);
}

std::vector<std::string> EngineTest::EventNames() {
  std::vector<std::string> names;
  for (const rapidjson::Document& e : Events("")) names.emplace_back(e["event"].GetString());
  return names;
}

std::vector<std::string> EngineTest::Objects(const std::string& event) {
  std::vector<std::string> names;
  for (const rapidjson::Document& e : Events(event))
    names.emplace_back(e["object"].IsString() ? e["object"].GetString() : "");
  return names;
}

Placement PlacementOf(const standin::Object& op) {
  const standin::Matrix& m = op.data.matrix;
  return {
      m.off, standin::MatrixToHpb(m), {standin::Length(m.v1), standin::Length(m.v2), standin::Length(m.v3)}};
}

standin::Matrix PlacedMatrix(const standin::Vec3& off, const standin::Vec3& hpb, const standin::Vec3& scale) {
  standin::Matrix m = standin::HpbToMatrix(hpb);
  auto scaled = [](const standin::Vec3& v, double s) { return standin::Vec3{v.x * s, v.y * s, v.z * s}; };
  m.off = off;
  m.v1 = scaled(m.v1, scale.x);
  m.v2 = scaled(m.v2, scale.y);
  m.v3 = scaled(m.v3, scale.z);
  return m;
}

void ExpectSameMatrix(const standin::Matrix& actual, const standin::Matrix& expected) {
  const standin::Vec3 a[4] = {actual.off, actual.v1, actual.v2, actual.v3};
  const standin::Vec3 e[4] = {expected.off, expected.v1, expected.v2, expected.v3};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(a[i].x, e[i].x, 1e-9) << "vector " << i;
    EXPECT_NEAR(a[i].y, e[i].y, 1e-9) << "vector " << i;
    EXPECT_NEAR(a[i].z, e[i].z, 1e-9) << "vector " << i;
  }
}

}  // namespace vitrel::testing
