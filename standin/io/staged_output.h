// One output made ready by OutputBatch::Stage and put in place by Commit.
// Each system stages its own way (staged_output_posix.cpp,
// staged_output_windows.cpp); the standard streams are the same everywhere.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "io/held_text.h"
#include "io/output_target.h"
#include "io/text_sink.h"

namespace standin {

class StagedOutput {
 public:
  virtual ~StagedOutput() = default;
  // Written through when put in place (a device, a FIFO, a standard stream)
  // rather than renamed into place; writing can still fail then.
  virtual bool direct() const = 0;
  // Throws FileWriteError. A replaced file is kept aside until Settle or
  // GiveBack. Called with interruptions held for a file renamed into place.
  virtual void PutInPlace() = 0;
  // After PutInPlace: puts back what was there before (the old file, or no
  // file); false when that could not be done. A direct output cannot be
  // taken back.
  virtual bool GiveBack() noexcept { return false; }
  // After PutInPlace, once every output is in place: lets go of the old file.
  virtual void Settle() noexcept {}
};

// The temporary file beside a file that is replaced, open while its text
// goes into it piece by piece; put in place like any other staged output
// once finished.
class StagingFile : public StagedOutput {
 public:
  // Each throws FileWriteError. Finish flushes the text to disk and closes
  // the file; nothing is appended after it.
  virtual void Append(std::string_view piece) = 0;
  virtual void Finish() = 0;
  // Has the system start writing the text appended since the last call to
  // disk, so that Finish has less to wait for; where it cannot, nothing.
  virtual void StartWritingToDisk() noexcept {}
  // Flushes the text appended so far to disk, so that Finish has only the
  // rest to flush; an error is left for Finish to find.
  virtual void SettleOnDisk() noexcept {}
};

// The temporary file for the examined target of `path`, made and ready for
// its text; null when the target is written directly (a device, a FIFO, a
// standard stream). Throws FileWriteError when it cannot be made; the file
// is removed again unless put in place.
std::unique_ptr<StagingFile> StartStaging(std::string_view path, const OutputTarget& target);

// An output's text: whole, or made in pieces as it is written.
class OutputText {
 public:
  explicit OutputText(std::string whole) : whole_(std::move(whole)) {}
  explicit OutputText(const TextProducer& produce) : produce_(&produce) {}

  // Hands the text to `sink`: each piece as it is made, or the whole text.
  void WriteTo(const TextSink& sink) const;
  // The whole text, made now when it is made in pieces, to be held until
  // it is written.
  HeldText TakeHeld() &&;

 private:
  std::string whole_;
  const TextProducer* produce_ = nullptr;
};

// Makes `text` ready for the examined target of `path`: a complete
// temporary file beside a file that is replaced, written piece by piece and
// flushed to disk; for a direct target, the whole text held and a check that
// it can be written. Throws FileWriteError, or what making the text throws;
// a temporary file made is removed again.
std::unique_ptr<StagedOutput> StageOutput(std::string_view path, const OutputTarget& target, OutputText text);

// `contents` for standard output or standard error (`stream`), named `name`
// in messages.
std::unique_ptr<StagedOutput> StageStream(std::FILE* stream, std::string_view name, HeldText contents);

}  // namespace standin
