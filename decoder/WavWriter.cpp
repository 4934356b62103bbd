#include "decoder/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sorv {

namespace {

void put16(unsigned char*& at, uint32_t value) {
  *at++ = value & 0xFF;
  *at++ = (value >> 8) & 0xFF;
}

void put32(unsigned char*& at, uint32_t value) {
  put16(at, value & 0xFFFF);
  put16(at, value >> 16);
}

}  // namespace

WavWriter::~WavWriter() {
  abandon();
}

bool WavWriter::open(const std::string& target, int sampleRate, int channels, int bits) {
  abandon();
  sampleRate_ = sampleRate;
  channels_ = channels;
  bits_ = bits;
  dataBytes_ = 0;
  if (sampleRate <= 0 || channels <= 0 || (bits != 16 && bits != 24)) return false;
  // A link of the target's name is replaced, not followed: the export writes only its own files.
  open_ = file_.open(target, WholeFileWriter::Link::Replace) && writeHeader(0, false);
  if (!open_) file_.abandon();
  return open_;
}

bool WavWriter::writeHeader(uint32_t dataBytes, bool rewrite) {
  const bool extensible = bits_ > 16;
  const uint32_t formatBytes = extensible ? 40 : 16;
  unsigned char header[68];
  unsigned char* at = header;
  const uint32_t blockAlign = bits_ / 8 * channels_;
  for (char c : {'R', 'I', 'F', 'F'}) *at++ = c;
  put32(at, 20 + formatBytes + dataBytes);
  for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) *at++ = c;
  put32(at, formatBytes);
  put16(at, extensible ? 0xFFFE : 1);  // WAVE_FORMAT_EXTENSIBLE or PCM
  put16(at, channels_);
  put32(at, sampleRate_);
  put32(at, sampleRate_ * blockAlign);
  put16(at, blockAlign);
  put16(at, bits_);
  if (extensible) {
    put16(at, 22);
    put16(at, bits_);                   // valid bits
    put32(at, channels_ == 1 ? 4 : 3);  // front centre, or front left and right
    // KSDATAFORMAT_SUBTYPE_PCM
    for (int byte : {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71})
      *at++ = byte;
  }
  for (char c : {'d', 'a', 't', 'a'}) *at++ = c;
  put32(at, dataBytes);
  return rewrite ? file_.writeAt(0, header, at - header) : file_.write(header, at - header);
}

bool WavWriter::writeBytes(const void* data, std::size_t bytes) {
  dataBytes_ += bytes;
  return open_ && file_.write(data, bytes);
}

bool WavWriter::write(const int16_t* samples, std::size_t frames) {
  // Little-endian hosts only: the machines this player runs on.
  return bits_ == 16 && writeBytes(samples, frames * channels_ * sizeof(int16_t));
}

bool WavWriter::write24(const float* samples, std::size_t frames) {
  if (bits_ != 24) return false;
  const std::size_t count = frames * channels_;
  packed_.resize(3 * count);
  unsigned char* at = packed_.data();
  for (std::size_t i = 0; i < count; ++i) {
    const auto value = static_cast<int32_t>(
        std::lrint(std::clamp(samples[i] * 8388608.0f, -8388608.0f, 8388607.0f)));
    *at++ = value & 0xFF;
    *at++ = (value >> 8) & 0xFF;
    *at++ = (value >> 16) & 0xFF;
  }
  return writeBytes(packed_.data(), packed_.size());
}

bool WavWriter::finish() {
  if (!open_) return false;
  open_ = false;
  const bool fits = dataBytes_ <= std::numeric_limits<uint32_t>::max() - 60;
  if (fits && writeHeader(static_cast<uint32_t>(dataBytes_), true) && file_.commit()) return true;
  file_.abandon();
  return false;
}

void WavWriter::abandon() {
  open_ = false;
  file_.abandon();
}

}  // namespace sorv
