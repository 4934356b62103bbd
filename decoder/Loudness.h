#pragma once
// How loud a song is (EBU R128 integrated loudness) and the ReplayGain 2.0 gain that brings it
// to the reference level: from the file's ReplayGain tags where it has them, else measured.
#include <optional>
#include <string>

#include "decoder/Records.h"

namespace sorv {

// The ReplayGain 2.0 reference level.
inline constexpr double kTargetLufs = -18.0;

// Decodes the whole file and measures it; nullopt when it cannot be decoded or holds only
// silence (nothing passes the gate).
std::optional<Loudness> measureLoudness(const std::string& path);

// The file's ReplayGain tags (a gain of G dB stands for kTargetLufs - G LUFS; a missing peak tag
// counts as full scale).
TaggedLoudness readLoudnessTags(const std::string& path);

// The gain in dB that brings the loudness to kTargetLufs, lowered so that the peak stays at
// full scale or below.
double replayGainDb(const Loudness& loudness);

}  // namespace sorv
