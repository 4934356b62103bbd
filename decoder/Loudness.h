#pragma once
// How loud a song is (EBU R128 integrated loudness) and the ReplayGain 2.0 gain that brings it
// to the reference level: from the file's ReplayGain tags where it has them, else measured.
#include <optional>
#include <string>

namespace sorv {

// The ReplayGain 2.0 reference level.
inline constexpr double kTargetLufs = -18.0;

struct Loudness {
  double lufs = 0;  // integrated loudness
  double peak = 0;  // highest sample, 1.0 at full scale
};

// Decodes the whole file and measures it; nullopt when it cannot be decoded or holds only
// silence (nothing passes the gate).
std::optional<Loudness> measureLoudness(const std::string& path);

// The track's and the album's loudness as the file's ReplayGain tags give them (a gain of G dB
// stands for kTargetLufs - G LUFS); each is nullopt when the file has no such gain tag. A
// missing peak tag counts as full scale.
struct TaggedLoudness {
  std::optional<Loudness> track;
  std::optional<Loudness> album;
};
TaggedLoudness readLoudnessTags(const std::string& path);

// The gain in dB that brings the loudness to kTargetLufs, lowered so that the peak stays at
// full scale or below.
double replayGainDb(const Loudness& loudness);

}  // namespace sorv
