// The file-system floor of the batch: writes ready-made image bytes under
// each line's name (folder/line.jpg), one file per line, the way a batch
// does, with no encoding at all.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char **argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: batch_floor LINES TEMPLATE DIR\n");
    return 2;
  }
  std::ifstream templateFile(argv[2], std::ios::binary);
  const std::string image(std::istreambuf_iterator<char>(templateFile), {});
  std::ifstream lines(argv[1], std::ios::binary);
  const std::string folder = argv[3];
  std::string line;
  int failed = 0;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string path = folder + "/" + line + ".jpg";
    std::remove(path.c_str());  // as the engine replaces an older file
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(image.data(), 1, image.size(), file) != image.size()) ++failed;
    if (file) std::fclose(file);
  }
  return failed == 0 ? 0 : 1;
}
