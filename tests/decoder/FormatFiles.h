#pragma once
// Small files of every format beside MP3, made with ffmpeg the first time a test asks for them:
// three seconds of stereo whose tone steps each second (300, 500, 700 Hz), so a position can
// be heard, tagged with the same Japanese text in each format's own way (UTF-8 Vorbis comments,
// MP4 atoms and INFO list; Shift-JIS bytes in the 24-bit WAV's ID3v2 chunk).
#include <ostream>
#include <string>
#include <vector>

namespace sorv::test {

struct FormatCase {
  std::string file;   // name in the folder of made files
  std::string codec;  // as the song information names it
  int rate;
  int bits;                         // 0 for lossy streams
  std::vector<std::string> encode;  // ffmpeg's output options that make it
};

// The cases, and the path of a case's file (made on first use; empty when ffmpeg failed).
const std::vector<FormatCase>& formatCases();
std::string formatFile(const FormatCase& format);
// The tone of second n of every made file, and the tags they carry.
inline constexpr double toneHz(int second) {
  return 300 + 200 * second;
}
inline constexpr const char* kFormatTitle = "テスト曲";
inline constexpr const char* kFormatArtist = "歌手";
inline constexpr const char* kFormatAlbum = "アルバム";
// Runs ffmpeg with the given arguments (quiet, overwriting); true when it succeeded.
bool runFfmpeg(const std::vector<std::string>& arguments);
// Test names and failure messages name a case by its file.
inline void PrintTo(const FormatCase& format, std::ostream* out) {
  *out << format.file;
}

}  // namespace sorv::test
