// What a step of the platform layer that may fail gives back: done, or not
// done with the system's reason in words.
#pragma once

#include <string>
#include <utility>

namespace qrplatform {

class Outcome {
 public:
  static Outcome Done() { return Outcome(); }
  static Outcome Failed(std::string reason) {
    Outcome failed;
    failed.failed_ = true;
    failed.reason_ = std::move(reason);
    return failed;
  }

  explicit operator bool() const { return !failed_; }
  const std::string &reason() const { return reason_; }  // empty when done

 private:
  bool failed_ = false;
  std::string reason_;
};

}  // namespace qrplatform
