// The host's journal: one JSON object per line for every event the host saw.
#pragma once

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
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

class Journal {
 public:
  using Writer = rapidjson::Writer<rapidjson::StringBuffer>;

  // Starts writing events to `out`; null stops writing. Events are counted
  // either way.
  void SetOutput(std::ostream* out);
  bool writing() const { return writer_ != nullptr; }
  void Flush();

  // How many events of this name the host saw so far.
  int64_t Count(std::string_view name) const;
  void ClearCounts() { counts_.clear(); }

  // One event: its keys are added while it lives; the line is written when
  // it ends. Keys cost nothing while the journal is not writing.
  class Event {
   public:
    Event(Journal& journal, std::string_view name);
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    Event& Int(std::string_view key, int64_t value);
    Event& Bool(std::string_view key, bool value);
    Event& Double(std::string_view key, double value);
    Event& Text(std::string_view key, std::string_view value);
    Event& Null(std::string_view key);
    // The object's name path, or null for none.
    Event& ObjectRef(std::string_view key, const Object* op);
    // For nested values: writes the key and hands out the writer (null when
    // the journal is not writing).
    Writer* Raw(std::string_view key);

   private:
    // `escaped`: the inside of a JSON string, already escaped.
    Event& EscapedText(std::string_view key, std::string_view escaped);
    // A key or a value: `escaped` in quotes; the journal is writing.
    void PutString(std::string_view escaped);

    Writer* writer_;
    Journal& journal_;
  };

 private:
  std::ostream* out_ = nullptr;
  // Each event's line is built here and goes to `out_` in one write when
  // the event ends, so that a reader of `out_` sees whole lines.
  rapidjson::StringBuffer line_;
  std::string escaped_;  // a text value escaped, its room kept from one event to the next
  RecentPath recent_path_;
  std::unique_ptr<Writer> writer_;
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
