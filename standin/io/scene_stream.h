// Scene text as the JSON parser reads it, through the parser's stream
// interface, and as the reader sees it around the parser: the bulk of a big
// scene, its plain lists of numbers, is read at once past the parser, which
// then goes on behind that list as if it had read it itself.
#pragma once

#include <rapidjson/rapidjson.h>

#include <cstddef>
#include <string_view>

namespace standin::scene_reading {

class SceneStream {
 public:
  using Ch = char;

  explicit SceneStream(std::string_view text)
      : begin_(text.data()), at_(text.data()), end_(text.data() + text.size()) {}

  // What the parser calls. It takes a NUL byte for the end of the text, as
  // it does at the end itself.
  Ch Peek() const { return at_ == end_ ? '\0' : *at_; }
  Ch Take() { return at_ == end_ ? '\0' : *at_++; }
  size_t Tell() const { return static_cast<size_t>(at_ - begin_); }

  // Only a parse in place writes to its stream, which the reader never asks
  // for; the parser's code names these all the same.
  Ch* PutBegin() {
    RAPIDJSON_ASSERT(false);
    return nullptr;
  }
  void Put(Ch) { RAPIDJSON_ASSERT(false); }
  void Flush() { RAPIDJSON_ASSERT(false); }
  size_t PutEnd(Ch*) {
    RAPIDJSON_ASSERT(false);
    return 0;
  }

  // What the reader calls around the parser.
  std::string_view Whole() const { return {begin_, static_cast<size_t>(end_ - begin_)}; }
  std::string_view Read() const { return {begin_, static_cast<size_t>(at_ - begin_)}; }
  std::string_view Ahead() const { return {at_, static_cast<size_t>(end_ - at_)}; }
  // Moves on past text the reader has read itself; never past the end.
  void Skip(size_t bytes) { at_ += bytes; }

 private:
  const char* begin_;
  const char* at_;
  const char* end_;
};

}  // namespace standin::scene_reading
