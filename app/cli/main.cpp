// sorvane-cli: the player's audio engine from the command line.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/CliCommands.h"
#include "app/cli/FixNames.h"
#include "decoder/EqualizerDesign.h"

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

// A whole number that fits an int, or nothing for any other text.
std::optional<int> wholeNumber(const std::string& text) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || value < INT_MIN || value > INT_MAX) return {};
  return static_cast<int>(value);
}

// A position in seconds: a plain finite number from 0 to a week.
std::optional<double> seconds(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(value) || value < 0 || value > 604800) {
    return {};
  }
  return value;
}

// Comma-separated whole numbers; an empty list when one of them is not.
std::vector<int> numbers(const std::string& list) {
  std::vector<int> values;
  std::stringstream stream(list);
  std::string item;
  while (std::getline(stream, item, ',')) {
    const auto value = wholeNumber(item);
    if (!value) return {};
    values.push_back(*value);
  }
  return values;
}

// Reads the options of "play"; false on a malformed option.
bool parsePlay(const std::vector<std::string>& args, sorv::cli::PlayOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--eq" && hasValue) {
      options.gains = numbers(args[++i]);
      // Bands left out would silently be flat, which is not what was asked for.
      if (options.gains.size() != sorv::kBands) {
        std::fprintf(stderr, "sorvane-cli: --eq takes ten whole gains in dB, G0,...,G9, not %s\n",
                     args[i].c_str());
        return false;
      }
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
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::printf("sorvane-cli %s\n", SORV_VERSION);
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc < 3) return usage();
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "info") return sorv::cli::infoCommand(args);
  if (command == "wav" && args.size() == 2) return sorv::cli::wavCommand(args[0], args[1]);
  if (command == "spectrum" && args.size() == 3 && args[1] == "--at") {
    const auto at = seconds(args[2]);
    if (!at) {
      std::fprintf(stderr, "sorvane-cli: --at takes seconds from 0 to 604800, not %s\n",
                   args[2].c_str());
      return 2;
    }
    return sorv::cli::spectrumCommand(args[0], *at);
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
