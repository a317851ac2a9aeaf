#include "profile_file.h"

#include <cctype>
#include <vector>

#include "line_splitter.h"

namespace qrapp {

namespace {

std::string Trimmed(const std::string &text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// "[name]" gives name; anything else is no section line.
bool SectionOf(const std::string &line, std::string &name) {
  const std::string text = Trimmed(line);
  if (text.size() < 2 || text.front() != '[') return false;
  const size_t close = text.find(']');
  if (close == std::string::npos) return false;
  name = Trimmed(text.substr(1, close - 1));
  return true;
}

bool KeyOf(const std::string &line, std::string &key, std::string &value) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  key = Trimmed(line.substr(0, equals));
  value = Trimmed(line.substr(equals + 1));
  return true;
}

}  // namespace

ProfileFile::ProfileFile(qrplatform::FileSystem &files, std::string path)
    : files_(files), path_(std::move(path)) {}

std::string ProfileFile::Read(const std::string &section, const std::string &key) {
  std::string content;
  if (!files_.ReadFile(path_, content)) return std::string();
  bool inSection = false;
  for (const std::string &line : SplitFileLines(content)) {
    std::string name, k, v;
    if (SectionOf(line, name)) {
      inSection = SameName(name, section);
    } else if (inSection && KeyOf(line, k, v) && SameName(k, key)) {
      return v;
    }
  }
  return std::string();
}

void ProfileFile::Write(const std::string &section, const std::string &key,
                        const std::string &value) {
  std::string content;
  files_.ReadFile(path_, content);
  std::vector<std::string> lines = SplitFileLines(content);
  const std::string entry = key + "=" + value;

  bool inSection = false, done = false;
  size_t sectionEnd = lines.size();  // where a missing key goes
  bool sectionFound = false;
  for (size_t i = 0; i < lines.size() && !done; ++i) {
    std::string name, k, v;
    if (SectionOf(lines[i], name)) {
      if (inSection) break;
      inSection = SameName(name, section);
      if (inSection) {
        sectionFound = true;
        sectionEnd = i + 1;
      }
    } else if (inSection) {
      if (KeyOf(lines[i], k, v) && SameName(k, key)) {
        lines[i] = entry;
        done = true;
      } else if (!Trimmed(lines[i]).empty()) {
        sectionEnd = i + 1;
      }
    }
  }
  if (!done) {
    if (sectionFound) {
      lines.insert(lines.begin() + static_cast<long>(sectionEnd), entry);
    } else {
      lines.push_back("[" + section + "]");
      lines.push_back(entry);
    }
  }
  std::string updated;
  for (const std::string &line : lines) updated += line + "\r\n";
  files_.WriteFile(path_, updated);
}

}  // namespace qrapp
