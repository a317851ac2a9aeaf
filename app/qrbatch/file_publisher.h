// Gives the batch's files their names in groups, on a thread of its own:
// the workers hand over files written under temporary names; whenever the
// publisher is free it takes every file handed over so far, flushes them
// to the disk at once, gives them their names and only then settles their
// lines in the report. A slow input gets each file as its line comes; a
// fast one shares one flush of the disk among hundreds of files.
#pragma once

#include <string>
#include <vector>

#include "ordered_report.h"
#include "output_folder.h"
#include "pending_file.h"
#include "symbol_engine.h"
#include "worker_threads.h"

namespace qrbatch {

class FilePublisher {
 public:
  explicit FilePublisher(OrderedReport &report) : report_(report) {}
  ~FilePublisher() { Finish(); }
  FilePublisher(const FilePublisher &) = delete;
  FilePublisher &operator=(const FilePublisher &) = delete;

  // False when the thread could not be started.
  bool Start();
  // Hands over the file of line `lineNumber` (`line` as read, for the
  // report), written at `place`, which stays held until the file has its
  // name; waits while kMostWaiting files wait for the disk.
  void Add(int lineNumber, std::string line, qrplatform::PendingFile file,
           qrplatform::OutputFolder::Place place);
  // Publishes every file handed over so far, on the calling thread: for a
  // publisher whose thread was never started.
  void PublishWaiting();
  size_t waiting() const { return files_.size(); }
  // Publishes every file handed over and stops the thread.
  void Finish();

 private:
  static constexpr size_t kMostWaiting = 2048;
  struct Line {
    int number;
    std::string text;
    qrplatform::OutputFolder::Place place;
  };

  static void Run(void *publisher);
  void Publish(std::vector<qrplatform::PendingFile> &files, const std::vector<Line> &lines);

  OrderedReport &report_;
  qrplatform::Thread thread_;
  qrplatform::Mutex mutex_;
  qrplatform::Condition changed_;
  std::vector<qrplatform::PendingFile> files_;
  std::vector<Line> lines_;
  bool started_ = false;
  bool closing_ = false;
  bool idle_ = false;         // the publisher waits for files
  bool writerWaits_ = false;  // a worker waits for room
};

}  // namespace qrbatch
