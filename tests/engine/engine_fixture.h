// The plug-in bound in-process to the stand-in host's table: a fresh scene
// and journal for every test, scenes built in C++, and a mirror dialog whose
// gadgets the tests set through the host.
#pragma once

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "flipit.h"
#include "host/base_object.h"
#include "scene/document.h"
#include "scene/object.h"

namespace vitrel::testing {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A fresh scene and an empty journal, within one test. The host forgets
  // its counts with the scene, so the scene that ends is checked first for
  // changes the engine did not register for undo. `caseName` names the new
  // scene in that check's failure (without it, its number in the test).
  void ResetScene(const std::string& caseName = "");

  standin::Document& doc();
  BaseDocument* Doc();
  static BaseObject* Op(standin::Object* op) {
    return BaseObject::FromHandle(reinterpret_cast<VtObject*>(op));
  }

  // A new object appended under `parent` (null: top level).
  standin::Object* Add(int32_t type, const std::string& name = "", standin::Object* parent = nullptr);
  // An object of `type` placed at `off` with angles `hpb` and axis lengths
  // `scale`.
  standin::Object* AddPlaced(int32_t type, const standin::Vec3& off, const standin::Vec3& hpb,
                             const standin::Vec3& scale = {1, 1, 1});

  // The default options of a first opening: axis X, move and rotate,
  // points mirrored, everything else off.
  void SetOption(int32_t id, bool value) { dialog_->SetBool(id, value); }
  void SetOption(int32_t id, int32_t value) { dialog_->SetInt32(id, value); }
  FlipItDialog& dialog() { return *dialog_; }

  // Runs `step` inside one undo group, as the run does, so that the host
  // checks each write for its undo registration.
  template <typename Step>
  void InGroup(Step&& step) {
    Doc()->StartUndo();
    step();
    Doc()->EndUndo();
  }

  // The journal's events of that name (all for "") so far, in order.
  std::vector<rapidjson::Document> Events(const std::string& name);
  // The names of all events so far, in order.
  std::vector<std::string> EventNames();
  // The name paths of the objects that `event` events named, in order.
  std::vector<std::string> Objects(const std::string& event);

 private:
  // Adds a failure, naming the scene's case, for every object the engine
  // changed without registering it for undo.
  void ExpectEveryChangeRegistered();

  std::ostringstream journal_;
  std::optional<FlipItDialog> dialog_;
  std::string case_ = "scene 1";
  int scenes_ = 1;
};

// The placement of a local matrix, as the host reads it.
struct Placement {
  standin::Vec3 off, hpb, scale;
};
Placement PlacementOf(const standin::Object& op);
standin::Matrix PlacedMatrix(const standin::Vec3& off, const standin::Vec3& hpb, const standin::Vec3& scale);
// Two placements that put every local point at the same place.
void ExpectSameMatrix(const standin::Matrix& actual, const standin::Matrix& expected);

}  // namespace vitrel::testing
