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
  void PutBytes(const uint8_t *data, size_t count) {
    bytes_.insert(bytes_.end(), data, data + count);
  }

  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t> &bytes() const { return bytes_; }
  std::vector<uint8_t> &bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace qr
