// Pattern data of a fixed set of messages, levels, versions and mask
// settings against text files under golden/, one row a line: the symbols
// the engine draws must not change when its internals are reorganised.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "pattern_data.h"

namespace {

std::vector<std::string> GoldenMessages() {
  std::mt19937 random(20210706);
  std::vector<std::string> messages;
  const int lengths[] = {0, 1, 7, 11, 17, 18, 41, 77, 100, 230, 231, 640, 1273, 2100, 2953};
  const char *alphabets[] = {"0123456789",
                             "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:", nullptr};
  for (int length : lengths)
    for (const char *alphabet : alphabets) {
      std::string message;
      const size_t size = alphabet ? std::char_traits<char>::length(alphabet) : 255;
      for (int i = 0; i < length; ++i)
        message += alphabet ? alphabet[random() % size] : static_cast<char>(1 + random() % 255);
      messages.push_back(message);
    }
  return messages;
}

// The symbols of one message as text: for every level the automatic choice
// (version and mask), and at one level a requested version with a forced
// mask (the levels and masks take turns over the messages). Each symbol is
// a title line and one line per row, '#' dark, '.' light.
std::string SymbolsText(const std::string &message, int requestedVersion, size_t index) {
  std::string text =
      "message " + std::to_string(index) + ", " + std::to_string(message.size()) + " bytes\n";
  QRSetDefault();
  QRSetMessage(message.c_str());
  for (int level = 0; level < 4; ++level)
    for (int version : {0, requestedVersion}) {
      if (version != 0 && level != static_cast<int>(index % 4)) continue;
      const int maskSetting = version == 0 ? 0 : 1 + static_cast<int>(index % 8);
      QRConfigure(version, level, maskSetting);
      int side = 0;
      const std::string pattern = qrtest::PatternData(&side);
      text += "\nlevel " + std::string(1, "LMQH"[level]) + ", version " + std::to_string(version) +
              ", mask setting " + std::to_string(maskSetting) + ": ";
      if (pattern.empty()) {
        text += "does not fit\n";
        continue;
      }
      text += "side " + std::to_string(side) + "\n";
      for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column)
          text += pattern[row * side + column] == '1' ? '#' : '.';
        text += '\n';
      }
    }
  return text;
}

std::string GoldenPath(size_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "/%02zu.txt", index);
  return std::string(QR_GOLDEN_DIR) + name;
}

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// 1-based number of the first line where the texts differ.
size_t FirstDifferentLine(const std::string &a, const std::string &b) {
  size_t line = 1;
  for (size_t k = 0; k < a.size() && k < b.size() && a[k] == b[k]; ++k)
    if (a[k] == '\n') ++line;
  return line;
}

// QR_UPDATE_GOLDEN=1 writes the files from the current engine instead of
// comparing (review the diff before committing it).
TEST(GoldenSymbols, PatternDataIsUnchanged) {
  const bool update = std::getenv("QR_UPDATE_GOLDEN") != nullptr;
  const std::vector<std::string> messages = GoldenMessages();
  for (size_t i = 0; i < messages.size(); ++i) {
    const std::string actual = SymbolsText(messages[i], 1 + static_cast<int>(i * 7 % 40), i);
    const std::string path = GoldenPath(i);
    if (update) {
      std::ofstream(path, std::ios::binary) << actual;
      continue;
    }
    const std::string expected = ReadFile(path);
    ASSERT_FALSE(expected.empty()) << path << " is missing (QR_UPDATE_GOLDEN=1 writes it)";
    EXPECT_TRUE(actual == expected)
        << path << " differs from line " << FirstDifferentLine(actual, expected);
  }
}

}  // namespace
