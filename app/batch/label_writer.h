// Decided lines drawn as labels on a sheet, in input order, for the
// window's batch and qrbatch alike: the writer's outcome as a line's fault.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "batch_settings.h"
#include "label_sheet_pdf.h"
#include "line_check.h"
#include "line_decider.h"
#include "symbol_engine.h"

namespace batch {

// The labels' style: the module (0: the largest the label allows), the
// quiet zone asked (the sheet's default when none is) and the floor.
qrsheets::LabelStyle LabelStyleOf(const BatchSettings &settings);

class LabelWriter {
 public:
  // The words for a code refused by the sheet (its numbers in `refused`);
  // null: the sheet's own.
  using RefusalWords = std::string (*)(const qrsheets::LabelPlacement &refused,
                                       const qrsheets::LabelStyle &style);

  LabelWriter(qrsheets::LabelSheetPdf &sheet, const qrsheets::LabelStyle &style,
              RefusalWords words = nullptr)
      : sheet_(sheet), style_(style), words_(words) {}

  // Null when the job's label is placed; else why the line has none.
  std::unique_ptr<LineFailure> Place(LineJob &job);

 private:
  qrsheets::LabelSheetPdf &sheet_;
  qrsheets::LabelStyle style_;
  RefusalWords words_;
  qr::SymbolEngine engine_;
  std::vector<uint8_t> modules_;
};

}  // namespace batch
