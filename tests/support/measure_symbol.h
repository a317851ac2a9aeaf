// The version and side the engine's plan gives a message, for tests that
// compare them with what the exports and encoders do.
#pragma once

#include <cstddef>

#include "symbol_engine.h"

namespace qrtest {

struct SymbolSize {
  int version = 0;  // both 0 when the message does not fit version 40 at the level
  int side = 0;
};

inline SymbolSize MeasureSymbol(const char *message, size_t length,
                                const qr::SymbolSettings &settings) {
  const qr::SymbolPlan plan = qr::PlanSymbol(message, length, settings);
  return {plan.version, plan.side};
}

}  // namespace qrtest
