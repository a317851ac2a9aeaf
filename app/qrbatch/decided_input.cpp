#include "decided_input.h"

#include <string>
#include <utility>
#include <vector>

#include "input_lines.h"
#include "record_lines.h"
#include "stop_request.h"
#include "system_error.h"
#include "terminal.h"

namespace qrbatch {

using qrplatform::LineReader;

namespace {

// Picks the columns by `header` (the first row; empty without --header:
// numbers only, as --columns names imply --header). False when the header
// names no picked column (said on `err`).
bool PickColumns(const Options &options, const std::vector<std::string> &header,
                 batch::LineDecider &decider, std::FILE *err) {
  const ColumnPick pick = ChooseColumns(options, header);
  if (!pick.error.empty()) {
    qrplatform::PrintText(err, "qrbatch: %s\n", pick.error.c_str());
    return false;
  }
  decider.SetColumns(pick.choice);
  return true;
}

// How a read that was not given up for its header ended.
void SetEnd(LineReader::Result result, const LineReader &reader, ReadOutcome &outcome) {
  if (result == LineReader::Result::kStopped || qrplatform::StopRequested()) {
    outcome.end = ReadOutcome::End::kStopped;
  } else if (result == LineReader::Result::kFailed) {
    outcome.end = ReadOutcome::End::kFailed;
    outcome.readError = reader.error();
  }
}

}  // namespace

ReadOutcome DecideInput(const Options &options, int input, batch::LineDecider &decider,
                        OrderedReport &report, std::FILE *err,
                        const std::function<void(int lineNumber, batch::LineJob &job)> &take) {
  ReadOutcome outcome;
  LineReader reader(input, options.inputEncoding);
  decider.UseInput(&reader.decoder());
  RecordLines records(options.csv);
  bool headerDue = options.header;
  // Decides one record and hands it on; false when the header names no
  // picked column (the batch cannot go on).
  const auto decide = [&](InputRecord &&record) {
    if (headerDue) {
      headerDue = false;
      return PickColumns(options, record.fields, decider, err);
    }
    const int first = record.lineNumber;
    ++outcome.entries;
    report.Begin(first);
    batch::LineDecision decision = decider.Decide(std::move(record));
    report.Name(first, decision.name);
    if (decision.failure) {
      report.Settle(first, std::move(decision.failure));
    } else {
      take(first, decision.job);
    }
    return true;
  };
  if (!options.header) PickColumns(options, {}, decider, err);
  InputRecord record;
  std::string line;
  LineReader::Result result;
  while ((result = reader.Next(line)) == LineReader::Result::kLine) {
    if (records.Add(++outcome.lines, std::move(line), record) && !decide(std::move(record))) {
      outcome.end = ReadOutcome::End::kBadHeader;
      break;
    }
    if (qrplatform::StopRequested()) {
      result = LineReader::Result::kStopped;
      break;
    }
  }
  if (result == LineReader::Result::kEnd && records.Finish(record)) decide(std::move(record));
  decider.UseInput(nullptr);  // the reader's decoder ends here
  if (outcome.end != ReadOutcome::End::kBadHeader) SetEnd(result, reader, outcome);
  return outcome;
}

int EndStatus(const ReadOutcome &outcome, const OrderedReport &report, long long lineCount,
              std::FILE *err) {
  switch (outcome.end) {
    case ReadOutcome::End::kBadHeader: return 2;
    case ReadOutcome::End::kStopped: {
      const long long known = lineCount > report.begun() ? lineCount : report.begun();
      qrplatform::PrintText(err, "qrbatch: interrupted after %d of %lld lines\n", report.settled(),
                            known);
      return 130;
    }
    case ReadOutcome::End::kFailed:
      qrplatform::PrintText(err, "qrbatch: cannot read the input after line %d: %s\n",
                            outcome.lines, qrplatform::ErrnoText(outcome.readError).c_str());
      return 2;
    default: return 0;
  }
}

}  // namespace qrbatch
