#pragma once
// Every other format (FLAC, AAC and ALAC, Vorbis, Opus, WAV, Windows Media Audio) through
// FFmpeg, converted to float PCM at the stream's own rate with at most two channels.
#include <vector>

#include "decoder/AudioSource.h"
#include "decoder/FileWindow.h"

struct AVFormatContext;
struct AVIOContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;

namespace sorv {

class FfmpegSource : public AudioSource {
 public:
  FfmpegSource() = default;
  ~FfmpegSource() override;
  FfmpegSource(const FfmpegSource&) = delete;
  FfmpegSource& operator=(const FfmpegSource&) = delete;

  bool open(int fd, const std::string& path) override;
  int sampleRate() const override { return rate_; }
  int channels() const override { return channels_; }
  int64_t lengthFrames() const override { return length_; }
  std::size_t read(float* out, std::size_t maxFrames) override;
  bool seek(int64_t frame) override;

  int bitsPerSample() const override { return bits_; }

  // Stream bit rate in kbit/s, 0 when unknown.
  int bitrate() const { return bitrate_; }
  // The name the song information shows: "FLAC", "AAC", "ALAC", "Vorbis", "Opus" or "PCM";
  // empty for other codecs (Windows Media Audio keeps its own line).
  const char* codecName() const { return codecName_; }

 private:
  // FFmpeg reads the file through window_ rather than opening it by name again.
  bool openInput(const std::string& path);
  bool openCodec();
  void readCodecFacts();
  // Sets the resampler up for the frame's format, layout and rate, keeping the source's own
  // output format; a stream may change any of them midway (stereo to mono, say).
  bool openResampler(const AVFrame& frame);
  // Decodes the next frame into pending_; false at the end of the stream.
  bool decodeMore();
  bool convertFrame();
  // Drops the decoded samples before the frame a seek asked for.
  void skipToSeekTarget(int64_t framePts);

  FileWindow window_;
  AVIOContext* io_ = nullptr;
  AVFormatContext* format_ = nullptr;
  AVCodecContext* codec_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
  SwrContext* resampler_ = nullptr;
  // What resampler_ takes in: the last frame's sample format, layout and rate.
  int inFormat_ = -1;
  int inRate_ = 0;
  uint64_t inLayoutMask_ = 0;
  int inChannels_ = 0;
  int stream_ = -1;
  int rate_ = 0;
  int channels_ = 0;
  int bitrate_ = 0;
  int bits_ = 0;
  const char* codecName_ = "";
  int64_t length_ = -1;
  bool ended_ = false;
  int64_t seekTarget_ = -1;  // the frame a seek asked for until it is reached, else -1
  std::vector<float> pending_;
  std::size_t pendingRead_ = 0;  // floats of pending_ already handed out
};

}  // namespace sorv
