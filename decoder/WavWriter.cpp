#include "decoder/WavWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
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

bool WavWriter::open(const std::string& target, int sampleRate, int channels) {
  abandon();
  target_ = target;
  sampleRate_ = sampleRate;
  channels_ = channels;
  dataBytes_ = 0;
  failed_ = false;
  if (sampleRate <= 0 || channels <= 0) return false;
  temporary_ = target + ".part.XXXXXX";
  const int fd = ::mkstemp(temporary_.data());
  if (fd < 0) return false;
  ::fchmod(fd, 0644);  // a plain file like any other export, not mkstemp's owner-only one
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    ::close(fd);
    std::remove(temporary_.c_str());
    return false;
  }
  return writeHeader(0);
}

bool WavWriter::writeHeader(uint32_t dataBytes) {
  unsigned char header[44];
  unsigned char* at = header;
  const uint32_t blockAlign = 2 * channels_;
  for (char c : {'R', 'I', 'F', 'F'}) *at++ = c;
  put32(at, 36 + dataBytes);
  for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) *at++ = c;
  put32(at, 16);
  put16(at, 1);  // PCM
  put16(at, channels_);
  put32(at, sampleRate_);
  put32(at, sampleRate_ * blockAlign);
  put16(at, blockAlign);
  put16(at, 16);
  for (char c : {'d', 'a', 't', 'a'}) *at++ = c;
  put32(at, dataBytes);
  return std::fseek(file_, 0, SEEK_SET) == 0 && std::fwrite(header, 1, 44, file_) == 44;
}

bool WavWriter::write(const int16_t* samples, std::size_t frames) {
  if (!file_ || failed_) return false;
  const std::size_t count = frames * channels_;
  // Little-endian hosts only: the machines this player runs on.
  failed_ = std::fwrite(samples, sizeof(int16_t), count, file_) != count;
  dataBytes_ += count * sizeof(int16_t);
  return !failed_;
}

bool WavWriter::finish() {
  if (!file_) return false;
  const bool fits = dataBytes_ <= std::numeric_limits<uint32_t>::max() - 36;
  bool ok = !failed_ && fits && writeHeader(static_cast<uint32_t>(dataBytes_));
  ok = (std::fclose(file_) == 0) && ok;
  file_ = nullptr;
  if (ok && std::rename(temporary_.c_str(), target_.c_str()) == 0) return true;
  std::remove(temporary_.c_str());
  return false;
}

void WavWriter::abandon() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  std::remove(temporary_.c_str());
}

}  // namespace sorv
