// The batch as one PDF of label sheets (--format pdf): the lines go through
// the batch's pipeline (records, decoding, escapes, content encoding,
// caption, report) and become labels, in input order, in DIR/labels.pdf.
// The PDF is written under a temporary name and takes its name only when
// whole and on the disk; a stopped batch leaves no PDF.
#pragma once

#include <cstdio>

#include "options.h"
#include "output_folder.h"

namespace qrbatch {

// Reads every line of `input` and returns the exit status (0, 1 when some
// line has no label, 2 when the PDF cannot be written, 130 when stopped).
// `rows`: the --report file, or null.
int RunSheetBatch(const Options &options, const qrplatform::OutputFolder &folder, int input,
                  long long lineCount, std::FILE *rows, std::FILE *err);

}  // namespace qrbatch
