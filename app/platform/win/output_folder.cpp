#include "output_folder.h"

namespace qrplatform {

// Windows keeps the names: its links (reparse points) are left to the
// system's own rules. Paths are UTF-8; the engine's file functions
// (qr::PendingFile) take them as such and write through the wide API.
OutputFolder::~OutputFolder() = default;

bool OutputFolder::Open(const std::string &path, std::string &) {
  path_ = path;
  return true;
}

bool OutputFolder::PlaceOf(const std::string &relative, Place &place, std::string &) const {
  place.path_ = path_ + "\\" + relative;
  return true;
}

}  // namespace qrplatform
