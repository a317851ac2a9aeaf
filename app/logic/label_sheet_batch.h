// The window's batch as one PDF of label sheets (file type "标签页 PDF"):
// the common A4 sheet of 3 x 8 labels of 70 x 37 mm, each label a line's
// code with its caption under it, drawn by the sheet writer qrbatch uses.
#pragma once

#include <string>
#include <vector>

#include "batch_run.h"

namespace qrapp {

// The document's name in the destination folder, as qrbatch names it.
inline constexpr char kLabelSheetFileName[] = "labels.pdf";

// One label per line, in order, into `target.folder`/labels.pdf, written
// whole through `files` once every line is placed (never when none is).
// The lines are decided by the shared LineDecider; the caption is the
// line's name, or the options' caption choice. A line is refused, in this
// order, for its record, a content its encoding cannot express, a content
// no version holds, a caption that does not fit its label, or a code whose
// module would be below the settings' smallest label module; a refused
// line leaves no gap. The engine still gets every line's message, as in the
// image batch. When the document cannot be written every placed line
// fails with kNotWritten. A batch stopped before its last line writes no
// document.
BatchOutcome RunLabelSheetBatch(EngineExports &engine, qrplatform::FileSystem &files,
                                const batch::BatchRecipe &recipe,
                                const std::vector<std::string> &lines, const BatchTarget &target,
                                BatchObserver &observer);

}  // namespace qrapp
