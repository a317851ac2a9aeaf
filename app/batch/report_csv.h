// The batch report as a CSV file: one row per line, UTF-8 with a
// byte-order mark so that spreadsheets open it as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace batch {

// The file's first bytes: the byte-order mark and the header row.
std::string ReportCsvStart();

// One row: line, name, status ("written" or "failed"), reason; fields
// quoted where they hold a comma, a quote or a line break; ends in CR LF.
std::string ReportCsvRow(int lineNumber, std::string_view name, bool written,
                         std::string_view reason);

// One CSV field, quoted when it needs to be (RFC 4180).
std::string CsvField(std::string_view text);

}  // namespace batch
