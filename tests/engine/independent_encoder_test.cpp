// The engine's symbols against an independent encoder (qrcodegen): the same
// segments at the same version, level and mask must give the same module
// at every row and column of the standard's figure, over random messages
// in every mode, every version and every level.
#include <gtest/gtest.h>

#include <qrcodegen/qrcodegen.hpp>

#include <random>
#include <string>
#include <vector>

#include "data_encoding.h"
#include "encode_symbol.h"
#include "symbol_matrix.h"
#include "version_tables.h"

namespace {

using qrcodegen::QrCode;
using qrcodegen::QrSegment;

const char kAlphanumericSet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

// Random segments of `message` (appended to it) that fill up to about
// `fraction` of the data capacity of `version` at `level`.
std::vector<qr::Segment> RandomSegments(std::mt19937 &random, int version, int level,
                                        double fraction, std::string &message) {
  const int64_t budget = static_cast<int64_t>(8 * qr::DataCapacity(version, level) * fraction);
  std::vector<qr::Segment> segments;
  if (random() % 4 == 0) {
    const uint32_t designators[] = {3, 26, 127, 128, 899, 16383, 16384, 999999};
    segments.push_back(qr::EciSegment(designators[random() % 8]));
  }
  const int pieces = 1 + static_cast<int>(random() % 4);
  for (int piece = 0; piece < pieces; ++piece) {
    const qr::DataMode modes[] = {qr::kNumeric, qr::kAlphanumeric, qr::kByte};
    const qr::DataMode mode = modes[random() % 3];
    qr::Segment segment = qr::DataSegment(mode, message.size(), 0);
    const int64_t used =
        qr::StreamBitCount(segments.data(), static_cast<int>(segments.size()), version);
    const int64_t room = budget - used - qr::SegmentBitCount(segment, version);
    if (room < 0) break;
    const int64_t bitsPerCharacter = mode == qr::kNumeric ? 4 : mode == qr::kAlphanumeric ? 6 : 8;
    const size_t most = static_cast<size_t>(room / bitsPerCharacter / (pieces - piece));
    segment.length = most == 0 ? 0 : random() % (most + 1);
    for (size_t k = 0; k < segment.length; ++k) {
      switch (mode) {
        case qr::kNumeric: message += static_cast<char>('0' + random() % 10); break;
        case qr::kAlphanumeric: message += kAlphanumericSet[random() % 45]; break;
        default: message += static_cast<char>(random() % 256); break;
      }
    }
    segments.push_back(segment);
  }
  // Trim the last data segment until the whole stream fits.
  while (qr::StreamBitCount(segments.data(), static_cast<int>(segments.size()), version) > budget &&
         segments.back().length > 0) {
    --segments.back().length;
  }
  return segments;
}

std::vector<QrSegment> PeerSegments(const std::vector<qr::Segment> &segments,
                                    const std::string &message) {
  std::vector<QrSegment> peer;
  for (const qr::Segment &segment : segments) {
    const std::string text = message.substr(segment.offset, segment.length);
    switch (segment.mode) {
      case qr::kEci: peer.push_back(QrSegment::makeEci(segment.eciDesignator)); break;
      case qr::kNumeric: peer.push_back(QrSegment::makeNumeric(text.c_str())); break;
      case qr::kAlphanumeric: peer.push_back(QrSegment::makeAlphanumeric(text.c_str())); break;
      default:
        peer.push_back(QrSegment::makeBytes(std::vector<uint8_t>(text.begin(), text.end())));
        break;
    }
  }
  return peer;
}

TEST(IndependentEncoder, EveryModuleAgreesOverRandomSegmentsVersionsLevelsAndMasks) {
  const QrCode::Ecc levels[] = {QrCode::Ecc::LOW, QrCode::Ecc::MEDIUM, QrCode::Ecc::QUARTILE,
                                QrCode::Ecc::HIGH};
  std::mt19937 random(20240601);
  int compared = 0;
  for (int round = 0; round < 3000; ++round) {
    const int version = 1 + round % 40;
    const int level = static_cast<int>(random() % 4);
    const int mask = static_cast<int>(random() % 8);
    // Mostly near full, where padding and the count widths matter most.
    const double fraction = round % 3 == 0 ? 1.0 : (random() % 1000) / 1000.0;
    std::string message;
    const std::vector<qr::Segment> segments =
        RandomSegments(random, version, level, fraction, message);
    const int count = static_cast<int>(segments.size());
    ASSERT_EQ(qr::ChooseVersion(segments.data(), count, version, level), version) << round;

    qr::SymbolMatrix matrix;
    qr::BuiltSymbol built;
    const qr::SymbolRequest request{reinterpret_cast<const unsigned char *>(message.data()),
                                    segments.data(),
                                    count,
                                    version,
                                    level,
                                    mask + 1};
    ASSERT_EQ(qr::BuildSymbol(request, matrix, built), qr::EncodeResult::kWritten) << round;
    ASSERT_EQ(built.maskPattern, mask);

    const QrCode peer = QrCode::encodeSegments(PeerSegments(segments, message), levels[level],
                                               version, version, mask, false);
    ASSERT_EQ(peer.getSize(), matrix.side()) << round;
    for (int row = 0; row < matrix.side(); ++row)
      for (int column = 0; column < matrix.side(); ++column)
        ASSERT_EQ(matrix.module(row, column) != 0, peer.getModule(column, row))
            << "round " << round << ", version " << version << ", level " << level << ", mask "
            << mask << ", " << count << " segments, " << message.size() << " bytes: row " << row
            << ", column " << column;
    ++compared;
  }
  EXPECT_EQ(compared, 3000);
}

}  // namespace
