#include "cli/error_status.h"

#include <exception>
#include <new>

#include "cli/command_errors.h"
#include "cli/exit_status.h"
#include "io/output_file.h"
#include "io/scene_reader.h"
#include "io/scene_writer.h"

namespace standin {

ErrorOutcome OutcomeOfCurrentError() {
  try {
    throw;
  } catch (const CommandError& error) {
    return {error.status(), error.what()};
  } catch (const SceneReadError& error) {
    return {kExitUnreadable, error.what()};
  } catch (const SceneWriteError& error) {
    return {kExitFailure, error.what()};
  } catch (const FileWriteError& error) {
    return {kExitFailure, error.what()};
  } catch (const std::bad_alloc&) {
    return {kExitFailure, "out of memory"};
  }
}

}  // namespace standin
