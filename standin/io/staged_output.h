// One output made ready by OutputBatch::Stage and put in place by Commit.
// Each system stages its own way (staged_output_posix.cpp,
// staged_output_windows.cpp); the standard streams are the same everywhere.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "io/output_target.h"

namespace standin {

class StagedOutput {
 public:
  virtual ~StagedOutput() = default;
  // Written through when put in place (a device, a FIFO, a standard stream)
  // rather than renamed into place; writing can still fail then.
  virtual bool direct() const = 0;
  // Throws FileWriteError.
  virtual void PutInPlace() = 0;
};

// Makes `contents` ready for the examined target of `path`: a complete
// temporary file beside a file that is replaced, flushed to disk; for a
// direct target, a check that it can be written. Throws FileWriteError; a
// temporary file made is removed again.
std::unique_ptr<StagedOutput> StageOutput(std::string_view path, const OutputTarget& target,
                                          std::string contents);

// `contents` for standard output or standard error (`stream`), named `name`
// in messages.
std::unique_ptr<StagedOutput> StageStream(std::FILE* stream, std::string_view name, std::string contents);

}  // namespace standin
