// The writers of a batch: on the reading thread itself (one worker) or on
// worker threads with one engine each. Lines naming the same file always
// go to the same worker, so no two write one file at once. The files go to
// the disk and take their names in groups (FilePublisher), in the order
// each worker wrote them.
#pragma once

#include <atomic>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "file_publisher.h"
#include "image_writer.h"
#include "line_decider.h"
#include "options.h"
#include "ordered_report.h"
#include "output_folder.h"
#include "worker_threads.h"

namespace qrbatch {

using batch::LineJob;

class LineWorkers {
 public:
  LineWorkers(int count, const Options &options, const qrplatform::OutputFolder &folder,
              int modulePixels, OrderedReport &report);
  ~LineWorkers();
  LineWorkers(const LineWorkers &) = delete;
  LineWorkers &operator=(const LineWorkers &) = delete;

  // False when the worker threads could not be started.
  bool Start();
  // Hands the line on (writes it at once with one worker); waits while the
  // chosen worker's queue is full.
  void Submit(LineJob job);
  // Waits for the workers and for their files to be published.
  // `discardQueued`: lines not begun are dropped (never settled); the lines
  // being written finish.
  void Finish(bool discardQueued);

 private:
  struct Worker {
    Worker(const Options &options, int modulePixels, OrderedReport &report)
        : writer(FrameOf(options.recipe), options.format, modulePixels, options.verify,
                 batch::CaptionBandOf(options)),
          publisher(report) {}
    qrimage::ImageWriter writer;
    // Each worker names its own files, on its own thread when there are
    // several (a thread of the publisher's own with one worker): the
    // renames run side by side, and all spellings of one name (one worker)
    // keep their order.
    FilePublisher publisher;
    qrplatform::Thread thread;
    qrplatform::Mutex mutex;
    qrplatform::Condition changed;
    std::deque<LineJob> queue;
    bool closing = false;
    std::atomic<bool> discard{false};
    bool idle = false;         // waiting for lines
    bool readerWaits = false;  // the reader waits for room
    LineWorkers *owner = nullptr;
  };

  static void Run(void *worker);
  void Write(Worker &worker, LineJob &job);

  const qrplatform::OutputFolder &folder_;
  size_t folderPrefix_;  // bytes of a job's path before its name in the folder
  OrderedReport &report_;
  std::vector<std::unique_ptr<Worker>> workers_;
  bool threaded_;
};

}  // namespace qrbatch
