// The batch as one PDF of label sheets (--format pdf): the lines in input
// order, one label each, into DIR/labels.pdf. The PDF is written under a
// temporary name and takes its name only when whole and on the disk; a
// stopped batch leaves no PDF.
#pragma once

#include <cstdio>

#include "options.h"

namespace qrbatch {

// Reads every line of `input` and returns the exit status (0, 1 when some
// line has no label, 2 when the PDF cannot be written, 130 when stopped).
// The process works in the destination folder (OutputFolder::Open).
int RunSheetBatch(const Options &options, int input, long long lineCount, std::FILE *err);

}  // namespace qrbatch
