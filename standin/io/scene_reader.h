// Reads scene files (format "vitrel-scene", version 1) into documents.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "scene/document.h"

namespace standin {

// A scene that cannot be read. The message names the file and the place:
// "FILE:LINE:COLUMN: ..." for text that is not JSON (or nests too deeply),
// "FILE: objects[0].children[2].points[5]: ..." for a broken rule.
class SceneReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How many JSON arrays and objects may be open at once (the top-level object
// is the first). Each level of an object hierarchy takes two: the object and
// its "children" array.
inline constexpr size_t kMaxSceneNesting = 250000;

// Reads the scene text `json` into a new document of `scene`; `file_name`
// names the text in messages. On an error nothing is added to any document:
// objects already made stay in the scene's pool, outside every document.
Document& ReadScene(std::string_view json, std::string_view file_name, Scene& scene);

// Reads the scene file at `path`; "-" reads standard input.
Document& ReadSceneFile(std::string_view path, Scene& scene);

}  // namespace standin
