#include "scene_testing.h"

#include <unordered_map>

#include "journal/journal.h"

namespace standin::testing {

void CopyDocument(const Document& from, Document& to) {
  std::unordered_map<const Object*, Object*> copies;
  for (const Object* at = from.first(); at != nullptr; at = NextInDocument(at)) {
    Object* made = to.scene().NewObject(at->type);
    made->data = at->data;
    made->selected = at->selected;
    to.Append(made, at->parent ? copies.at(at->parent) : nullptr);
    copies.emplace(at, made);
  }
}

::testing::AssertionResult SameDocument(const Document& a, const Document& b) {
  // A pre-order sequence in which each object tells whether it has a first
  // child and a next sibling fixes the shape of the whole hierarchy.
  const Object* x = a.first();
  const Object* y = b.first();
  for (int64_t index = 0; x != nullptr && y != nullptr; ++index) {
    const char* what = nullptr;
    if (x->type != y->type) what = "type";
    if (x->data.name != y->data.name) what = "name";
    if (x->data.matrix != y->data.matrix) what = "matrix";
    if (x->data.params != y->data.params) what = "params";
    if (x->data.points != y->data.points) what = "points";
    if (x->data.tangents != y->data.tangents) what = "tangents";
    if (x->data.polygons != y->data.polygons) what = "polygons";
    if (x->data.vector != y->data.vector) what = "vector";
    if (x->data.color != y->data.color) what = "color";
    if (x->selected != y->selected) what = "selection";
    if ((x->first_child == nullptr) != (y->first_child == nullptr)) what = "children";
    if ((x->next == nullptr) != (y->next == nullptr)) what = "siblings";
    if (what != nullptr) {
      return ::testing::AssertionFailure() << "object " << index << " (" << x->data.name << " / "
                                           << y->data.name << ") differs in " << what;
    }
    x = NextInDocument(x);
    y = NextInDocument(y);
  }
  if (x != nullptr || y != nullptr) return ::testing::AssertionFailure() << "object counts differ";
  return ::testing::AssertionSuccess();
}

void SceneTest::SetUp() {
  Restart();
  HostJournal().SetOutput(&journal_);
}

void SceneTest::Restart() {
  TheSceneHost().Reset();
  journal_.str("");
}

void SceneTest::TearDown() { HostJournal().SetOutput(nullptr); }

Object* SceneTest::Add(int32_t type, std::string name, Object* parent) {
  Object* op = TheSceneHost().scene().NewObject(type);
  op->data.name = std::move(name);
  doc().Append(op, parent);
  return op;
}

Object* SceneTest::Loose(int32_t type, std::string name) {
  Object* op = TheSceneHost().scene().NewObject(type);
  op->data.name = std::move(name);
  return op;
}

Document& SceneTest::Keep() {
  Document& copy = TheSceneHost().scene().NewDocument();
  CopyDocument(doc(), copy);
  return copy;
}

std::vector<rapidjson::Document> SceneTest::Events(std::string_view name) const {
  std::vector<rapidjson::Document> events;
  std::istringstream lines(journal_.str());
  for (std::string line; std::getline(lines, line);) {
    rapidjson::Document event;
    event.Parse(line.c_str());
    if (!event.HasParseError() && event.IsObject() && event.HasMember("event") && event["event"].IsString() &&
        name == event["event"].GetString()) {
      events.push_back(std::move(event));
    }
  }
  return events;
}

int64_t SceneTest::Count(std::string_view name) const { return HostJournal().Count(name); }

}  // namespace standin::testing
