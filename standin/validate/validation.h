// The shared part of `standin validate`: the run's settings, the steps of
// each test with their random draws, the checks made after every step, and
// the failure that ends the run.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "random/dice.h"
#include "session/host_session.h"
#include "session/mirror_options.h"
#include "ui/dialog.h"

namespace standin {

struct ValidateRequest {
  HostSettings host;   // the journal there is the first failing (or last) step's; quiet: no result lines
  int strictness = 3;  // 1 to 10: how many steps each test takes
  uint64_t seed = 1;   // every random draw derives from it
  std::vector<std::string> checks;  // the names of the checks to run; empty: all of them
  bool list = false;                // print the checks instead of running them
};

// The first check that failed: its test, step and what went wrong.
class StepFailure : public std::runtime_error {
 public:
  StepFailure(std::string test, int64_t step, const std::string& what)
      : std::runtime_error(what), test_(std::move(test)), step_(step) {}
  const std::string& test() const { return test_; }
  int64_t step() const { return step_; }

 private:
  std::string test_;
  int64_t step_;
};

class Validation {
 public:
  explicit Validation(const ValidateRequest& request);
  ~Validation();
  Validation(const Validation&) = delete;
  Validation& operator=(const Validation&) = delete;

  const ValidateRequest& request() const { return request_; }
  int strictness() const { return request_.strictness; }
  // The settings for the tests' host sessions: the request's, without a
  // journal file, as the validator keeps each step's journal itself.
  HostSettings host() const;

  // Runs step `step` of `test` (numbered from 1 within the test): `body`
  // gets the step's own random draws; then the checks every step must
  // pass (Check). An exception
  // from the body (a refused user action, an unwritable scene) fails the
  // step with its message.
  void Step(std::string_view test, int64_t step, const std::function<void(Dice&)>& body);
  // Within a step, after a host session was started (which clears the
  // journal's counts): the checks count from here.
  void Rebase();
  // Words that every failure message of the current step begins with
  // ("with call 5 of 118 failing"); cleared when the next step starts.
  void Describe(std::string context) { context_ = std::move(context); }
  // Ends the run with the current step failed for `what`.
  [[noreturn]] void Fail(const std::string& what) const;

  // The journal of the current step so far, one event per line.
  std::string journal() const { return journal_.str(); }
  // The console and message-box texts of the current step that are none
  // of the plug-in's own failure messages; the first, or empty.
  std::string ForeignMessage() const;

 private:
  struct Counts {
    int64_t host_checks = 0;
    std::map<std::string, int64_t, std::less<>> events;
  };
  Counts Now() const;
  // The host's checks found nothing, every undo group started was ended and
  // none is open, nothing changed without its undo registration, and the
  // plug-in showed none but its own failure messages.
  void Check() const;

  ValidateRequest request_;
  std::string test_;
  int64_t step_ = 0;
  std::string context_;
  std::ostringstream journal_;
  Counts before_;
};

// The host session of a test that runs many steps, started afresh every
// `steps` steps: the host keeps every object of a session's scenes until
// the session ends, so that without this the scenes of a long run pile up.
class RenewedSession {
 public:
  RenewedSession(const Validation& validation, int64_t steps) : validation_(validation), steps_(steps) {}
  // The session for step `step` (from 1); called between steps.
  HostSession& For(int64_t step) {
    if (session_ == nullptr || (step - 1) % steps_ == 0) {
      session_.reset();
      session_ = std::make_unique<HostSession>(validation_.host());
    }
    return *session_;
  }
  void End() { session_.reset(); }

 private:
  const Validation& validation_;
  int64_t steps_;
  std::unique_ptr<HostSession> session_;
};

// A gadget's value as a message shows it: true, 5001, 0.5, "text",
// colour 0.1,0.2,0.3 brightness 1.
std::string ShowValue(const GadgetValue& value);

// The first line where two scene texts differ, for a message:
// `line 12: "x": 1 became "x": -1`.
std::string FirstDifference(const std::string& expected, const std::string& got);

// Makes a scene text the active document of the host.
void LoadSceneText(const std::string& text);

// The gadget settings of `standin mirror` options ("--axis", "y",
// "--no-points", ...), in the order a user enables gadgets.
std::vector<GadgetSetting> MirrorSettings(std::span<const std::string> words);

// Shows a line and ends the program when it crashes, naming the step that
// was running (not under AddressSanitizer, which reports crashes itself).
void InstallCrashReport();

// The checks, each returning its line of figures ("mirror: 400 runs, ...").
std::string RunLifecycleCheck(Validation& validation);
std::string RunDialogCheck(Validation& validation);
std::string RunGadgetsCheck(Validation& validation);
std::string RunMirrorCheck(Validation& validation);
std::string RunFaultsCheck(Validation& validation);

struct ValidationCheck {
  std::string_view name;    // as `--test` takes it and a failure names it
  std::string_view checks;  // one line for `--list`
  std::string (*run)(Validation&);
};

// Every check, in the order they run.
std::span<const ValidationCheck> ValidationChecks();

}  // namespace standin
