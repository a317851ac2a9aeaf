// The input read as records in input order and decided one by one: what
// the image batch and the label-sheet batch share up to the writing.
#pragma once

#include <cstdio>
#include <functional>

#include "line_decider.h"
#include "options.h"
#include "ordered_report.h"

namespace qrbatch {

struct ReadOutcome {
  enum class End { kEnd, kStopped, kFailed, kBadHeader };
  End end = End::kEnd;
  int lines = 0;      // physical lines read
  int entries = 0;    // records decided (a header row is none)
  int readError = 0;  // errno, for kFailed
};

// Reads `input` (--input-encoding, --csv, --header, --columns), begins
// every record in `report`, decides it with `decider` and hands a decided
// job to `take`, which settles it; a record that fails a check is settled
// here. Stops early for a stop request, a read error or a header that
// names no picked column (said on `err`).
ReadOutcome DecideInput(const Options &options, int input, batch::LineDecider &decider,
                        OrderedReport &report, std::FILE *err,
                        const std::function<void(int lineNumber, batch::LineJob &job)> &take);

// The exit status of a read that did not reach its end (2 or 130), with its
// message on `err`; 0 when it did. Call after report.Close().
int EndStatus(const ReadOutcome &outcome, const OrderedReport &report, long long lineCount,
              std::FILE *err);

}  // namespace qrbatch
