#pragma once
// Writes 16-bit or 24-bit PCM WAV files (24-bit ones as WAVE_FORMAT_EXTENSIBLE, as readers
// expect for more than 16 bits). The file is written whole (WholeFileWriter): it replaces the
// target, or a link of that name, only once it is complete; a failure leaves no file behind and
// the target as it was.
#include <cstdint>
#include <string>
#include <vector>

#include "decoder/WholeFile.h"

namespace sorv {

class WavWriter {
 public:
  WavWriter() = default;
  ~WavWriter();  // an unfinished file is removed
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  // bits is 16 or 24.
  bool open(const std::string& target, int sampleRate, int channels, int bits = 16);
  // Interleaved 16-bit frames; for 16-bit files only.
  bool write(const int16_t* samples, std::size_t frames);
  // Interleaved float frames (-1..1), rounded to the nearest 24-bit value; for 24-bit files only.
  bool write24(const float* samples, std::size_t frames);
  // Completes the header and renames into place. False (and nothing left) on any failure.
  bool finish();
  // Removes the temporary file.
  void abandon();

 private:
  // The first header starts the file; the rewrite completes it over the first.
  bool writeHeader(uint32_t dataBytes, bool rewrite);
  bool writeBytes(const void* data, std::size_t bytes);

  WholeFileWriter file_;
  bool open_ = false;
  int sampleRate_ = 0;
  int channels_ = 0;
  int bits_ = 16;
  uint64_t dataBytes_ = 0;
  std::vector<unsigned char> packed_;
};

}  // namespace sorv
