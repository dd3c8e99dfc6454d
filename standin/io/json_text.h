// Pieces of JSON text that the scene writer, the reader's messages and the
// program's output share.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "scene/object.h"

namespace standin {

// Appends `text` as a JSON string in quotes. Quotes, backslashes and control
// characters are escaped; bytes that are not valid UTF-8 become U+FFFD, so
// the result is always valid JSON in UTF-8 whatever the host was given.
void AppendJsonString(std::string& out, std::string_view text);

// Appends a finite double as the shortest text that reads back to the same
// value, always with a '.' or an exponent so that it reads back as a float
// (100 becomes "100.0", negative zero "-0.0").
void AppendJsonFloat(std::string& out, double value);

// The most bytes WriteJsonFloat writes.
inline constexpr size_t kJsonFloatMaxSize = 32;

// Writes a finite double at `out` as AppendJsonFloat appends it, and returns
// the end of what it wrote; `out` has room for kJsonFloatMaxSize bytes.
char* WriteJsonFloat(char* out, double value);

// Appends [a, b, ...], each finite number as AppendJsonFloat writes it and
// any other as null (JSON cannot hold it); false when there was such a one.
bool AppendJsonFloats(std::string& out, std::initializer_list<double> values);

// Appends a parameter's value as scene files hold it: true/false, an
// integer, a float, [x, y, z] or {"curve": [[x, y], ...]}. A float that is
// not finite, which JSON cannot hold, is written as null and makes the
// result false.
bool AppendParamJson(std::string& out, const ParamValue& value);

}  // namespace standin
