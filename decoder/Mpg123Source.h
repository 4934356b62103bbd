#pragma once
// MPEG audio (MP3, and MP3 inside a RIFF container) through libmpg123, as float PCM.
#include <memory>
#include <vector>

#include "decoder/AudioSource.h"
#include "decoder/FileWindow.h"

struct mpg123_handle_struct;

namespace sorv {

// Stream facts the MPEG decoder reads from the first frame.
struct MpegFacts {
  int version = 0;  // 1, 2, 3 = 2.5
  int layer = 0;
  int mode = 0;     // 0 stereo, 1 joint, 2 dual, 3 mono
  int bitrate = 0;  // kbit/s, 0 when variable
};

class Mpg123Source : public AudioSource {
 public:
  explicit Mpg123Source(SampleFormat format = SampleFormat::Float);
  ~Mpg123Source() override;

  bool open(int fd, const std::string& path) override;
  int sampleRate() const override { return rate_; }
  int channels() const override { return channels_; }
  int64_t lengthFrames() const override { return length_; }
  std::size_t read(float* out, std::size_t maxFrames) override;
  std::size_t readPcm16(int16_t* out, std::size_t maxFrames) override;
  bool seek(int64_t frame) override;

  // Facts of the stream; valid after a successful open.
  MpegFacts facts() const;

 private:
  // Decodes up to maxFrames frames in the native format into out; returns the frames.
  std::size_t decode(void* out, std::size_t maxFrames);

  SampleFormat format_;
  mpg123_handle_struct* handle_ = nullptr;
  std::vector<int16_t> pcmScratch_;
  FileWindow window_;
  int rate_ = 0;
  int channels_ = 0;
  int64_t length_ = -1;
};

}  // namespace sorv
