// The host's journal: one JSON object per line for every event the host saw.
#pragma once

#include <rapidjson/writer.h>

#include <array>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>

#include "scene/object.h"

namespace standin {

// How many names a path in the journal holds at most.
inline constexpr size_t kMaxPathNames = 32;

// The name path of an object: its names from the top, joined with '/'; an
// object outside any document is named by its own name. An object deeper
// than kMaxPathNames levels is named by the last kMaxPathNames names of its
// path after "…/" (U+2026), so that every event costs the same whatever the
// depth and a journal grows only linearly with the scene.
std::string ObjectPath(const Object& op);
// ObjectPath(op) appended to `out`.
void AppendObjectPath(std::string& out, const Object& op);

// The escaped path text of the object an event named last. In a deep
// hierarchy the next object named is most often that one or its child, and
// a path repeats all but one of its parent's names: taken from here, it
// costs one name instead of kMaxPathNames. Whatever changed in between
// (names, parents, objects freed and made anew at the same address), the
// text is used only after the names it holds were compared with the
// object's names now, so it is never stale.
class RecentPath {
 public:
  // The inside of the JSON string of `op`'s path (ObjectPath), escaped;
  // `op` lies in a document. Valid until the next call.
  std::string_view For(const Object& op);

 private:
  // Whether `text_` is the path of `op` as it is now.
  bool Holds(const Object& op) const;
  // `text_` as the path of `child`, one level below the object it holds.
  void DescendTo(const Object& child);
  void Rebuild(const Object& op);

  const Object* object_ = nullptr;  // whose path `text_` is; null: none to reuse
  std::string text_;
  // The lengths of the names in `text_`, top first; each one needs no
  // escape, so that `text_` holds it as it is.
  std::array<size_t, kMaxPathNames> lengths_{};
  size_t count_ = 0;
  bool elided_ = false;  // `text_` starts with "…/": the path goes on above
};

// A key or an event's name: one of the host's own words. Each is checked
// when the program is compiled to need no escape in JSON, so that writing it
// costs one copy.
class JournalWord {
 public:
  consteval JournalWord(const char* word) : text_(word) {
    for (const char c : text_)
      if (static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\')
        throw "a journal word needs an escape";
  }
  constexpr std::string_view text() const { return text_; }

 private:
  std::string_view text_;
};

// The line an event builds, as the output of the JSON writer that nested
// values are written with.
struct JournalLine {
  using Ch = char;
  void Put(char c) { text.push_back(c); }
  void Flush() {}
  std::string text;
};

class Journal {
 public:
  using Writer = rapidjson::Writer<JournalLine>;

  // Starts writing events to `out`; null stops writing. Events are counted
  // either way.
  void SetOutput(std::ostream* out);
  bool writing() const { return out_ != nullptr; }
  void Flush();

  // How many events of this name the host saw so far.
  int64_t Count(std::string_view name) const;
  void ClearCounts() { counts_.clear(); }

  // One event: its keys are added while it lives; the line is written when
  // it ends. Keys cost nothing while the journal is not writing.
  class Event {
   public:
    Event(Journal& journal, JournalWord name);
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    Event& Int(JournalWord key, int64_t value);
    Event& Bool(JournalWord key, bool value);
    Event& Text(JournalWord key, std::string_view value);
    Event& Null(JournalWord key);
    // The object's name path, or null for none.
    Event& ObjectRef(JournalWord key, const Object* op);
    // For nested values: writes the key and hands out the writer, for one
    // value (null when the journal is not writing).
    Writer* Raw(JournalWord key);

   private:
    // Starts the value of `key`: a comma, the key in quotes and a colon.
    void Key(JournalWord key);

    // The line being built; null when the journal is not writing.
    std::string* line_;
    Journal& journal_;
  };

 private:
  std::ostream* out_ = nullptr;
  // Each event's line is built here, by plain appends (the JSON writer
  // took a call per byte and a check per value) and goes to `out_` in one
  // write when the event ends, so that a reader of `out_` sees whole lines.
  JournalLine line_;
  Writer writer_{line_};  // for nested values, reset for each
  RecentPath recent_path_;
  // Looked up by every event, also while nothing is written: hashed, and
  // found by a view of the name without making a string of it.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  std::unordered_map<std::string, int64_t, NameHash, std::equal_to<>> counts_;
};

// The journal of this host process.
Journal& HostJournal();

}  // namespace standin
