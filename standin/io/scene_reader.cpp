// Scene text to a document: the JSON parser drives the object reader
// (scene_handler.h) over the text, and nothing reaches a document before
// the whole text has been read.
#include "io/scene_reader.h"

#include <rapidjson/reader.h>

#include <string>

#include "io/input_file.h"
#include "io/scene_handler.h"
#include "io/scene_number_events.h"
#include "io/scene_object_events.h"
#include "io/scene_stream.h"
#include "io/scene_text_errors.h"

namespace standin {
namespace {

using scene_reading::PositionError;

constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag;

}  // namespace

Document& ReadScene(std::string_view json, std::string_view file_name, Scene& scene) {
  if (json.starts_with("\xEF\xBB\xBF")) json.remove_prefix(3);  // a byte-order mark some editors write
  scene_reading::SceneStream stream(json);
  scene_reading::SceneHandler handler(scene, stream);
  rapidjson::Reader reader;
  const rapidjson::ParseResult result = reader.Parse<kParseFlags>(stream, handler);
  if (handler.failed()) {
    if (handler.error_has_offset())
      throw PositionError(file_name, json, handler.error_offset(), handler.error());
    throw SceneReadError(std::string(file_name) + ": " + handler.error());
  }
  if (result.IsError())
    throw PositionError(file_name, json, result.Offset(), scene_reading::ParseErrorText(result.Code()));
  // The parser takes a NUL byte for the end of the text; anything after it
  // would be silently dropped.
  if (stream.Tell() != json.size())
    throw PositionError(file_name, json, stream.Tell(), "NUL byte in the text");

  Document& document = scene.NewDocument();
  for (Object* op : handler.top_level()) document.Append(op, nullptr);
  return document;
}

Document& ReadSceneFile(std::string_view path, Scene& scene) {
  const bool standard_input = path == "-";
  const std::string name = standard_input ? "<stdin>" : std::string(path);
  InputText text;
  std::string reason;
  if (!ReadWholeInput(path, kSceneInput, text, reason)) throw SceneReadError(name + ": " + reason);
  return ReadScene(text.view(), name, scene);  // the text goes as soon as the document is built
}

}  // namespace standin
