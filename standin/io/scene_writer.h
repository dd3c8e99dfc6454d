// Writes documents as scene files (format "vitrel-scene", version 1).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "io/text_sink.h"
#include "scene/document.h"

namespace standin {

// A document that cannot be written: a number that is not finite has no
// JSON form. The message names the place ("objects[0].matrix: ...").
class SceneWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The scene file of `document`: every key of every object (the placement
// always as "matrix"; points, tangents and polygons when the object holds
// them), parameters in ascending id order, floats in their shortest exact
// form, two spaces of indentation per level. Reading the text back gives the
// same document bit for bit, and writing that again gives the same text.
std::string SceneToJson(const Document& document);

// SceneToJson, its errors named by the output `path` they were meant for.
std::string SceneFileText(const Document& document, std::string_view path);

// The text SceneToJson makes, handed to `sink` in pieces of about 1 MiB
// rather than held whole. On a SceneWriteError what the sink was given is
// no whole file.
void WriteSceneText(const Document& document, const TextSink& sink);
// WriteSceneText, its errors named by the output `path`.
void WriteSceneText(const Document& document, std::string_view path, const TextSink& sink);

// Throws the SceneWriteError that writing `document` for `path` would throw,
// writing nothing: a run finds it before it settles its outputs.
void CheckSceneFile(const Document& document, std::string_view path);

// Writes the scene file of `document` to `path` ("-": standard output),
// straight into the temporary file that replaces a file. A file is replaced
// only by a complete new one; on an error nothing is written. Throws
// SceneWriteError or FileWriteError (see output_file.h).
void WriteSceneFile(const Document& document, std::string_view path);

}  // namespace standin
