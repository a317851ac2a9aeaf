// qrbatch's text: input files as Windows programs save them become the same
// names and contents, and each content encoding reads back as intended in
// real decoders (zxing-cpp's library, ZXingReader and zbarimg).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>

#include "gbk_text.h"
#include "qrbatch_runner.h"

namespace qrtest {
namespace {

// UTF-8 text as UTF-16 bytes with a mark (ASCII and BMP Chinese only).
std::string Utf16WithMark(const std::string &utf8, bool littleEndian) {
  std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    unsigned code = lead;
    size_t length = 1;
    if (lead >= 0xE0) {
      code = (lead & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
      length = 3;
    } else if (lead >= 0xC0) {
      code = (lead & 0x1F) << 6 | (utf8[i + 1] & 0x3F);
      length = 2;
    }
    const char low = static_cast<char>(code & 0xFF), high = static_cast<char>(code >> 8);
    bytes += littleEndian ? low : high;
    bytes += littleEndian ? high : low;
    i += length;
  }
  return bytes;
}

std::set<std::string> NamesUnder(const fs::path &folder) {
  std::set<std::string> names;
  for (const auto &file : FilesUnder(folder)) names.insert(file.first);
  return names;
}

// The output of a command, or "" when it cannot run.
std::string CommandOutput(const std::string &command) {
  std::string output;
  if (std::FILE *pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    pclose(pipe);
  }
  return output;
}

bool HaveCommand(const char *name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// The text ZXingReader shows for a file.
std::string ZxingText(const fs::path &file) {
  const std::string output = CommandOutput("ZXingReader '" + file.string() + "' 2>/dev/null");
  const std::string field = "Text:       \"";
  const size_t at = output.find(field);
  if (at == std::string::npos) return "<none>";
  const size_t end = output.find("\"\n", at + field.size());
  return output.substr(at + field.size(), end - at - field.size());
}

// The text zbarimg shows for a file.
std::string ZbarText(const fs::path &file) {
  std::string text = CommandOutput("zbarimg -q --raw '" + file.string() + "' 2>/dev/null");
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text.empty() ? "<none>" : text;
}

// The decoded message with its ECI designators (\nnnnnn), without the
// symbology identifier in front.
std::string WithDesignators(const Decoded &decoded) {
  return decoded.bytesEci.rfind("]Q", 0) == 0 ? decoded.bytesEci.substr(3) : decoded.bytesEci;
}

// The same list in every kind of file: names and contents are its text
// (UTF-8 with ECI 26 in the symbols, by default).
TEST(QrbatchEncoding, EveryKindOfInputFileGivesTheSameNamesAndContents) {
  const std::string text = "手机\t苹果手机 iPhone 15\r\ncafé\tCafé Olé 100€\r\nSN-1\tSN-0001\r\n";
  const std::string gbk = qrtext::ToGbk(text);
  ASSERT_NE(gbk.find("100\x80"), std::string::npos);
  struct Kind {
    const char *what;
    std::string bytes;
  };
  const Kind kinds[] = {
      {"UTF-8", text},
      {"UTF-8 with a mark (Notepad)", "\xEF\xBB\xBF" + text},
      {"UTF-16LE with a mark (Excel's Unicode text)", Utf16WithMark(text, true)},
      {"UTF-16BE with a mark", Utf16WithMark(text, false)},
      {"GBK", gbk},
  };
  for (const Kind &kind : kinds) {
    SCOPED_TRACE(kind.what);
    TempFolder temp;
    WriteWhole(temp.path() / "list.txt", kind.bytes);
    const fs::path out = temp.path() / "out";
    const QrbatchRun run =
        RunQrbatch({"-o", out.string(), "--format", "png"}, temp.path() / "list.txt", temp.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(NamesUnder(out), (std::set<std::string>{"手机.png", "café.png", "SN-1.png"}));
    const Decoded phone = DecodeImageFile(out / "手机.png");
    EXPECT_EQ(phone.bytes, "苹果手机 iPhone 15");
    EXPECT_EQ(WithDesignators(phone), "\\000026苹果手机 iPhone 15");
    EXPECT_EQ(DecodeImageFile(out / "café.png").bytes, "Café Olé 100€");
    // ASCII content carries no designator.
    EXPECT_EQ(WithDesignators(DecodeImageFile(out / "SN-1.png")), "SN-0001");
  }
}

TEST(QrbatchEncoding, NumberedNamesCountTheLinesOfUtf16InputAndOfAPipe) {
  std::string text;
  for (int i = 1; i <= 12; ++i) text += "行" + std::to_string(i) + "\r\n";
  TempFolder temp;
  WriteWhole(temp.path() / "list.txt", Utf16WithMark(text, true));
  for (const bool pipe : {false, true}) {
    const fs::path out = temp.path() / (pipe ? "piped" : "file");
    std::vector<std::string> args{"-o", out.string(), "--names", "number", "--format", "png"};
    if (!pipe) args.push_back((temp.path() / "list.txt").string());
    const QrbatchRun run = RunQrbatch(args, temp.path() / "list.txt", temp.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(NamesUnder(out).size(), 12u);
    EXPECT_EQ(DecodeImageFile(out / "01.png").bytes, "行1");
    EXPECT_EQ(DecodeImageFile(out / "12.png").bytes, "行12");
  }
}

TEST(QrbatchEncoding, ALineNotValidInTheInputsEncodingIsItsOwnFault) {
  TempFolder temp;
  // UTF-8, then a GBK line past the look-ahead (a reader's buffer, 64 KiB).
  std::string text = "中文\n" + std::string(70000, 'x');
  text += "\n" + qrtext::ToGbk("价格") + "\tprice\nlast\n";
  WriteWhole(temp.path() / "list.txt", text);
  const fs::path out = temp.path() / "out";
  const QrbatchRun run =
      RunQrbatch({"-o", out.string(), "--format", "png"}, temp.path() / "list.txt", temp.path());
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("qrbatch: line 2: too long for version 40"), std::string::npos) << run.err;
  // Shown as UTF-8 where its bytes happen to be (DB B8), else escaped.
  EXPECT_NE(run.err.find("qrbatch: line 3: not valid text in the input's encoding: "
                         "\\xBC\xDB\xB8\\xF1\\x09price"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(NamesUnder(out), (std::set<std::string>{"中文.png", "last.png"}));
  // Told GBK, the same line is text.
  const QrbatchRun gbk =
      RunQrbatch({"-o", out.string(), "--input-encoding", "gbk", "--format", "png"},
                 temp.path() / "list.txt", temp.path());
  EXPECT_EQ(gbk.status, 1) << gbk.err;  // line 2 is still too long
  EXPECT_EQ(DecodeImageFile(out / "价格.png").bytes, "price");
}

TEST(QrbatchEncoding, RawKeepsTheLinesBytesAndGbkRefusesWhatItCannotHold) {
  TempFolder temp;
  WriteWhole(temp.path() / "list.txt", qrtext::ToGbk("调压柜_3253") + "\n한국어 상품\n");
  const fs::path raw = temp.path() / "raw";
  QrbatchRun run = RunQrbatch(
      {"-o", raw.string(), "--format", "png", "--encoding", "raw", "--input-encoding", "gbk"},
      temp.path() / "list.txt", temp.path());
  // The Korean line is no GBK text: its name cannot be read.
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(DecodeImageFile(raw / "调压柜_3253.png").bytes, qrtext::ToGbk("调压柜_3253"));
  EXPECT_EQ(WithDesignators(DecodeImageFile(raw / "调压柜_3253.png")),
            qrtext::ToGbk("调压柜_3253"));

  WriteWhole(temp.path() / "list.txt", "调压柜_3253\n한국어 상품\n表情😀\n");
  const fs::path gbk = temp.path() / "gbk";
  run = RunQrbatch({"-o", gbk.string(), "--format", "png", "--encoding", "gbk", "--eci"},
                   temp.path() / "list.txt", temp.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line 2: holds a character GBK cannot express: 한국어 상품"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("line 3: holds a character GBK cannot express: 表情😀"), std::string::npos)
      << run.err;
  EXPECT_EQ(NamesUnder(gbk), std::set<std::string>{"调压柜_3253.png"});
  const Decoded decoded = DecodeImageFile(gbk / "调压柜_3253.png");
  EXPECT_EQ(decoded.bytes, qrtext::ToGbk("调压柜_3253"));
  EXPECT_EQ(WithDesignators(decoded), "\\000029" + qrtext::ToGbk("调压柜_3253"));
}

TEST(QrbatchEncoding, TheEciHeaderCountsInTheFitCheck) {
  // 17 bytes: version 1 at level L holds them, but not after the 12 bits
  // of ECI 26; version 2 is 25 modules of 8 px, too wide for 168 px.
  TempFolder temp;
  WriteWhole(temp.path() / "list.txt", "fit\téééééééé1\n");
  for (const std::string encoding : {"utf-8-noeci", "utf-8"}) {
    const fs::path out = temp.path() / encoding;
    const QrbatchRun run =
        RunQrbatch({"-o", out.string(), "--format", "png", "--size", "168", "--encoding", encoding},
                   temp.path() / "list.txt", temp.path());
    if (encoding == "utf-8-noeci") {
      EXPECT_EQ(run.status, 0) << run.err;
      EXPECT_EQ(DecodeImageFile(out / "fit.png").bytes, "éééééééé1");
    } else {
      EXPECT_EQ(run.status, 1);
      EXPECT_NE(run.err.find("line 1: symbol needs 200x200 px, image is 168x168"),
                std::string::npos)
          << run.err;
      EXPECT_TRUE(NamesUnder(out).empty());
    }
  }
}

// Chinese, accented Latin, emoji and Korean under UTF-8 with ECI: both
// independent decoders (ZXingReader, zbarimg) show exactly the intended
// text. bench/decoder_matrix.sh prints what they show under every encoding.
TEST(QrbatchEncoding, BothDecodersReadUtf8LinesBack) {
  if (!HaveCommand("ZXingReader") || !HaveCommand("zbarimg"))
    GTEST_SKIP() << "ZXingReader or zbarimg missing";
  const std::vector<std::pair<std::string, std::string>> lines = {
      {"chinese", "华为 Mate 60 Pro"},
      {"latin", "Café Olé"},
      {"emoji", "表情😀 €"},
      {"korean", "한국어 상품"},
  };
  std::string input;
  for (const auto &[name, text] : lines) input += name + "\t" + text + "\n";
  TempFolder temp;
  WriteWhole(temp.path() / "list.txt", input);
  const fs::path out = temp.path() / "utf-8";
  RunQrbatch({"-o", out.string(), "--format", "png", "--encoding", "utf-8"},
             temp.path() / "list.txt", temp.path());
  for (const auto &[name, text] : lines) {
    const fs::path file = out / (name + ".png");
    ASSERT_TRUE(fs::exists(file)) << name;
    EXPECT_EQ(ZxingText(file), text) << name;
    EXPECT_EQ(ZbarText(file), text) << name;
  }
}

}  // namespace
}  // namespace qrtest
