#pragma once
// Writes 16-bit PCM WAV files. The data goes to a temporary file beside the target, made anew
// under a name no one else holds (so a link planted there is never followed), which replaces the
// target only once it is complete; a failure leaves no file behind and the target as it was.
#include <cstdint>
#include <cstdio>
#include <string>

namespace sorv {

class WavWriter {
 public:
  WavWriter() = default;
  ~WavWriter();  // an unfinished file is removed
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  bool open(const std::string& target, int sampleRate, int channels);
  // Interleaved 16-bit frames.
  bool write(const int16_t* samples, std::size_t frames);
  // Completes the header and renames into place. False (and nothing left) on any failure.
  bool finish();
  // Removes the temporary file.
  void abandon();

 private:
  bool writeHeader(uint32_t dataBytes);

  std::FILE* file_ = nullptr;
  std::string target_;
  std::string temporary_;
  int sampleRate_ = 0;
  int channels_ = 0;
  uint64_t dataBytes_ = 0;
  bool failed_ = false;
};

}  // namespace sorv
