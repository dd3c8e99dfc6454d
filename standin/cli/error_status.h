// The exit status and message of each error that ends a run, shared by the
// program (one run) and a batch of mirror runs (one status per scene).
#pragma once

#include <string>

namespace standin {

struct ErrorOutcome {
  int status = 0;
  std::string message;
};

// Called inside a catch block: the status and message of the error being
// handled. An error of no known kind is thrown on.
ErrorOutcome OutcomeOfCurrentError();

}  // namespace standin
