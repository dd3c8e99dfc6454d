// Runs of the standin program on scenes made for one handler rule each, and
// what the checks of their results share: placements built from angles the
// way the host builds them, and comparisons within a tolerance.
#pragma once

#include <string>
#include <vector>

#include "scene/document.h"
#include "standin_fixture.h"

namespace vitrel::handlers {

using standin::Container;
using standin::Matrix;
using standin::Object;
using standin::Vec3;

inline constexpr double kPi = 3.141592653589793;

// The local matrix at `offset`, turned by (H, P, B) in the host's rotation
// order and scaled by `scale` along its own axes.
Matrix Placement(Vec3 offset, Vec3 hpb, Vec3 scale);

// Adds a failure for each of the twelve numbers further apart than 1e-9.
void ExpectMatrixNear(const Matrix& actual, const Matrix& expected);
// Adds a failure unless both hold the same ids with values of the same
// kind, floats (also in vectors and curves) within 1e-9.
void ExpectParamsNear(const Container& actual, const Container& expected);

// One object of a scene file, as JSON text. `params` and `extra` are the
// text inside the object's braces (without the outer braces; "" for none).
std::string ObjectText(const std::string& name, int type, Vec3 offset, Vec3 hpb, Vec3 scale,
                       const std::string& params, const std::string& extra = "",
                       const std::vector<std::string>& children = {});
// A scene holding a selected top object `top`.
std::string SceneText(const std::string& top);

class HandlerRun : public e2e::StandinTest {
 protected:
  // Mirrors the scene `text` with `options` (after "mirror SCENE"), writing
  // the journal to journal(); fails the test unless the program succeeds and
  // registered every change for undo. Returns the scene the program wrote.
  const standin::Document& Mirror(const std::string& text, const std::vector<std::string>& options);

  // How many events `name` of the last run name the object at `path`, and
  // for messages carry the id `message`.
  int CountEvents(const std::string& name, const std::string& path, int message = 0);

  // The object at `path` (names joined with '/') of the last mirrored scene.
  const Object& Find(const std::string& path);

 private:
  standin::Scene scene_;
  const standin::Document* last_ = nullptr;
};

}  // namespace vitrel::handlers
