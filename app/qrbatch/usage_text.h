// What qrbatch --help prints: the one reference of the command line, which
// the manual (docs/qrbatch.md) and the Chinese guide are checked against.
#pragma once

namespace qrbatch {

extern const char kUsage[];

}  // namespace qrbatch
