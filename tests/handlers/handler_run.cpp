#include "handler_run.h"

#include <cmath>
#include <sstream>
#include <variant>

#include "io/json_text.h"
#include "io/scene_reader.h"

namespace vitrel::handlers {
namespace {

Vec3 Scaled(Vec3 v, double s) { return {v.x * s, v.y * s, v.z * s}; }

void ExpectVecNear(const Vec3& actual, const Vec3& expected, const std::string& what) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9) << what << ".x";
  EXPECT_NEAR(actual.y, expected.y, 1e-9) << what << ".y";
  EXPECT_NEAR(actual.z, expected.z, 1e-9) << what << ".z";
}

std::string VecText(Vec3 v) {
  std::string text = "[";
  standin::AppendJsonFloat(text, v.x);
  text += ", ";
  standin::AppendJsonFloat(text, v.y);
  text += ", ";
  standin::AppendJsonFloat(text, v.z);
  return text + "]";
}

}  // namespace

Matrix Placement(Vec3 offset, Vec3 hpb, Vec3 scale) {
  // R = Ry(H) * Rx(P) * Rz(B); the axes are R's columns.
  const double ch = std::cos(hpb.x), sh = std::sin(hpb.x);
  const double cp = std::cos(hpb.y), sp = std::sin(hpb.y);
  const double cb = std::cos(hpb.z), sb = std::sin(hpb.z);
  const Vec3 x{ch * cb + sh * sp * sb, cp * sb, -sh * cb + ch * sp * sb};
  const Vec3 y{-ch * sb + sh * sp * cb, cp * cb, sh * sb + ch * sp * cb};
  const Vec3 z{sh * cp, -sp, ch * cp};
  return {offset, Scaled(x, scale.x), Scaled(y, scale.y), Scaled(z, scale.z)};
}

void ExpectMatrixNear(const Matrix& actual, const Matrix& expected) {
  ExpectVecNear(actual.off, expected.off, "offset");
  ExpectVecNear(actual.v1, expected.v1, "axis 1");
  ExpectVecNear(actual.v2, expected.v2, "axis 2");
  ExpectVecNear(actual.v3, expected.v3, "axis 3");
}

void ExpectParamsNear(const Container& actual, const Container& expected) {
  ASSERT_EQ(actual.size(), expected.size()) << "a parameter was added or lost";
  for (const auto& [id, want] : expected) {
    const auto found = actual.find(id);
    ASSERT_NE(found, actual.end()) << "parameter " << id;
    const standin::ParamValue& got = found->second;
    ASSERT_EQ(got.index(), want.index()) << "parameter " << id << " changed its kind";
    const std::string what = "parameter " + std::to_string(id);
    if (const auto* f = std::get_if<double>(&want)) {
      EXPECT_NEAR(std::get<double>(got), *f, 1e-9) << what;
    } else if (const auto* v = std::get_if<Vec3>(&want)) {
      ExpectVecNear(std::get<Vec3>(got), *v, what);
    } else if (const auto* c = std::get_if<standin::SplineCurve>(&want)) {
      const auto& knots = std::get<standin::SplineCurve>(got).knots;
      ASSERT_EQ(knots.size(), c->knots.size()) << what;
      for (size_t k = 0; k < knots.size(); ++k) {
        EXPECT_NEAR(knots[k][0], c->knots[k][0], 1e-9) << what << " knot " << k;
        EXPECT_NEAR(knots[k][1], c->knots[k][1], 1e-9) << what << " knot " << k;
      }
    } else {
      EXPECT_EQ(got, want) << what;
    }
  }
}

std::string ObjectText(const std::string& name, int type, Vec3 offset, Vec3 hpb, Vec3 scale,
                       const std::string& params, const std::string& extra,
                       const std::vector<std::string>& children) {
  std::string text = "{\"name\": ";
  standin::AppendJsonString(text, name);
  text += ", \"type\": " + std::to_string(type) + ", \"transform\": {\"position\": " + VecText(offset) +
          ", \"rotation\": " + VecText(hpb) + ", \"scale\": " + VecText(scale) + "}, \"params\": {" + params +
          "}";
  if (!extra.empty()) text += ", " + extra;
  text += ", \"children\": [";
  for (size_t i = 0; i < children.size(); ++i) text += (i == 0 ? "" : ", ") + children[i];
  return text + "]}";
}

std::string SceneText(const std::string& top) {
  // The top object's braces stay its own; only the selection is added.
  return "{\"format\": \"vitrel-scene\", \"version\": 1, \"objects\": [" + top.substr(0, top.size() - 1) +
         ", \"selected\": true}]}";
}

const standin::Document& HandlerRun::Mirror(const std::string& text,
                                            const std::vector<std::string>& options) {
  WriteText(File("in.json"), text);
  std::vector<std::string> args{"mirror", "in.json", "--out", "out.json", "--journal", journal().string()};
  args.insert(args.end(), options.begin(), options.end());
  const e2e::ProgramRun run = Standin(args);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Events("undo.missing").empty());
  last_ = &standin::ReadSceneFile(File(run.status == 0 ? "out.json" : "in.json").string(), scene_);
  return *last_;
}

int HandlerRun::CountEvents(const std::string& name, const std::string& path, int message) {
  int count = 0;
  for (const rapidjson::Document& event : Events(name)) {
    if (!event.HasMember("object") || !event["object"].IsString() || event["object"].GetString() != path)
      continue;
    if (message != 0 && (!event.HasMember("id") || !event["id"].IsInt() || event["id"].GetInt() != message))
      continue;
    ++count;
  }
  return count;
}

const Object& HandlerRun::Find(const std::string& path) {
  std::istringstream names(path);
  const Object* op = last_ != nullptr ? last_->first() : nullptr;
  std::string name;
  bool first = true;
  while (std::getline(names, name, '/')) {
    if (!first) op = op != nullptr ? op->first_child : nullptr;
    first = false;
    while (op != nullptr && op->data.name != name) op = op->next;
  }
  if (op == nullptr) throw std::runtime_error("no object " + path);
  return *op;
}

}  // namespace vitrel::handlers
