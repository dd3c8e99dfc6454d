// Helpers for tests that read scene text.
#pragma once

#include <string>
#include <string_view>

#include "io/scene_reader.h"

namespace standin::testing {

// A whole scene file around the given top-level objects.
inline std::string SceneWith(std::string_view objects) {
  return R"({"format": "vitrel-scene", "version": 1, "objects": [)" + std::string(objects) + "]}";
}

// The message of reading `text` as the file "t.json", or "" when it reads.
inline std::string ReadFailure(std::string_view text) {
  Scene scene;
  try {
    ReadScene(text, "t.json", scene);
  } catch (const SceneReadError& error) {
    return error.what();
  }
  return {};
}

}  // namespace standin::testing
