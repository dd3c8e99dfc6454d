// The host's own checks on the plug-ins it runs, always on: every call into a
// plug-in is bracketed, so the host can stop a callback loop and see a
// plug-in that leaves the process locale, working folder or floating-point
// modes changed; every host operation checks that it is called on the
// thread that called the plug-in. What a check finds is a `check` event in
// the journal and one line on standard error; the host then carries on as
// before the faulty call.
#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>

namespace standin {

// How deep calls into a plug-in may nest (a callback that makes the host
// call the plug-in again, which does the same, ...). The mirror command and
// its dialogs need fewer than ten.
inline constexpr int kMaxPluginCallDepth = 32;

// Brackets one call from the host into a plug-in. The call is made only when
// `allowed()`: deeper nesting than kMaxPluginCallDepth is reported once as a
// loop and refused. At its end the process state is compared with the state
// at its start; a change is reported and undone.
class PluginCall {
 public:
  PluginCall();
  ~PluginCall();
  PluginCall(const PluginCall&) = delete;
  PluginCall& operator=(const PluginCall&) = delete;

  bool allowed() const { return allowed_; }

 private:
  bool allowed_;
};

// True on the thread that calls the plug-ins (the first thread that made a
// PluginCall). A host operation called on any other thread is refused and
// counted; the count is reported when the current plug-in call ends.
bool OnHostThread();

// How many checks failed in this process so far (for the validator).
int64_t HostCheckFailures();

// Reports one failed check: a `check` event with `what` and `text`, and
// `standin: text` on standard error.
void ReportHostCheck(std::string_view what, std::string_view text);

// A host operation as the host table hands it out: refused off the host
// thread (answering zero, null or nothing), else `Op` itself.
template <auto Op>
struct HostEntry;

template <typename Result, typename... Args, Result (*Op)(Args...)>
struct HostEntry<Op> {
  static Result Call(Args... args) {
    if (!OnHostThread()) {
      if constexpr (std::is_void_v<Result>) {
        return;
      } else {
        return Result{};
      }
    }
    return Op(args...);
  }
};

template <auto Op>
inline constexpr auto Checked = &HostEntry<Op>::Call;

}  // namespace standin
