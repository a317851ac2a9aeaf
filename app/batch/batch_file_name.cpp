#include "batch_file_name.h"

#include <vector>

#include "gbk_bytes.h"
#include "windows_name_rule.h"

namespace batch {

namespace {

// A GBK character as Windows reads code page 936; any other byte stands for
// itself.
using qrtext::IsPair;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Only dots and blanks with at least two dots: a parent reference once
// Windows has stripped trailing dots and blanks.
bool IsParentReference(const std::string &component) {
  int dots = 0;
  for (char c : component) {
    if (c == '.') {
      ++dots;
    } else if (c != ' ') {
      return false;
    }
  }
  return dots >= 2;
}

}  // namespace

BatchFileName MakeBatchFileName(const std::string &folder, const std::string &line, char separator,
                                const std::string &extension, bool utf8) {
  BatchFileName result;
  if (folder.empty() || (!line.empty() && IsSeparator(line[0]))) {
    result.fault = NameFault::kOutsideFolder;
    return result;
  }
  std::vector<std::string> components(1);
  std::string translated;
  translated.reserve(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(line[i]);
    if (!utf8 && i + 1 < line.size() && IsPair(byte, static_cast<unsigned char>(line[i + 1]))) {
      // A double-byte character: its trail byte is no separator.
      components.back().append(line, i, 2);
      translated.append(line, i, 2);
      ++i;
    } else if (IsSeparator(line[i])) {
      components.emplace_back();
      translated += line[i] == '\\' ? separator : '/';
    } else if (IsReservedNameCharacter(byte)) {  // a stray high byte is kept as it is
      result.fault = NameFault::kInvalidName;
      return result;
    } else {
      components.back() += line[i];
      translated += line[i];
    }
  }
  for (size_t i = 0; i + 1 < components.size(); ++i) {
    if (IsParentReference(components[i])) {
      result.fault = NameFault::kOutsideFolder;
      return result;
    }
  }
  for (const std::string &component : components) {
    if (IsDeviceName(component)) {
      result.fault = NameFault::kInvalidName;
      return result;
    }
  }
  result.path = folder + separator + translated + extension;
  return result;
}

}  // namespace batch
