// Reads the input as a scene file. A scene that reads must write, the
// written text must read back to the same objects, and writing those again
// must give the same bytes; a rejected input must give a one-line message.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "io/scene_reader.h"
#include "io/scene_writer.h"

namespace {

[[noreturn]] void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz_scene_reader: %s: %s\n", what, detail.c_str());
  std::abort();
}

// The object after `op` in depth-first order, or null.
const standin::Object* Following(const standin::Object* op) {
  if (op->first_child != nullptr) return op->first_child;
  while (op != nullptr && op->next == nullptr) op = op->parent;
  return op == nullptr ? nullptr : op->next;
}

// Whether both hierarchies hold equal objects in the same places.
bool SameObjects(const standin::Object* a, const standin::Object* b) {
  for (; a != nullptr && b != nullptr; a = Following(a), b = Following(b)) {
    if (a->type != b->type || a->selected != b->selected || a->data != b->data ||
        (a->first_child == nullptr) != (b->first_child == nullptr) ||
        (a->next == nullptr) != (b->next == nullptr))
      return false;
  }
  return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  standin::Scene scene;
  const standin::Document* document = nullptr;
  try {
    document = &standin::ReadScene({reinterpret_cast<const char*>(data), size}, "input.json", scene);
  } catch (const standin::SceneReadError& error) {
    if (std::strchr(error.what(), '\n') != nullptr) Broken("message of more than one line", error.what());
    return 0;
  }
  const std::string written = standin::SceneToJson(*document);
  standin::Scene again;
  const standin::Document* reread = nullptr;
  try {
    reread = &standin::ReadScene(written, "written.json", again);
  } catch (const standin::SceneReadError& error) {
    Broken("the written scene does not read back", error.what());
  }
  if (!SameObjects(document->first(), reread->first()))
    Broken("the written scene reads back changed", written);
  if (standin::SceneToJson(*reread) != written)
    Broken("writing the scene read back gives other bytes", written);
  return 0;
}
