// Text handed over in pieces, so that a long output (a scene file) is never
// held whole on its way to a file.
#pragma once

#include <functional>
#include <string_view>

namespace standin {

// Receives a text's pieces, in order; may throw (FileWriteError when what it
// writes to fails).
using TextSink = std::function<void(std::string_view piece)>;

// Makes a text, handing its pieces to `sink` in order; may throw (a scene
// that cannot be written throws SceneWriteError).
using TextProducer = std::function<void(const TextSink& sink)>;

}  // namespace standin
