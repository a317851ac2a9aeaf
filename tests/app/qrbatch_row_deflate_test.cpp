// The PNG image data encoder against zlib's own inflate.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

#include "row_deflate.h"

namespace qrbatch {
namespace {

// Inflates the stream (checking its Adler-32) and compares it with the
// scanlines, each led by filter byte 0.
void ExpectRoundTrip(const std::vector<std::vector<uint8_t>> &rows, size_t rowBytes) {
  std::vector<const uint8_t *> pointers;
  std::vector<uint8_t> expected;
  for (const auto &row : rows) {
    pointers.push_back(row.data());
    expected.push_back(0);
    expected.insert(expected.end(), row.begin(), row.end());
  }
  std::vector<uint8_t> stream;
  DeflateScanlines(pointers.data(), static_cast<int>(rows.size()), rowBytes, stream);
  std::vector<uint8_t> inflated(expected.size() + 16);
  uLongf length = inflated.size();
  ASSERT_EQ(uncompress(inflated.data(), &length, stream.data(), stream.size()), Z_OK);
  inflated.resize(length);
  EXPECT_TRUE(inflated == expected) << "rows " << rows.size() << " x " << rowBytes;
}

std::vector<std::vector<uint8_t>> Rows(int count, size_t rowBytes, uint32_t seed, int repeat) {
  std::vector<std::vector<uint8_t>> rows;
  uint32_t state = seed;
  for (int y = 0; y < count; ++y) {
    if (y % repeat != 0) {
      rows.push_back(rows.back());
      continue;
    }
    std::vector<uint8_t> row(rowBytes);
    for (size_t x = 0; x < rowBytes; ++x) {
      state = state * 1103515245u + 12345u;
      // Mostly runs of white or black, as symbols are, some other bytes.
      const uint32_t pick = state >> 24;
      row[x] = pick < 100 ? 0xFF : pick < 200 ? 0x00 : static_cast<uint8_t>(state >> 8);
      if (x > 0 && pick % 3 == 0) row[x] = row[x - 1];
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(RowDeflate, InflatesBackToTheScanlines) {
  for (size_t rowBytes : {1u, 2u, 3u, 25u, 257u, 258u, 300u, 4096u}) {
    for (int repeat : {1, 2, 8, 97}) {
      ExpectRoundTrip(Rows(200, rowBytes, static_cast<uint32_t>(rowBytes * 31 + repeat), repeat), rowBytes);
    }
  }
  // One row, and one long run of equal rows.
  ExpectRoundTrip(Rows(1, 25, 7, 1), 25);
  ExpectRoundTrip(std::vector<std::vector<uint8_t>>(1000, std::vector<uint8_t>(40, 0xFF)), 40);
}

}  // namespace
}  // namespace qrbatch
