#pragma once
// Timed lyric lines from an LRC file and the five lines around a play position.
//
// Accepted: "[mm:ss.xx]", "[mm:ss:xx]" and "[mm:ss]" tags (several on one line give the line
// several times), an "[offset:+/-ms]" tag (positive shows the lines earlier), other tags
// ignored; word times inside a line ("<mm:ss.xx>") are dropped from its text. Text is UTF-8, UTF-16
// with a byte order mark, or else Shift-JIS (CP932). Lines are ordered by time; lines with equal
// times keep their order in the file. A line with several tags keeps its text once. What a file may
// cost is capped: its first kMaxBytes are read and its first kMaxTimes tags kept.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/Records.h"

namespace sorv {

class LyricTimer {
 public:
  static constexpr std::size_t kMaxBytes = 1 << 20;
  static constexpr std::size_t kMaxTimes = 20000;

  struct Line {
    int64_t ms = 0;
    uint32_t text = 0;  // index of its text
  };

  // Reads the file; false when it is missing or holds no timed line (the old lines are dropped).
  bool load(const std::string& path);
  // Same from the file's bytes.
  bool parse(std::string_view bytes);
  void clear();
  bool empty() const { return lines_.empty(); }
  const std::vector<Line>& lines() const { return lines_; }
  const std::string& text(const Line& line) const { return texts_[line.text]; }

  // A line counts as current from its time minus the lead on, so the reader sees it coming.
  void setLeadMs(int64_t ms) { leadMs_ = ms < 0 ? 0 : ms; }
  // Index of the current line at ms, -1 before the first.
  int currentIndex(int64_t ms) const;
  // Fills the record: slot[2] the current line, slot[3], slot[4] the two before it, slot[1],
  // slot[0] the two after it; value the current index. Slots without a line are empty.
  void fill(int64_t ms, LyricsRecord& record) const;

 private:
  std::vector<Line> lines_;
  std::vector<std::string> texts_;
  int64_t leadMs_ = 0;
};

// UTF-8 text of a lyric file's bytes (UTF-16 by its byte order mark, UTF-8, else CP932).
std::string decodeLyricBytes(std::string_view bytes);

}  // namespace sorv
