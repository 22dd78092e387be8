#include "runs/RunRecorder.h"

#include <utility>

#include "runs/RunFiles.h"

namespace orvane::runs {

TRunRecorder::TRunRecorder(std::filesystem::path folder, trend::TClock clock,
                           TJournalWriter::TOnError onError)
    : folder_(std::move(folder)), clock_(std::move(clock)), onError_(std::move(onError)) {}

std::filesystem::path TRunRecorder::Start(std::string sampleName, TSettings settings) {
  Stop();
  run_ = TRun{};
  run_.sampleName = std::move(sampleName);
  run_.settings = std::move(settings);
  run_.start = clock_();
  const std::filesystem::path file = NewJournalPath(folder_, run_.start);
  writer_ = std::make_unique<TJournalWriter>(file, onError_);
  writer_->Append(HeaderLines(run_));
  return file;
}

void TRunRecorder::Record(const trend::TReading& reading) {
  if (!writer_) return;
  run_.readings.push_back(reading);
  line_.clear();
  AppendReading(line_, reading);
  writer_->Append(line_);
}

void TRunRecorder::RecordEvent(std::string kind, std::string text) {
  if (!writer_) return;
  TRunEvent event{clock_(), std::move(kind), std::move(text)};
  line_.clear();
  AppendEvent(line_, event);
  writer_->Append(line_);
  run_.events.push_back(std::move(event));
}

std::optional<TRunRecorder::TStopped> TRunRecorder::Stop() {
  if (!writer_) return std::nullopt;
  run_.end = clock_();
  writer_->Append(EndLine(run_.end, false));
  return TStopped{std::exchange(run_, TRun{}), std::move(writer_)};
}

}  // namespace orvane::runs
