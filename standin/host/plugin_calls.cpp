#include "host/plugin_calls.h"

#include <atomic>
#include <cfenv>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#if defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>
#define STANDIN_HAS_MXCSR 1
#endif

#include "journal/journal.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

// What a plug-in may use inside a call but must give back as it found it.
struct ProcessState {
  std::string locale;
  fs::path folder;
  int rounding = 0;
  // The SSE control bits: exception masks, rounding, flush-to-zero and
  // denormals-are-zero; the sticky status bits (0 to 5) are left out, as
  // any arithmetic sets them.
  unsigned sse_control = 0;

  static ProcessState Now() {
    ProcessState state;
    if (const char* locale = std::setlocale(LC_ALL, nullptr)) state.locale = locale;
    std::error_code error;
    state.folder = fs::current_path(error);
    state.rounding = std::fegetround();
#ifdef STANDIN_HAS_MXCSR
    state.sse_control = _mm_getcsr() & ~0x3Fu;
#endif
    return state;
  }
};

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// Compares the state after a call with the state before it; reports and
// undoes each change.
void RestoreChanges(const ProcessState& before) {
  const ProcessState after = ProcessState::Now();
  if (after.locale != before.locale) {
    ReportHostCheck("locale", "a plug-in changed the process locale from " + before.locale + " to " +
                                  after.locale + " and did not set it back; the host set it back");
    std::setlocale(LC_ALL, before.locale.c_str());
  }
  if (after.folder != before.folder) {
    ReportHostCheck("folder", "a plug-in changed the working folder from " + Utf8(before.folder) + " to " +
                                  Utf8(after.folder) + " and did not set it back; the host set it back");
    std::error_code error;
    fs::current_path(before.folder, error);
  }
  if (after.rounding != before.rounding || after.sse_control != before.sse_control) {
    ReportHostCheck(
        "fpenv",
        "a plug-in changed the floating-point rounding or exception modes and did not set them back; "
        "the host set them back");
    std::fesetround(before.rounding);
#ifdef STANDIN_HAS_MXCSR
    _mm_setcsr((_mm_getcsr() & 0x3Fu) | before.sse_control);
#endif
  }
}

struct CallState {
  std::atomic<std::thread::id> host_thread{};
  std::atomic<int64_t> off_thread_calls{0};
  std::atomic<int64_t> failures{0};
  int depth = 0;
  bool loop_reported = false;
  // One state per nesting level: each call is compared with its own start.
  ProcessState starts[kMaxPluginCallDepth];
};

CallState& State() {
  static CallState state;
  return state;
}

void ReportOffThreadCalls() {
  const int64_t refused = State().off_thread_calls.exchange(0);
  if (refused == 0) return;
  ReportHostCheck(
      "thread", "a plug-in called the host " + std::to_string(refused) + (refused == 1 ? " time" : " times") +
                    " from a thread of its own; the host refused (it takes calls only on the thread that "
                    "called the plug-in)");
}

}  // namespace

PluginCall::PluginCall() {
  CallState& state = State();
  std::thread::id none{};
  state.host_thread.compare_exchange_strong(none, std::this_thread::get_id());
  allowed_ = state.depth < kMaxPluginCallDepth;
  if (!allowed_) {
    if (!state.loop_reported) {
      state.loop_reported = true;
      ReportHostCheck("loop",
                      "calls into a plug-in nested " + std::to_string(kMaxPluginCallDepth) +
                          " deep (a callback that makes the host call it again without end); the host "
                          "refused the deeper calls");
    }
    return;
  }
  state.starts[state.depth] = ProcessState::Now();
  ++state.depth;
}

PluginCall::~PluginCall() {
  if (!allowed_) return;
  CallState& state = State();
  --state.depth;
  RestoreChanges(state.starts[state.depth]);
  if (state.depth == 0) {
    state.loop_reported = false;
    ReportOffThreadCalls();
  }
}

bool OnHostThread() {
  CallState& state = State();
  const std::thread::id host = state.host_thread.load();
  if (host == std::thread::id{} || host == std::this_thread::get_id()) return true;
  ++state.off_thread_calls;
  return false;
}

int64_t HostCheckFailures() { return State().failures.load(); }

void ReportHostCheck(std::string_view what, std::string_view text) {
  ++State().failures;
  Journal::Event(HostJournal(), "check").Text("what", what).Text("text", text);
  std::fprintf(stderr, "standin: %.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace standin
