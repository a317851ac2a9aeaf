#include "report_csv.h"

namespace batch {

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string field = "\"";
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

std::string ReportCsvStart() { return "\xEF\xBB\xBFline,name,status,reason\r\n"; }

std::string ReportCsvRow(int lineNumber, std::string_view name, bool written,
                         std::string_view reason) {
  return std::to_string(lineNumber) + ',' + CsvField(name) + ',' +
         (written ? "written" : "failed") + ',' + CsvField(reason) + "\r\n";
}

}  // namespace batch
