// Lists as users keep them, through the real qrbatch: Excel CSV, TAB
// columns, a vCard written with escapes, URL and Wi-Fi lists named by
// number or made safe. Every file is decoded back; every refused line is
// in the report file and writes nothing.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "qrbatch_runner.h"

namespace qrtest {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kHeader[] = "line,name,status,reason\r\n";

// Every written file (relative path) decoded to its message bytes.
std::map<std::string, std::string> DecodedFiles(const fs::path &folder) {
  std::map<std::string, std::string> decoded;
  for (const auto &file : FilesUnder(folder)) {
    const Decoded symbol = DecodeImageFile(folder / file.first);
    decoded[file.first] = symbol.ok ? symbol.bytes : "<undecodable>";
  }
  return decoded;
}

TEST(QrbatchLists, ExcelCsvWithHeaderQuotesAndALineBreak) {
  TempFolder temp;
  // As Excel saves it: CR LF rows, LF inside a quoted cell, "" for a quote.
  WriteWhole(temp.path() / "list.csv",
             "编号,名称,网址\r\n"
             "1,苹果手机,https://example.com/p?id=1&x=2\r\n"
             "2,\"Anna \"\"A\"\", Ltd\",\"https://example.com/a,b\"\r\n"
             "3,多行,\"line one\nline two\"\r\n"
             "4,缺列\r\n"
             "5,\"never closed,https://example.com/5\r\n"
             "6,swallowed,https://example.com/6\r\n");
  const fs::path out = temp.path() / "out", report = temp.path() / "report.csv";
  const QrbatchRun run = RunQrbatch(
      {"-o", out.string(), "--format", "png", "--csv", "--columns", "名称,网址", "--names", "safe",
       // A relative report name is taken from where qrbatch was started.
       "--report", fs::relative(report).string(), (temp.path() / "list.csv").string()},
      "/dev/null", temp.path());
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(DecodedFiles(out), (std::map<std::string, std::string>{
                                   {"苹果手机.png", "https://example.com/p?id=1&x=2"},
                                   {"Anna _A_, Ltd.png", "https://example.com/a,b"},
                                   {"多行.png", "line one\nline two"},
                               }));
  EXPECT_EQ(ReadWhole(report), std::string(kBom) + kHeader +
                                   "2,苹果手机.png,written,\r\n"
                                   "3,\"Anna _A_, Ltd.png\",written,\r\n"
                                   "4,多行.png,written,\r\n"
                                   "6,,failed,the row has no column picked by --columns\r\n"
                                   "7,,failed,a quoted field is not closed\r\n");
  EXPECT_NE(run.err.find("line 6: the row has no column picked by --columns: 4,缺列"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("2 of 5 lines produced no file"), std::string::npos) << run.err;

  // A header without the named column stops the batch before any file.
  const QrbatchRun wrong = RunQrbatch({"-o", (temp.path() / "none").string(), "--csv", "--columns",
                                       "名称,价格", (temp.path() / "list.csv").string()},
                                      "/dev/null", temp.path());
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.err.find("the header row has no column 价格"), std::string::npos) << wrong.err;
  EXPECT_TRUE(FilesUnder(temp.path() / "none").empty());
}

TEST(QrbatchLists, ARecordOverThousandsOfLinesKeepsTheReportInOrder) {
  TempFolder temp;
  // More lines in one record than the report keeps unsettled at once.
  WriteWhole(temp.path() / "long.csv",
             "first,one\nbreaks,\"" + std::string(5000, '\n') + "\"\nlast,two\n");
  const fs::path out = temp.path() / "out";
  const QrbatchRun run = RunQrbatch({"-o", out.string(), "--format", "png", "--csv", "-j", "2"},
                                    temp.path() / "long.csv", temp.path());
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("line 2: too long"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("1 of 3 lines produced no file"), std::string::npos) << run.err;
  EXPECT_EQ(DecodedFiles(out),
            (std::map<std::string, std::string>{{"first.png", "one"}, {"last.png", "two"}}));
}

TEST(QrbatchLists, TabColumnsNameContentAndCaption) {
  TempFolder temp;
  WriteWhole(temp.path() / "list.txt",
             "a\thttps://example.com/a\tCaption A\n"
             "苹果手机\thttps://example.com/b\t\t\n"  // four columns, two of them empty
             "c\thttps://example.com/c\n"
             "d\n");
  const fs::path out = temp.path() / "out", report = temp.path() / "report.csv";
  const QrbatchRun run =
      RunQrbatch({"-o", out.string(), "--format", "svg", "--report", report.string()},
                 temp.path() / "list.txt", temp.path());
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(DecodedFiles(out), (std::map<std::string, std::string>{
                                   {"a.svg", "https://example.com/a"},
                                   {"c.svg", "https://example.com/c"},
                                   {"d.svg", "d"},
                               }));
  EXPECT_EQ(ReadWhole(report),
            std::string(kBom) + kHeader +
                "1,a.svg,written,\r\n"
                "2,,failed,\"more columns than name, content and caption; pick them with "
                "--columns\"\r\n"
                "3,c.svg,written,\r\n"
                "4,d.svg,written,\r\n");

  // Columns by number after a header row, which makes no file.
  const fs::path picked = temp.path() / "picked";
  WriteWhole(temp.path() / "header.txt", "url\tid\tnote\nhttps://example.com/x\tx1\tnote\n");
  const QrbatchRun byNumber =
      RunQrbatch({"-o", picked.string(), "--format", "png", "--header", "--columns", "2,1,3"},
                 temp.path() / "header.txt", temp.path());
  EXPECT_EQ(byNumber.status, 0) << byNumber.err;
  EXPECT_EQ(DecodedFiles(picked),
            (std::map<std::string, std::string>{{"x1.png", "https://example.com/x"}}));
}

// What ZXingReader shows for a file, non-graphical characters in angle
// brackets; empty when it cannot run.
std::string ZxingReaderShows(const fs::path &file) {
  const std::string command = "ZXingReader -1 -format QRCode '" + file.string() + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE *)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return "";
  std::string shown;
  std::array<char, 4096> buffer;
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0)
    shown.append(buffer.data(), got);
  return shown;
}

TEST(QrbatchLists, AVCardWrittenWithEscapes) {
  TempFolder temp;
  WriteWhole(temp.path() / "cards.txt",
             "anna\tBEGIN:VCARD\\r\\nVERSION:3.0\\r\\nN:Muster;Anna\\r\\nFN:Anna Muster\\r\\n"
             "TEL:+49 30 1234\\r\\nEND:VCARD\n"
             "tabs\tA\\tB\\\\C\\x41\\u00e9\n"
             "bad-letter\tBEGIN:VCARD\\qEND\n");
  const fs::path out = temp.path() / "out", report = temp.path() / "report.csv";
  const QrbatchRun run = RunQrbatch({"-o", out.string(), "--format", "png", "--escapes", "--size",
                                     "400", "--report", report.string()},
                                    temp.path() / "cards.txt", temp.path());
  EXPECT_EQ(run.status, 1) << run.err;
  const std::string vcard =
      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Muster;Anna\r\nFN:Anna Muster\r\nTEL:+49 30 1234\r\n"
      "END:VCARD";
  EXPECT_EQ(DecodedFiles(out), (std::map<std::string, std::string>{
                                   {"anna.png", vcard},
                                   {"tabs.png", "A\tB\\CAé"},
                               }));
  EXPECT_EQ(ReadWhole(report), std::string(kBom) + kHeader +
                                   "1,anna.png,written,\r\n"
                                   "2,tabs.png,written,\r\n"
                                   "3,,failed,bad escape (\\q)\r\n");
  // Another reader shows the real line breaks.
  const std::string shown = ZxingReaderShows(out / "anna.png");
  EXPECT_NE(shown.find("BEGIN:VCARD<CR><LF>VERSION:3.0<CR><LF>"), std::string::npos) << shown;
}

TEST(QrbatchLists, UrlAndWifiListsNamedByNumberOrMadeSafe) {
  TempFolder temp;
  const std::string lines[] = {
      "https://example.com/a?x=1",
      "https://example.com/a?x=2",
      "WIFI:S:Home Net;T:WPA;P:pa:ss;;",
      "a:b",
      "a/b",
      "CON",
      "trailing. ",
  };
  std::string list;
  for (const std::string &line : lines) list += line + "\r\n";
  WriteWhole(temp.path() / "list.txt", list);

  const fs::path numbered = temp.path() / "numbered";
  const QrbatchRun byNumber = RunQrbatch({"-o", numbered.string(), "--format", "png", "--names",
                                          "number", (temp.path() / "list.txt").string()},
                                         "/dev/null", temp.path());
  EXPECT_EQ(byNumber.status, 0) << byNumber.err;
  std::map<std::string, std::string> expected;
  for (size_t i = 0; i < std::size(lines); ++i) expected[std::to_string(i + 1) + ".png"] = lines[i];
  EXPECT_EQ(DecodedFiles(numbered), expected);

  const fs::path safe = temp.path() / "safe", report = temp.path() / "report.csv";
  const QrbatchRun bySafe =
      RunQrbatch({"-o", safe.string(), "--format", "png", "--names", "safe", "--report",
                  report.string(), (temp.path() / "list.txt").string()},
                 "/dev/null", temp.path());
  EXPECT_EQ(bySafe.status, 1) << bySafe.err;
  EXPECT_EQ(DecodedFiles(safe), (std::map<std::string, std::string>{
                                    {"https___example.com_a_x=1.png", lines[0]},
                                    {"https___example.com_a_x=2.png", lines[1]},
                                    {"WIFI_S_Home Net;T_WPA;P_pa_ss;;.png", lines[2]},
                                    {"a_b.png", "a:b"},
                                    {"_CON.png", "CON"},
                                    {"trailing__.png", "trailing. "},
                                }));
  // a/b maps to a_b as well: reported, never written over a:b.
  EXPECT_EQ(ReadWhole(report), std::string(kBom) + kHeader +
                                   "1,https___example.com_a_x=1.png,written,\r\n"
                                   "2,https___example.com_a_x=2.png,written,\r\n"
                                   "3,WIFI_S_Home Net;T_WPA;P_pa_ss;;.png,written,\r\n"
                                   "4,a_b.png,written,\r\n"
                                   "5,a_b.png,failed,the name is already used by line 4\r\n"
                                   "6,_CON.png,written,\r\n"
                                   "7,trailing__.png,written,\r\n");
}

}  // namespace
}  // namespace qrtest
