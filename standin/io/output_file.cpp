// Outputs written all or none: each examined and staged by the system's own
// writer (staged_output_*.cpp), then put in place together.
#include "io/output_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "io/block_writer_thread.h"
#include "io/output_target.h"
#include "io/staged_output.h"
#include "io/temporary_names.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

// Written when put in place; a stream is never replaced.
class StreamWrite : public StagedOutput {
 public:
  StreamWrite(std::FILE* stream, std::string_view name, HeldText contents)
      : stream_(stream), name_(name), contents_(std::move(contents)) {}

  bool direct() const override { return true; }

  void PutInPlace() override {
    const bool written = contents_.WriteEach([this](std::string_view piece) {
      return std::fwrite(piece.data(), 1, piece.size(), stream_) == piece.size();
    });
    if (!written || std::fflush(stream_) != 0) FailOutput(name_, "cannot write", std::strerror(errno));
  }

 private:
  std::FILE* stream_;
  std::string name_;
  HeldText contents_;
};

// What a failed commit leaves, for the end of its message: the outputs
// already written through, and those replaced whose old file could not be
// put back.
std::string StateAfterFailure(const std::vector<std::string_view>& written,
                              const std::vector<std::string_view>& stuck) {
  const auto list = [](const std::vector<std::string_view>& paths) {
    std::string text;
    for (const std::string_view path : paths) text += (text.empty() ? "" : ", ") + std::string(path);
    return text;
  };
  std::string state =
      stuck.empty() ? "; no file was replaced" : "; replaced and not put back: " + list(stuck);
  if (!written.empty()) state += "; already written: " + list(written);
  return state;
}

std::unique_ptr<StagedOutput> StageFile(std::string_view path, OutputText text) {
  return StageOutput(path, ExamineOutputTarget(path), std::move(text));
}

}  // namespace

void OutputText::WriteTo(const TextSink& sink) const {
  if (produce_ != nullptr) {
    (*produce_)(sink);
  } else {
    sink(whole_);
  }
}

HeldText OutputText::TakeHeld() && {
  if (produce_ == nullptr) return HeldText(std::move(whole_));
  HeldText held;
  (*produce_)([&held](std::string_view piece) { held.Append(piece); });
  return held;
}

std::unique_ptr<StagedOutput> StageStream(std::FILE* stream, std::string_view name, HeldText contents) {
  return std::make_unique<StreamWrite>(stream, name, std::move(contents));
}

std::unique_ptr<OutputInProgress> OutputInProgress::Start(std::string_view path) {
  if (path == "-") return nullptr;
  try {
    std::unique_ptr<StagingFile> file = StartStaging(path, ExamineOutputTarget(path));
    if (file == nullptr) return nullptr;
    return std::unique_ptr<OutputInProgress>(new OutputInProgress(path, std::move(file)));
  } catch (const FileWriteError&) {
    return nullptr;
  }
}

OutputInProgress::OutputInProgress(std::string_view path, std::unique_ptr<StagingFile> file)
    : path_(path), file_(std::move(file)) {}

// The writer goes first: its last block may still be going into file_.
OutputInProgress::~OutputInProgress() { writer_.reset(); }

void OutputInProgress::Write(std::string_view piece) noexcept {
  if (writer_ != nullptr) writer_->Wait();
  Append(piece);
}

void OutputInProgress::WriteBehind(std::string_view block) noexcept {
  if (writer_ == nullptr) {
    try {
      // The disk takes each block while the run goes on, rather than all
      // of them at the flush when the file is staged.
      writer_ = std::make_unique<BlockWriterThread>(
          [this](std::string_view text) {
            Append(text);
            if (!error_) file_->StartWritingToDisk();
          },
          [this] {
            if (!error_) file_->SettleOnDisk();
          });
    } catch (const std::exception&) {
      // No thread to be had: the run waits for this block instead.
      Append(block);
      return;
    }
  }
  writer_->Pass(block);
}

void OutputInProgress::SettleBehind() noexcept {
  // Without a writer no block was full: the text is short and Finish
  // flushes it soon enough.
  if (writer_ != nullptr) writer_->Settle();
}

void OutputInProgress::Append(std::string_view piece) noexcept {
  if (error_) return;
  try {
    file_->Append(piece);
  } catch (...) {
    error_ = std::current_exception();
  }
}

void CheckOutputTarget(std::string_view path) {
  if (path != "-") ExamineOutputTarget(path);
}

OutputBatch::OutputBatch() { PrepareForOutputs(); }

OutputBatch::~OutputBatch() {
  staged_.clear();
  if (committed_) return;
  // Only folders this batch made, and only while empty: what someone else
  // put there in the meantime stays.
  std::error_code error;
  for (auto folder = made_folders_.rbegin(); folder != made_folders_.rend(); ++folder)
    fs::remove(*folder, error);
}

void OutputBatch::Stage(std::string_view path, std::string contents) {
  staged_.push_back({std::string(path), path == "-"
                                            ? StageStream(stdout, "<stdout>", HeldText(std::move(contents)))
                                            : StageFile(path, OutputText(std::move(contents)))});
}

void OutputBatch::StageProduced(std::string_view path, const TextProducer& produce) {
  staged_.push_back({std::string(path), path == "-"
                                            ? StageStream(stdout, "<stdout>", OutputText(produce).TakeHeld())
                                            : StageFile(path, OutputText(produce))});
}

void OutputBatch::StageWritten(std::unique_ptr<OutputInProgress> output) {
  output->writer_.reset();
  if (output->error_) std::rethrow_exception(output->error_);
  output->file_->Finish();
  staged_.push_back({std::move(output->path_), std::move(output->file_)});
}

void OutputBatch::StageFolder(std::string_view path) {
  std::vector<fs::path> missing;
  std::error_code error;
  for (fs::path at = NativeOutputPath(path); !at.empty() && !fs::exists(fs::symlink_status(at, error));
       at = at.parent_path()) {
    missing.push_back(at);
    if (!at.has_relative_path() || at == at.parent_path()) break;
  }
  for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
    if (!fs::create_directory(*folder, error) && error) {
      FailOutput(path, "cannot create the folder", error.message());
    }
    made_folders_.push_back(*folder);
  }
}

void OutputBatch::Commit() {
  std::vector<std::string_view> written;  // direct outputs, which nothing takes back
  for (const Staged& output : staged_) {
    if (!output.output->direct()) continue;
    try {
      output.output->PutInPlace();
    } catch (const FileWriteError& error) {
      throw FileWriteError(error.what() + StateAfterFailure(written, {}));
    }
    written.push_back(output.path);
  }
  // Renamed together: a signal waits until every file is in place or every
  // old one is back.
  InterruptionsHeld held;
  std::vector<const Staged*> placed;
  try {
    for (const Staged& output : staged_) {
      if (output.output->direct()) continue;
      output.output->PutInPlace();
      placed.push_back(&output);
    }
  } catch (const FileWriteError& error) {
    std::vector<std::string_view> stuck;  // replaced, and the old file not back
    for (auto output = placed.rbegin(); output != placed.rend(); ++output) {
      if (!(*output)->output->GiveBack()) stuck.push_back((*output)->path);
    }
    throw FileWriteError(error.what() + StateAfterFailure(written, stuck));
  }
  for (const Staged* output : placed) output->output->Settle();
  committed_ = true;
}

void ReplaceFile(std::string_view path, std::string_view contents) {
  OutputBatch batch;
  batch.Stage(path, std::string(contents));
  batch.Commit();
}

void WriteOutput(std::string_view path, std::string_view contents) {
  OutputBatch batch;
  batch.Stage(path, std::string(contents));
  batch.Commit();
}

}  // namespace standin
