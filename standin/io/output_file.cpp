// Outputs written all or none: each examined and staged by the system's own
// writer (staged_output_*.cpp), then put in place together.
#include "io/output_file.h"

#include <cerrno>
#include <cstring>

#include "io/output_target.h"
#include "io/staged_output.h"

namespace standin {
namespace {

// Written when put in place; a stream is never replaced.
class StreamWrite : public StagedOutput {
 public:
  StreamWrite(std::FILE* stream, std::string_view name, std::string contents)
      : stream_(stream), name_(name), contents_(std::move(contents)) {}

  bool direct() const override { return true; }

  void PutInPlace() override {
    if (std::fwrite(contents_.data(), 1, contents_.size(), stream_) != contents_.size() ||
        std::fflush(stream_) != 0) {
      FailOutput(name_, "cannot write", std::strerror(errno));
    }
  }

 private:
  std::FILE* stream_;
  std::string name_;
  std::string contents_;
};

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

std::string OutputText::TakeWhole() && {
  if (produce_ == nullptr) return std::move(whole_);
  std::string whole;
  (*produce_)([&whole](std::string_view piece) { whole.append(piece); });
  return whole;
}

std::unique_ptr<StagedOutput> StageStream(std::FILE* stream, std::string_view name, std::string contents) {
  return std::make_unique<StreamWrite>(stream, name, std::move(contents));
}

void CheckOutputTarget(std::string_view path) {
  if (path != "-") ExamineOutputTarget(path);
}

OutputBatch::OutputBatch() = default;
OutputBatch::~OutputBatch() = default;

void OutputBatch::Stage(std::string_view path, std::string contents) {
  staged_.push_back(path == "-" ? StageStream(stdout, "<stdout>", std::move(contents))
                                : StageFile(path, OutputText(std::move(contents))));
}

void OutputBatch::StageProduced(std::string_view path, const TextProducer& produce) {
  staged_.push_back(path == "-" ? StageStream(stdout, "<stdout>", OutputText(produce).TakeWhole())
                                : StageFile(path, OutputText(produce)));
}

void OutputBatch::Commit() {
  for (const bool direct : {true, false}) {
    for (const std::unique_ptr<StagedOutput>& output : staged_) {
      if (output->direct() == direct) output->PutInPlace();
    }
  }
  staged_.clear();
}

void ReplaceFile(std::string_view path, std::string_view contents) {
  StageFile(path, OutputText(std::string(contents)))->PutInPlace();
}

void WriteOutput(std::string_view path, std::string_view contents) {
  OutputBatch batch;
  batch.Stage(path, std::string(contents));
  batch.Commit();
}

}  // namespace standin
