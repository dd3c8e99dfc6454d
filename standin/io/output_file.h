// Writing the host's output files so that no error leaves half a file, no
// run destroys what its outputs name, and a run writes all its outputs or
// none of them.
#pragma once

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "io/text_sink.h"

namespace standin {

// An output that could not be written; the message names it and the reason.
class FileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class StagedOutput;
class StagingFile;
class OutputBatch;
class BlockWriterThread;

// Checks, writing nothing, what writing an output to `path` ("-": standard
// output) checks first: symbolic links are followed to the name they finally
// point at; a regular file or a missing one in an existing folder is
// replaced; a character device, a FIFO or a socket is written to directly;
// a folder, a block device, a link loop or a missing folder is refused.
// Throws FileWriteError with the one-line message the writer would give.
void CheckOutputTarget(std::string_view path);

// Whether the outputs or inputs `a` and `b` ("-": standard output) name the
// same file: the same name, the same file through links or hard links, or
// standard output both (also as /dev/stdout, or the file it was sent to).
// The null device is never the same as anything.
bool SameFile(std::string_view a, std::string_view b);

// An output written while the run goes on: the text of a file that is
// replaced goes into its temporary file as it is made, so that a long text
// is never held whole, and the file is put in place with the other outputs
// of a batch (OutputBatch::StageWritten), or removed.
class OutputInProgress {
 public:
  // Starts the output `path`, its temporary file made now. Null when `path`
  // is written directly ("-", a device, a FIFO) or its temporary file cannot
  // be made now: such an output is staged whole with the others, which
  // tells why it cannot be written.
  static std::unique_ptr<OutputInProgress> Start(std::string_view path);
  ~OutputInProgress();
  OutputInProgress(const OutputInProgress&) = delete;
  OutputInProgress& operator=(const OutputInProgress&) = delete;

  // Appends `piece`, after the block passed to WriteBehind last. Never
  // throws, for it is called while the plug-ins run: the first error is
  // kept for StageWritten to throw, and the text after it is dropped.
  void Write(std::string_view piece) noexcept;
  // Appends `block` as Write does, but on a thread of the output's own
  // while the caller goes on: returns once the block passed before is
  // written. The text of `block` must stay as it is until the next
  // WriteBehind or Write returns, or the output is staged or dropped.
  void WriteBehind(std::string_view block) noexcept;
  // Once the text is complete but for its last block: has the thread that
  // writes the blocks flush them to disk while the caller makes its other
  // outputs, so that staging this one later waits for little, and the
  // disk does not take its text together with theirs.
  void SettleBehind() noexcept;

 private:
  friend class OutputBatch;
  OutputInProgress(std::string_view path, std::unique_ptr<StagingFile> file);
  void Append(std::string_view piece) noexcept;

  std::string path_;
  std::unique_ptr<StagingFile> file_;
  std::exception_ptr error_;
  // Made by the first WriteBehind; ended (its last block written) before
  // the file is staged or dropped.
  std::unique_ptr<BlockWriterThread> writer_;
};

// Outputs written all or none. Stage prepares each (a complete temporary
// file beside a file that is replaced; a check that a device or FIFO can be
// written); Commit then writes the direct ones and renames every temporary
// file over its target. An error in any Stage leaves every target as it
// was; temporary files not put in place are removed, also when the program
// is interrupted (any catchable signal that would end it; Ctrl-C on
// Windows).
class OutputBatch {
 public:
  OutputBatch();
  ~OutputBatch();
  OutputBatch(const OutputBatch&) = delete;
  OutputBatch& operator=(const OutputBatch&) = delete;

  // Stages `contents` for `path` ("-": standard output); throws
  // FileWriteError.
  void Stage(std::string_view path, std::string contents);
  // Stages the text that `produce` makes in pieces: each piece goes straight
  // into the temporary file of a file that is replaced, so that the text is
  // never held whole; a direct output, written only at Commit, holds it.
  // An error of `produce` is thrown on, the temporary file removed.
  void StageProduced(std::string_view path, const TextProducer& produce);
  // Stages `output` as it was written: its temporary file flushed to disk
  // and closed. Throws the first error of its writing, or FileWriteError;
  // its temporary file is removed then.
  void StageWritten(std::unique_ptr<OutputInProgress> output);
  // Creates the folder `path` and the missing folders above it, which are
  // removed again (when still empty) unless Commit succeeds.
  void StageFolder(std::string_view path);
  // Writes the direct outputs (in the order staged, so that standard output
  // gets them in that order), then renames the temporary files into place
  // with catchable signals held off: the outputs that can still fail go
  // first. When a rename fails, the files already renamed get their old
  // contents back (or are removed when they were new); the message says
  // which outputs could not be put back and which direct ones were written.
  void Commit();

 private:
  struct Staged {
    std::string path;
    std::unique_ptr<StagedOutput> output;
  };
  std::vector<Staged> staged_;
  std::vector<std::filesystem::path> made_folders_;
  bool committed_ = false;
};

// Writes `contents` to the file `path` names, as a batch of one: a regular
// file is replaced by a complete new one (its permissions kept), a device or
// FIFO is written to, a link is followed and itself left in place.
void ReplaceFile(std::string_view path, std::string_view contents);

// Writes `contents` to `path` with ReplaceFile, or to standard output for "-".
void WriteOutput(std::string_view path, std::string_view contents);

}  // namespace standin
