#pragma once
// The commands of sorvane-cli. Each returns the process exit code (0 fine, 1 a file that could
// not be opened or decoded, 2 a usage error) and prints any failure as one line on stderr.
#include <string>
#include <vector>

namespace sorv::cli {

int infoCommand(const std::vector<std::string>& files);
int wavCommand(const std::string& file, const std::string& target);
struct PlayOptions {
  std::vector<std::string> files;
  std::string lyrics;
  bool hasEqualizer = false;
  std::vector<int> gains;
  int left = 100;
  int right = 100;
  bool stats = false;  // print "underruns N" at the end
};
int playCommand(const PlayOptions& options);
int spectrumCommand(const std::string& file, double seconds);

}  // namespace sorv::cli
