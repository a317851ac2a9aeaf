// Pattern data of a fixed set of messages, levels, versions and mask
// settings, reduced to one hash per message: the symbols the engine draws
// must not change when its internals are reorganised for speed.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine_api.h"

namespace {

uint64_t Fnv1a(uint64_t hash, const std::string &bytes) {
  for (unsigned char ch : bytes) {
    hash ^= ch;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

std::vector<std::string> GoldenMessages() {
  std::mt19937 random(20210706);
  std::vector<std::string> messages;
  const int lengths[] = {0, 1, 7, 11, 17, 18, 41, 77, 100, 230, 231, 640, 1273, 2100, 2953};
  const char *alphabets[] = {"0123456789", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:", nullptr};
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

// Hash of every symbol of one message: four levels, mask settings 0..8,
// automatic and one fixed requested version. "-" marks a failed encoding.
uint64_t SymbolsHash(const std::string &message, int requestedVersion) {
  uint64_t hash = 0xcbf29ce484222325ull;
  QRSetDefault();
  QRSetMessage(message.c_str());
  for (int level = 0; level < 4; ++level)
    for (int version : {0, requestedVersion})
      for (int mask = 0; mask <= 8; ++mask) {
        QRConfigure(version, level, mask);
        int side = 0;
        const std::string pattern = qrtest::PatternData(&side);
        hash = Fnv1a(hash, pattern.empty() ? std::string("-") : pattern);
      }
  return hash;
}

TEST(GoldenSymbols, PatternDataIsUnchanged) {
  const uint64_t expected[] = {
      0x8a317e3a897211d5ull,
      0x991689fe7a4c114bull,
      0x8a06abbf7cf97fb9ull,
      0xfbc60bef730e164full,
      0xb0e7b9ebb1e9e125ull,
      0x0fca2fd7b5884515ull,
      0x61e4fb97ca1f05a9ull,
      0x5bac7d70512f6f73ull,
      0x72d767039291c766ull,
      0x8922d1d2dee8a6dfull,
      0xb821ad1f60382339ull,
      0xa85ea1afa98fda8aull,
      0xbdd98e3f591763bfull,
      0x2b6695c41916700dull,
      0x801152cfd8392562ull,
      0x1904ef6c62ab6622ull,
      0x6c36a6d76f4517d6ull,
      0xf2d50ae67ac1c8c3ull,
      0xb18cd8d15372a332ull,
      0xc3657df0ecd1edbdull,
      0x9b513da3fa2ccb26ull,
      0x7cad0c1a986977beull,
      0x42700cc51ef27bb3ull,
      0xf4af4c754413517full,
      0x985ada38465d4094ull,
      0xbc513d2ca24f09fcull,
      0xc7fd8a5c12cc26b6ull,
      0x79afd0f7eb8fbd8bull,
      0x1c4a3ba7ac9b4e63ull,
      0x5fd420aa23684df3ull,
      0x08ac4b79ce286fd4ull,
      0x21ae92fcf6e675b6ull,
      0x8425816923a86ed0ull,
      0x401cd327c908560full,
      0xad65dedb1cf58819ull,
      0xd8c9e10ac53c859bull,
      0xb6a7783c284647cbull,
      0xde66fe6f59e0a899ull,
      0xbe96f4b96f70b1cdull,
      0x8dee1335b9a0289bull,
      0xad4b534886310bafull,
      0x7f1c1867a5d3f5e1ull,
      0xa71380075ae7f0d3ull,
      0x40b86ecd96aedbcfull,
      0x703b11ee5f4ade01ull,
  };
  const std::vector<std::string> messages = GoldenMessages();
  ASSERT_EQ(messages.size(), sizeof expected / sizeof expected[0]);
  for (size_t i = 0; i < messages.size(); ++i) {
    const uint64_t hash = SymbolsHash(messages[i], 1 + static_cast<int>(i * 7 % 40));
    EXPECT_EQ(hash, expected[i]) << "message " << i << ", " << messages[i].size() << " bytes";
  }
}

}  // namespace
