// Command line of qrbatch.
#pragma once

#include <string>
#include <vector>

#include "symbol_recipe.h"

namespace qrbatch {

struct Options {
  std::string outputFolder;
  std::string inputFile;  // empty or "-": standard input
  qrapp::SymbolRecipe recipe;
  bool help = false;
  bool version = false;
};

// False with a message in `error` for a command line it cannot use.
bool ParseOptions(const std::vector<std::string> &args, Options &options, std::string &error);

extern const char kUsage[];

}  // namespace qrbatch
