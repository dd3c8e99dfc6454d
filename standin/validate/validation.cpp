#include "validate/validation.h"

#include <rapidjson/document.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/quoted_text.h"
#include "host/plugin_calls.h"
#include "host/scene_host.h"
#include "io/scene_reader.h"
#include "journal/journal.h"
#include "undo/undo_history.h"

namespace standin {
namespace {

// Every text the plug-in shows on the console or in a message box when
// something fails; anything else it shows is no failure message of its own.
constexpr std::array<std::string_view, 3> kPluginMessages = {
    "Vitrel: could not load resource file.",
    "Failed to register Vitrel.",
    "Vitrel system error: unable to duplicate requested object\n(are you short of system memory?).",
};

constexpr std::array<std::string_view, 4> kCountedEvents = {"check", "undo.start", "undo.end",
                                                            "undo.missing"};

// The line a crash prints: the step that was running, written before each
// step so that the signal handler only has to print it.
char g_crash_line[512] = "standin: validate: the program crashed before the first step\n";

// A number as the shortest text that reads back the same.
std::string ShowNumber(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// The event's value of `key` in the first line of `journal` that records
// event `name`; empty when there is none.
std::string FirstEventText(const std::string& journal, std::string_view name, const char* key) {
  const std::string start = "{\"event\":\"" + std::string(name) + "\"";
  for (size_t at = journal.find(start); at != std::string::npos; at = journal.find(start, at + 1)) {
    if (at != 0 && journal[at - 1] != '\n') continue;
    const size_t end = journal.find('\n', at);
    rapidjson::Document event;
    event.Parse(journal.data() + at, (end == std::string::npos ? journal.size() : end) - at);
    if (event.HasParseError() || !event.HasMember(key) || !event[key].IsString()) return {};
    return {event[key].GetString(), event[key].GetStringLength()};
  }
  return {};
}

uint64_t TestNumber(std::string_view test) {
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a
  for (const char c : test) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  return hash & 0xFFFF;
}

#if defined(__SANITIZE_ADDRESS__)
#define STANDIN_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STANDIN_SANITIZED 1
#endif
#endif

#ifndef STANDIN_SANITIZED
extern "C" void ReportCrash(int) {
  std::fputs(g_crash_line, stderr);
  std::_Exit(1);
}
#endif

}  // namespace

void InstallCrashReport() {
#ifndef STANDIN_SANITIZED
  for (const int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL}) std::signal(signal, ReportCrash);
#endif
}

Validation::Validation(const ValidateRequest& request) : request_(request) {}

HostSettings Validation::host() const {
  HostSettings settings = request_.host;
  settings.journal.clear();
  return settings;
}

Validation::~Validation() { HostJournal().SetOutput(nullptr); }

Validation::Counts Validation::Now() const {
  Counts counts;
  counts.host_checks = HostCheckFailures();
  for (const std::string_view name : kCountedEvents) {
    counts.events[std::string(name)] = HostJournal().Count(name);
  }
  return counts;
}

void Validation::Rebase() { before_ = Now(); }

void Validation::Step(std::string_view test, int64_t step, const std::function<void(Dice&)>& body) {
  test_ = test;
  step_ = step;
  context_.clear();
  // Built here, not in the handler, which may only print it. No printf:
  // the Windows C runtime spells 64-bit conversions its own way.
  const std::string crash = "standin: validate: " + test_ + " step " + std::to_string(step) + " (seed " +
                            std::to_string(request_.seed) + "): the program crashed\n";
  const size_t length = std::min(crash.size(), sizeof g_crash_line - 1);
  std::memcpy(g_crash_line, crash.data(), length);
  g_crash_line[length] = '\0';
  journal_.str({});
  journal_.clear();
  HostJournal().SetOutput(&journal_);
  Rebase();
  Dice dice(StepSeed(request_.seed, TestNumber(test), static_cast<uint64_t>(step)));
  try {
    body(dice);
  } catch (const StepFailure&) {
    throw;
  } catch (const std::exception& error) {
    Fail(error.what());
  }
  HostJournal().Flush();
  Check();
}

void Validation::Fail(const std::string& what) const {
  throw StepFailure(test_, step_, context_.empty() ? what : context_ + ": " + what);
}

void Validation::Check() const {
  const Counts after = Now();
  const std::string text = journal();
  const auto grew = [&](std::string_view name) {
    return after.events.find(name)->second - before_.events.find(name)->second;
  };
  if (after.host_checks != before_.host_checks || grew("check") != 0) {
    Fail("the host's checks found a fault: " + FirstEventText(text, "check", "text"));
  }
  if (grew("undo.start") != grew("undo.end")) {
    Fail("the plug-in started " + std::to_string(grew("undo.start")) + " undo groups and ended " +
         std::to_string(grew("undo.end")));
  }
  if (grew("undo.missing") != 0) {
    Fail("the plug-in changed " + QuoteForMessage(FirstEventText(text, "undo.missing", "object")) +
         " without registering it for undo first");
  }
  if (const Document* doc = TheSceneHost().active_document()) {
    if (UndoIfMade(*doc) != nullptr && UndoIfMade(*doc)->group_open()) {
      Fail("an undo group is still open after the step");
    }
  }
  const std::string foreign = ForeignMessage();
  if (!foreign.empty()) Fail("the plug-in showed " + QuoteForMessage(foreign) + ", none of its own messages");
}

std::string Validation::ForeignMessage() const {
  const std::string text = journal();
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + at, end - at);
    if (line.starts_with("{\"event\":\"console\"") || line.starts_with("{\"event\":\"messagebox\"")) {
      rapidjson::Document event;
      event.Parse(line.data(), line.size());
      if (!event.HasParseError() && !event.HasMember("from")) {
        const std::string_view shown(event["text"].GetString(), event["text"].GetStringLength());
        bool own = false;
        for (const std::string_view message : kPluginMessages) own = own || shown == message;
        if (!own) return std::string(shown);
      }
    }
    at = end + 1;
  }
  return {};
}

std::string ShowValue(const GadgetValue& value) {
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "true" : "false";
  if (const auto* number = std::get_if<int32_t>(&value)) return std::to_string(*number);
  if (const auto* real = std::get_if<double>(&value)) return ShowNumber(*real);
  if (const auto* text = std::get_if<std::string>(&value)) return QuoteForMessage(*text);
  if (const auto* color = std::get_if<ColorValue>(&value)) {
    return "colour " + ShowNumber(color->color.x) + "," + ShowNumber(color->color.y) + "," +
           ShowNumber(color->color.z) + " brightness " + ShowNumber(color->brightness);
  }
  return "nothing";
}

std::string FirstDifference(const std::string& expected, const std::string& got) {
  size_t line = 1, start = 0;
  for (size_t i = 0; i < expected.size() && i < got.size() && expected[i] == got[i]; ++i) {
    if (expected[i] == '\n') {
      ++line;
      start = i + 1;
    }
  }
  const auto line_of = [start](const std::string& text) {
    const size_t end = text.find('\n', start);
    return QuoteForMessage(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
  };
  return "line " + std::to_string(line) + ": " + line_of(expected) + " became " + line_of(got);
}

std::vector<GadgetSetting> MirrorSettings(std::span<const std::string> words) {
  std::vector<GadgetSetting> settings;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    std::string name = word.substr(2);  // after "--"
    const bool negated = name.starts_with("no-") && FindMirrorGadget(name) == nullptr;
    if (negated) name.erase(0, 3);
    const NamedGadget* gadget = FindMirrorGadget(name);
    if (gadget == nullptr) throw std::logic_error("no mirror option " + word);
    std::string value = negated ? "false" : "true";
    if (gadget->kind != GadgetKind::kCheckbox) value = GadgetValueOf(*gadget, words[++i]);
    settings.push_back({word, gadget->id, value});
  }
  OrderForEnabling(settings);
  return settings;
}

void LoadSceneText(const std::string& text) {
  Document& doc = ReadScene(text, "random scene", TheSceneHost().scene());
  TheSceneHost().SetActiveDocument(&doc);
}

}  // namespace standin
