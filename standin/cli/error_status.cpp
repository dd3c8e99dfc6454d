#include "cli/error_status.h"

#include <exception>
#include <new>

#include "io/output_file.h"
#include "io/scene_reader.h"
#include "io/scene_writer.h"
#include "io/script_reader.h"
#include "session/command_errors.h"
#include "session/exit_status.h"

namespace standin {

ErrorOutcome OutcomeOfCurrentError() {
  try {
    throw;
  } catch (const CommandError& error) {
    return {error.status(), error.what()};
  } catch (const SceneReadError& error) {
    return {kExitUnreadable, error.what()};
  } catch (const ScriptReadError& error) {
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
