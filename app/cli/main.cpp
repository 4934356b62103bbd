// sorvane-cli: the player's audio engine from the command line.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/CliCommands.h"
#include "app/cli/FixNames.h"

namespace {

constexpr const char* kUsage =
    "usage: sorvane-cli info FILE...\n"
    "       sorvane-cli wav FILE OUT.wav\n"
    "       sorvane-cli play [--eq G0,...,G9] [--volume L,R] [--lyrics FILE.lrc] [--stats] "
    "FILE...\n"
    "       sorvane-cli spectrum FILE --at SECONDS\n"
    "       sorvane-cli fix-names DIR [--apply]\n";

int usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

std::vector<int> numbers(const std::string& list) {
  std::vector<int> values;
  std::stringstream stream(list);
  std::string item;
  while (std::getline(stream, item, ',')) values.push_back(std::atoi(item.c_str()));
  return values;
}

// Reads the options of "play"; false on a malformed option.
bool parsePlay(const std::vector<std::string>& args, sorv::cli::PlayOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--eq" && hasValue) {
      options.gains = numbers(args[++i]);
      options.hasEqualizer = true;
    } else if (arg == "--volume" && hasValue) {
      const auto levels = numbers(args[++i]);
      if (levels.size() != 2) return false;
      options.left = levels[0];
      options.right = levels[1];
    } else if (arg == "--lyrics" && hasValue) {
      options.lyrics = args[++i];
    } else if (arg == "--stats") {
      options.stats = true;
    } else if (arg.rfind("--", 0) == 0) {
      return false;
    } else {
      options.files.push_back(arg);
    }
  }
  return !options.files.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "info") return sorv::cli::infoCommand(args);
  if (command == "wav" && args.size() == 2) return sorv::cli::wavCommand(args[0], args[1]);
  if (command == "spectrum" && args.size() == 3 && args[1] == "--at") {
    return sorv::cli::spectrumCommand(args[0], std::atof(args[2].c_str()));
  }
  if (command == "fix-names" && (args.size() == 1 || (args.size() == 2 && args[1] == "--apply")))
    return sorv::cli::fixNamesCommand(args[0], args.size() == 2);
  if (command == "play") {
    sorv::cli::PlayOptions options;
    if (!parsePlay(args, options)) return usage();
    return sorv::cli::playCommand(options);
  }
  return usage();
}
