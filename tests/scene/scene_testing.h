// Shared pieces of the scene tests: a fixture on a fresh host scene with the
// journal captured, scene builders, and whole-document copies and equality.
#pragma once

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "host/scene_host.h"
#include "scene/document.h"
#include "table/scene_ops.h"

namespace standin::testing {

inline VtObject* H(Object* op) { return reinterpret_cast<VtObject*>(op); }
inline Object* O(VtObject* op) { return reinterpret_cast<Object*>(op); }
inline VtDocument* H(Document* doc) { return reinterpret_cast<VtDocument*>(doc); }

// Copies every object of `from` (data, type, selection, links) into `to`,
// which must be empty.
void CopyDocument(const Document& from, Document& to);

// Equal object for object in document order: type, data, selection and the
// shape of the hierarchy. On failure names the first object that differs.
::testing::AssertionResult SameDocument(const Document& a, const Document& b);

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A fresh scene and an empty journal.
  void Restart();
  Document& doc() { return *TheSceneHost().active_document(); }
  VtDocument* vdoc() { return H(&doc()); }
  // A new object appended under `parent` (null: top level) of the document.
  Object* Add(int32_t type, std::string name, Object* parent = nullptr);
  // A new object outside any document.
  Object* Loose(int32_t type, std::string name);
  // A copy of the active document, kept in the same scene.
  Document& Keep();

  // The journal lines so far with this event name, parsed.
  std::vector<rapidjson::Document> Events(std::string_view name) const;
  int64_t Count(std::string_view name) const;

  const VtSceneOps& ops = StandinSceneOps();

 private:
  std::ostringstream journal_;
};

}  // namespace standin::testing
