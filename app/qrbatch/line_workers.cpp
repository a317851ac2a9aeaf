#include "line_workers.h"

#include <cerrno>
#include <new>
#include <utility>

#include "image_fault.h"
#include "system_error.h"

namespace qrbatch {

namespace {
constexpr size_t kQueueLength = 256;
// Files a worker names with one flush of the disk at most.
constexpr size_t kPublishedTogether = 1024;
}  // namespace

LineWorkers::LineWorkers(int count, const Options &options, const qrplatform::OutputFolder &folder,
                         int modulePixels, OrderedReport &report)
    : folder_(folder),
      folderPrefix_(options.outputFolder.size() + 1),
      report_(report),
      threaded_(count > 1) {
  for (int i = 0; i < count; ++i) {
    workers_.push_back(std::make_unique<Worker>(options, modulePixels, report));
    workers_.back()->owner = this;
  }
}

LineWorkers::~LineWorkers() { Finish(true); }

bool LineWorkers::Start() {
  // One worker writes on the reading thread and leaves the disk's flushes
  // to a thread of their own; several flush their own files when their
  // queues run dry (every core is busy writing already).
  if (!threaded_) return workers_.front()->publisher.Start();
  for (auto &worker : workers_) {
    if (!worker->thread.Start(&LineWorkers::Run, worker.get())) return false;
  }
  return true;
}

void LineWorkers::Write(Worker &worker, LineJob &job) {
  std::string reason;
  batch::LineFault fault = batch::LineFault::kNotWritten;
  // Memory running out for one image (a huge --size, say) fails its line,
  // never the batch.
  try {
    qrplatform::OutputFolder::Place place;
    qrplatform::PendingFile file;
    const qrplatform::Outcome placed = folder_.PlaceOf(job.path.substr(folderPrefix_), place);
    if (!placed) reason = placed.reason();
    if (placed) {
      qrimage::ImageResult written = worker.writer.Write(job.content, job.plan, place.path(), file,
                                                         job.modulePixels, &job.caption);
      if (written) {
        worker.publisher.Add(job.lineNumber, std::move(job.line), std::move(file),
                             std::move(place));
        return;
      }
      fault = batch::FaultOfUnwrittenImage(written);
      reason = std::move(written.reason);
    }
  } catch (const std::bad_alloc &) {
    reason = qrplatform::ErrnoText(ENOMEM);
  }
  auto failure = std::make_unique<batch::LineFailure>();
  failure->lineNumber = job.lineNumber;
  failure->line = job.line;
  failure->fault = fault;
  // A caption too long has no reason beyond the fault's words.
  if (fault != batch::LineFault::kCaptionTooLong) failure->reason = reason;
  report_.Settle(job.lineNumber, std::move(failure));
}

void LineWorkers::Submit(LineJob job) {
  // Every spelling of one file has one key, so one worker writes it.
  Worker &worker = *workers_[job.nameKey % workers_.size()];
  if (!threaded_) {
    Write(worker, job);
    return;
  }
  qrplatform::MutexLock lock(worker.mutex);
  while (worker.queue.size() >= kQueueLength) {
    worker.readerWaits = true;
    worker.changed.Wait(worker.mutex);
  }
  worker.readerWaits = false;
  worker.queue.push_back(std::move(job));
  if (worker.idle) worker.changed.WakeAll();
}

void LineWorkers::Run(void *argument) {
  Worker &worker = *static_cast<Worker *>(argument);
  std::deque<LineJob> batch;
  for (;;) {
    {
      qrplatform::MutexLock lock(worker.mutex);
      while (worker.queue.empty() && !worker.closing) {
        worker.idle = true;
        worker.changed.Wait(worker.mutex);
      }
      worker.idle = false;
      if (worker.discard || (worker.closing && worker.queue.empty())) return;
      // Half the queue at a time: the reader keeps room to go on.
      const size_t take = (worker.queue.size() + 1) / 2;
      for (size_t i = 0; i < take; ++i) {
        batch.push_back(std::move(worker.queue.front()));
        worker.queue.pop_front();
      }
      if (worker.readerWaits) worker.changed.WakeAll();
    }
    for (LineJob &job : batch) {
      if (worker.discard) break;
      worker.owner->Write(worker, job);
    }
    batch.clear();
    bool dry;
    {
      qrplatform::MutexLock lock(worker.mutex);
      dry = worker.queue.empty();
    }
    if (dry || worker.publisher.waiting() >= kPublishedTogether) worker.publisher.PublishWaiting();
  }
}

void LineWorkers::Finish(bool discardQueued) {
  if (threaded_) {
    for (auto &worker : workers_) {
      qrplatform::MutexLock lock(worker->mutex);
      worker->closing = true;
      if (discardQueued) worker->discard = true;
      worker->changed.WakeAll();
    }
    for (auto &worker : workers_) worker->thread.Join();
  }
  for (auto &worker : workers_) worker->publisher.Finish();
}

}  // namespace qrbatch
