#include "pending_file.h"

#include <utility>

namespace qrplatform {

PendingFile::~PendingFile() { Discard(); }

PendingFile::PendingFile(PendingFile &&other) noexcept
    : temporary_(std::move(other.temporary_)), target_(std::move(other.target_)) {
  other.temporary_.clear();
}

PendingFile &PendingFile::operator=(PendingFile &&other) noexcept {
  if (this != &other) {
    Discard();
    temporary_ = std::move(other.temporary_);
    target_ = std::move(other.target_);
    other.temporary_.clear();
  }
  return *this;
}

}  // namespace qrplatform
