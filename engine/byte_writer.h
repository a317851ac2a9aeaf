// Little-endian byte sink for the file formats the engine writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qr {

class ByteWriter {
 public:
  void Put8(uint32_t value) { bytes_.push_back(static_cast<uint8_t>(value)); }
  void Put16(uint32_t value) {
    Put8(value);
    Put8(value >> 8);
  }
  void Put32(uint32_t value) {
    Put16(value);
    Put16(value >> 16);
  }
  void PutBytes(const uint8_t *data, size_t count) { bytes_.insert(bytes_.end(), data, data + count); }

  // Overwrites a 32-bit field written earlier (sizes known only at the end).
  void Patch32(size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  }
  void Patch16(size_t offset, uint32_t value) {
    bytes_[offset] = static_cast<uint8_t>(value);
    bytes_[offset + 1] = static_cast<uint8_t>(value >> 8);
  }

  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t> &bytes() const { return bytes_; }
  std::vector<uint8_t> &bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace qr
