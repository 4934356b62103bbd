#pragma once
// The records that the engine's operations fill or take. Text is UTF-8 and never longer than
// kTextChars characters (cut on a character boundary).
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sorv {

inline constexpr int kTextChars = 128;
inline constexpr int kBins = 256;

// Tag record: title and artist first, genre number and genre name last.
struct TagRecord {
  std::string title;
  std::string artist;
  std::string album;
  std::string year;
  std::string comment;
  std::string track;
  int32_t genre = -1;  // ID3v1 genre number, -1 when the file names none
  std::string genreName;
};

// Stream record. fileSize is non-zero once the record has been filled.
struct StreamRecord {
  int32_t version = 0;     // MPEG version: 1, 2, or 3 meaning 2.5; 0 for non-MPEG streams
  int32_t layer = 0;       // 1..3; 0 for non-MPEG streams
  int32_t sampleRate = 0;  // Hz
  int32_t channels = 0;
  int32_t mode = 0;     // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
  int32_t bitrate = 0;  // kbit/s, 0 for variable bit rate
  int32_t frames = 0;
  int32_t fileSize = 0;  // bytes
  int32_t length = 0;    // whole seconds
  // Other streams: the codec's shown name (FfmpegSource::codecName, empty for MPEG and
  // Windows Media Audio) and the bits per sample of lossless streams (0 for lossy ones).
  std::string codec;
  int32_t bits = 0;
};

// How loud a song is: EBU R128 integrated loudness, and its highest sample.
struct Loudness {
  double lufs = 0;  // integrated loudness
  double peak = 0;  // 1.0 at full scale
};

// The track's and the album's loudness as the file's ReplayGain tags give them; each is nullopt
// when the file has no such gain tag.
struct TaggedLoudness {
  std::optional<Loudness> track;
  std::optional<Loudness> album;
};

// What one read of a song file tells: its stream facts (fileSize set), its tags and its
// ReplayGain tags.
struct SongFacts {
  TagRecord tag;
  StreamRecord stream;
  TaggedLoudness loudness;
};

// Open record: handed in zeroed, filled by open. The last field is the length in seconds.
struct OpenRecord {
  std::string name;  // the path that was opened
  int32_t sampleRate = 0;
  int32_t channels = 0;
  int32_t bitrate = 0;
  int32_t length = 0;
};

// Lyrics record: slot[2] is slot 3, the current line; slot[3], slot[4] the two lines before it;
// slot[1], slot[0] the two lines after it.
struct LyricsRecord {
  int32_t value = 0;  // index of the current line, -1 before the first
  std::array<std::string, 5> slot;
};

// Engine options: field[2] is the processor-load setting.
struct EngineOption {
  std::array<int32_t, 4> field{};
};

// Decode options: field[2] is the output rate in Hz.
struct DecodeOption {
  std::array<int32_t, 3> field{};
};

using Gains = std::array<int32_t, 10>;
using Bins = std::array<int32_t, kBins>;

}  // namespace sorv
