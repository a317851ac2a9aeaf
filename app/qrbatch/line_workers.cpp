#include "line_workers.h"

#include <utility>

namespace qrbatch {

namespace {
constexpr size_t kQueueLength = 256;
}  // namespace

LineWorkers::LineWorkers(int count, const Options &options, const qrplatform::OutputFolder &folder,
                         int modulePixels, OrderedReport &report)
    : folder_(folder),
      folderPrefix_(options.outputFolder.size() + 1),
      report_(report),
      publisher_(report),
      threaded_(count > 1) {
  for (int i = 0; i < count; ++i) {
    workers_.push_back(std::make_unique<Worker>(options, modulePixels));
    workers_.back()->owner = this;
  }
}

LineWorkers::~LineWorkers() { Finish(true); }

bool LineWorkers::Start() {
  if (!publisher_.Start()) return false;
  if (!threaded_) return true;
  for (auto &worker : workers_) {
    if (!worker->thread.Start(&LineWorkers::Run, worker.get())) return false;
  }
  return true;
}

void LineWorkers::Write(Worker &worker, LineJob &job) {
  std::string reason;
  qrplatform::OutputFolder::Place place;
  qr::PendingFile file;
  if (folder_.PlaceOf(job.path.substr(folderPrefix_), place, reason) &&
      worker.writer.Write(job.content, job.plan, place.path(), file, reason)) {
    publisher_.Add(job.lineNumber, std::move(job.line), std::move(file), std::move(place));
    return;
  }
  auto failure = std::make_unique<qrapp::LineFailure>();
  failure->lineNumber = job.lineNumber;
  failure->line = job.line;
  failure->fault = qrapp::LineFault::kNotWritten;
  failure->reason = reason;
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
  publisher_.Finish();
}

}  // namespace qrbatch
