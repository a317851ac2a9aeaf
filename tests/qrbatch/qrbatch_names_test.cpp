// qrbatch's names as the file systems it writes to compare them: a later
// line never replaces an earlier line's file through another case.
#include <gtest/gtest.h>

#include <set>

#include "qrbatch_runner.h"

namespace qrtest {
namespace {

TEST(QrbatchNames, CaseVariantsInAnyAlphabetAreOneFile) {
  TempFolder temp;
  WriteWhole(temp.path() / "lines.txt",
             "café\tfirst\nCAFÉ\tsecond\nΩмега\tthird\nωМЕГА\tfourth\nstraße\tfifth\n"
             "STRASSE\tsixth\n");
  const fs::path out = temp.path() / "out";
  const QrbatchRun run =
      RunQrbatch({"-o", out.string(), "--format", "png"}, temp.path() / "lines.txt", temp.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line 2: the name is already used by line 1: CAFÉ"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("line 4: the name is already used by line 3: ωМЕГА"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("2 of 6 lines produced no file"), std::string::npos) << run.err;
  std::set<std::string> names;
  for (const auto &file : FilesUnder(out)) names.insert(file.first);
  EXPECT_EQ(names, (std::set<std::string>{"café.png", "Ωмега.png", "straße.png", "STRASSE.png"}));
  EXPECT_EQ(DecodeImageFile(out / "café.png").bytes, "first");
}

}  // namespace
}  // namespace qrtest
