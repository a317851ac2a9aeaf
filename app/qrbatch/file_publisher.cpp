#include "file_publisher.h"

#include <memory>
#include <utility>

#include "system_error.h"

namespace qrbatch {

bool FilePublisher::Start() {
  started_ = thread_.Start(&FilePublisher::Run, this);
  return started_;
}

void FilePublisher::Add(int lineNumber, std::string line, qrplatform::PendingFile file,
                        qrplatform::OutputFolder::Place place) {
  qrplatform::MutexLock lock(mutex_);
  while (started_ && files_.size() >= kMostWaiting) {
    writerWaits_ = true;
    changed_.Wait(mutex_);
  }
  files_.push_back(std::move(file));
  lines_.push_back({lineNumber, std::move(line), std::move(place)});
  if (idle_) changed_.WakeAll();
}

void FilePublisher::Run(void *argument) {
  FilePublisher &publisher = *static_cast<FilePublisher *>(argument);
  std::vector<qrplatform::PendingFile> files;
  std::vector<Line> lines;
  for (;;) {
    {
      qrplatform::MutexLock lock(publisher.mutex_);
      while (publisher.files_.empty() && !publisher.closing_) {
        publisher.idle_ = true;
        publisher.changed_.Wait(publisher.mutex_);
      }
      publisher.idle_ = false;
      if (publisher.files_.empty()) return;  // closing
      files.swap(publisher.files_);
      lines.swap(publisher.lines_);
      if (publisher.writerWaits_) publisher.changed_.WakeAll();
      publisher.writerWaits_ = false;
    }
    publisher.Publish(files, lines);
    lines.clear();
  }
}

void FilePublisher::Publish(std::vector<qrplatform::PendingFile> &files,
                            const std::vector<Line> &lines) {
  qrplatform::PublishFiles(files, [&](size_t index, bool published) {
    std::unique_ptr<batch::LineFailure> failure;
    if (!published) {
      failure = std::make_unique<batch::LineFailure>();
      failure->lineNumber = lines[index].number;
      failure->line = lines[index].text;
      failure->fault = batch::LineFault::kNotWritten;
      failure->reason = qrplatform::LastErrorText();
    }
    report_.Settle(lines[index].number, std::move(failure));
  });
}

void FilePublisher::Finish() {
  if (started_) {
    {
      qrplatform::MutexLock lock(mutex_);
      closing_ = true;
      changed_.WakeAll();
    }
    thread_.Join();
    started_ = false;
  }
  // Without a thread (it never started) the files are published here.
  PublishWaiting();
}

void FilePublisher::PublishWaiting() {
  if (files_.empty()) return;
  Publish(files_, lines_);
  lines_.clear();
}

}  // namespace qrbatch
