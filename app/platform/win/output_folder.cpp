#include "output_folder.h"

namespace qrplatform {

// Windows keeps the names: its links (reparse points) are left to the
// system's own rules. Paths are UTF-8; the engine's file functions
// (PendingFile, StreamedFile) take them as such and write through the wide API.
OutputFolder::~OutputFolder() = default;

Outcome OutputFolder::Open(const std::string &path) {
  path_ = path;
  return Outcome::Done();
}

Outcome OutputFolder::PlaceOf(const std::string &relative, Place &place) const {
  place.path_ = path_ + "\\" + relative;
  return Outcome::Done();
}

}  // namespace qrplatform
