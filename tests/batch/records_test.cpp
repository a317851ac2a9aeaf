// Records as users' files hold them: CSV fields over several lines, TAB
// columns, escapes in the content, safe file names and the report's rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content_escapes.h"
#include "csv_record.h"
#include "line_record.h"
#include "report_csv.h"
#include "safe_file_name.h"

namespace batch {
namespace {

using Fields = std::vector<std::string>;

// The records of `lines`, each one's fields; an open record at the end is
// given as it stands, marked by a last field "<open>".
std::vector<Fields> CsvRecords(const std::vector<std::string> &lines) {
  std::vector<Fields> records;
  CsvRecord record;
  for (const std::string &line : lines) {
    if (record.AddLine(line)) records.push_back(record.TakeFields());
  }
  if (record.open()) {
    records.push_back(record.TakeFields());
    records.back().push_back("<open>");
  }
  return records;
}

TEST(CsvRecordTest, FieldsAsSpreadsheetsWriteThem) {
  const struct {
    std::vector<std::string> lines;
    std::vector<Fields> records;
  } cases[] = {
      {{"a,b,c"}, {{"a", "b", "c"}}},
      {{""}, {{""}}},
      {{",,"}, {{"", "", ""}}},
      {{"\"x,y\",\"say \"\"hi\"\"\""}, {{"x,y", "say \"hi\""}}},
      {{"\"\"\"\""}, {{"\""}}},
      {{"1,\"first", "second\",3", "next"}, {{"1", "first\nsecond", "3"}, {"next"}}},
      {{"\"", "", "\""}, {{"\n\n"}}},                        // empty lines inside quotes
      {{"ab\"c\",d"}, {{"ab\"c\"", "d"}}},                   // a quote inside a plain field
      {{"\"ab\"c,d"}, {{"abc", "d"}}},                       // text after the closing quote
      {{"编号,\"名称\",网址"}, {{"编号", "名称", "网址"}}},  // UTF-8 passes through
      {{"1,\"never closed", "2,x"}, {{"1", "never closed\n2,x\n", "<open>"}}},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(CsvRecords(c.lines), c.records) << c.lines.front();
  }
}

TEST(CsvRecordTest, SizeCountsEveryLineOfAnOpenRecord) {
  CsvRecord record;
  EXPECT_FALSE(record.AddLine("\"abc"));
  EXPECT_FALSE(record.AddLine("de"));
  EXPECT_TRUE(record.open());
  EXPECT_EQ(record.size(), 8u);  // with their line breaks
  EXPECT_TRUE(record.AddLine("\""));
  EXPECT_EQ(record.TakeFields(), Fields{"abc\nde\n"});
  EXPECT_EQ(record.size(), 0u);
}

TEST(LineRecordTest, ColumnsByCountOrPicked) {
  ColumnChoice byCount;
  ColumnChoice picked;
  picked.picked = true;
  picked.name = 3;
  picked.content = 1;
  picked.caption = 4;
  const struct {
    const char *line;
    const ColumnChoice &choice;
    bool nameNeeded;
    RecordFault fault;
    LineRecord record;
  } cases[] = {
      {"only", byCount, true, RecordFault::kNone, {"only", "only", ""}},
      {"n\tc", byCount, true, RecordFault::kNone, {"n", "c", ""}},
      {"n\tc\tcap", byCount, true, RecordFault::kNone, {"n", "c", "cap"}},
      {"n\t\t", byCount, true, RecordFault::kNone, {"n", "", ""}},
      {"苹果手机\thttps://e.com/a\tcap\textra", byCount, true, RecordFault::kExtraColumns, {}},
      {"c\tx\tn\tcap\tmore", picked, true, RecordFault::kNone, {"n", "c", "cap"}},
      {"c\tx\tn", picked, true, RecordFault::kNone, {"n", "c", ""}},
      {"c\tx", picked, true, RecordFault::kMissingColumn, {}},
      {"c\tx", picked, false, RecordFault::kNone, {"", "c", ""}},
  };
  for (const auto &c : cases) {
    LineRecord record;
    EXPECT_EQ(RecordOfColumns(SplitTabColumns(c.line), c.choice, c.nameNeeded, record), c.fault)
        << c.line;
    if (c.fault != RecordFault::kNone) continue;
    EXPECT_EQ(record.name, c.record.name) << c.line;
    EXPECT_EQ(record.content, c.record.content) << c.line;
    EXPECT_EQ(record.caption, c.record.caption) << c.line;
  }
  const Fields header = {"编号", "名称", "网址"};
  EXPECT_EQ(ColumnOf("网址", header), 3);
  EXPECT_EQ(ColumnOf("2", header), 2);
  EXPECT_EQ(ColumnOf("价格", header), 0);
  EXPECT_EQ(ColumnOf("0", header), 0);
}

TEST(ContentEscapesTest, EscapesBecomeTheirCharacters) {
  const struct {
    const char *text;
    bool ok;
    std::string result;  // the content, or the bad escape
  } cases[] = {
      {"BEGIN:VCARD\\r\\nFN:Anna\\r\\nEND:VCARD", true, "BEGIN:VCARD\r\nFN:Anna\r\nEND:VCARD"},
      {"a\\tb\\\\n", true, "a\tb\\n"},
      {"\\x41\\x7e\\x00z", true, std::string("A~\0z", 4)},
      {"\\xff", true, "\xff"},
      {"\\u00e9\\u4E2D\\uFFFF", true, "é中\xEF\xBF\xBF"},
      {"no escapes: 价格 100€", true, "no escapes: 价格 100€"},
      {"a\\qb", false, "\\q"},
      {"end\\", false, "\\"},
      {"\\x4", false, "\\x4"},
      {"\\x4g", false, "\\x4g"},
      {"\\u12", false, "\\u12"},
      {"\\u12中", false, "\\u12"},
      {"\\uD800\\uDC00", false, "\\uD800"},
      {"\\udfff", false, "\\udfff"},
      {"\\u0000", false, "\\u0000"},
      {"\\中", false, "\\"},
  };
  for (const auto &c : cases) {
    std::string out, bad;
    EXPECT_EQ(UnescapeContent(c.text, out, bad), c.ok) << c.text;
    EXPECT_EQ(c.ok ? out : bad, c.result) << c.text;
  }
}

TEST(SafeFileNameTest, WhatWindowsCannotStoreBecomesUnderscore) {
  const struct {
    std::string text;
    std::string name;
  } cases[] = {
      {"https://example.com/p?id=1", "https___example.com_p_id=1"},
      {"WIFI:S:Home;T:WPA;P:pa\"ss<>|*;;", "WIFI_S_Home;T_WPA;P_pa_ss____;;"},
      {"a\\b\tc\x7f", "a_b_c\x7f"},
      {"name. . ", "name____"},
      {"...", "___"},
      {"", ""},
      {"CON", "_CON"},
      {"nul.txt", "_nul.txt"},
      {"Com7 .tar", "_Com7 .tar"},
      {"LPT0", "LPT0"},
      {"CONSOLE", "CONSOLE"},
      {"café 价格", "café 价格"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(SafeFileName(c.text, NameUnits::kUtf8Bytes, 4), c.name) << c.text;
  }
}

TEST(SafeFileNameTest, CutToTheLimitAtACharacterBoundary) {
  // 251 bytes for the name with ".jpg": 83 characters of 3 bytes, then a cut.
  const std::string chinese = [] {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "中";
    return text;
  }();
  EXPECT_EQ(SafeFileName(chinese, NameUnits::kUtf8Bytes, 4).size(), 249u);
  // In UTF-16 units every one of them is one unit: all 100 fit.
  EXPECT_EQ(SafeFileName(chinese, NameUnits::kUtf16Units, 4), chinese);
  // Beyond U+FFFF a character takes two units: 125 of them, 500 bytes.
  std::string emoji;
  for (int i = 0; i < 200; ++i) emoji += "\xF0\x9F\x98\x80";
  EXPECT_EQ(SafeFileName(emoji, NameUnits::kUtf16Units, 4).size(), 500u);
  // A cut that ends in a dot still makes it '_'.
  EXPECT_EQ(SafeFileName(std::string(250, 'a') + ".b", NameUnits::kUtf8Bytes, 4),
            std::string(250, 'a') + "_");
  // A device name at the limit gives a unit to its '_'.
  const std::string device = SafeFileName("con." + std::string(300, 'x'), NameUnits::kUtf8Bytes, 4);
  EXPECT_EQ(device.size(), 251u);
  EXPECT_EQ(device.substr(0, 5), "_con.");
}

TEST(ReportCsvTest, RowsQuoteWhatNeedsIt) {
  EXPECT_EQ(ReportCsvStart(), "\xEF\xBB\xBFline,name,status,reason\r\n");
  EXPECT_EQ(ReportCsvRow(3, "a.png", true, ""), "3,a.png,written,\r\n");
  EXPECT_EQ(ReportCsvRow(12, "say \"hi\", ok.png", false, "bad escape (\\q)"),
            "12,\"say \"\"hi\"\", ok.png\",failed,bad escape (\\q)\r\n");
  EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
  // What the row writes, the CSV reader reads back.
  CsvRecord record;
  EXPECT_FALSE(record.AddLine("7,\"x,\"\"y\"\""));
  EXPECT_TRUE(record.AddLine("z\",failed,why"));
  EXPECT_EQ(record.TakeFields(), (Fields{"7", "x,\"y\"\nz", "failed", "why"}));
}

}  // namespace
}  // namespace batch
