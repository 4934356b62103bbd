#pragma once
// Float samples (-1..1) to 16-bit PCM and back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace sorv {

// Rounds half to even without a library call, so the loop vectorises: adding 1.5 * 2^23 leaves
// the rounded integer in the low mantissa bits. Out-of-range samples are held at full scale.
inline int16_t toPcm16(float sample) {
  const float scaled = std::clamp(sample * 32768.0f, -32768.0f, 32767.0f);
  const float shifted = scaled + 12582912.0f;
  int32_t bits = 0;
  std::memcpy(&bits, &shifted, sizeof bits);
  return static_cast<int16_t>(bits - 0x4B400000);
}

inline void floatToPcm16(const float* in, std::size_t count, int16_t* out) {
  std::transform(in, in + count, out, toPcm16);
}

inline void pcm16ToFloat(const int16_t* in, std::size_t count, float* out) {
  std::transform(in, in + count, out, [](int16_t s) { return s / 32768.0f; });
}

}  // namespace sorv
