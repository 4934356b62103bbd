#pragma once
// One decodable file as interleaved float PCM. Each format has its own implementation;
// openAudioSource picks one by the file's extension and falls back to the other.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sorv {

// What a source decodes to natively: float for playback, 16-bit for WAV export.
enum class SampleFormat { Float, Pcm16 };

class AudioSource {
 public:
  virtual ~AudioSource() = default;

  // Opens the file open at fd (path names it, for formats told by their name); true only when
  // it holds audio that decodes. The source reads through a descriptor of its own by position,
  // so the caller may close fd or read the file too. Never throws, never crashes on bad input.
  // After success the format below is fixed for the life of the source.
  virtual bool open(int fd, const std::string& path) = 0;
  // Hz, > 0 after a successful open.
  virtual int sampleRate() const = 0;
  // 1 or 2 (more channels are mixed down to two by the source).
  virtual int channels() const = 0;
  // Length in frames, or -1 when the stream does not say.
  virtual int64_t lengthFrames() const = 0;
  // Decodes up to maxFrames interleaved float frames into out (values about -1..1). Returns the
  // frames written; 0 means the end of the stream or an error that ends it.
  virtual std::size_t read(float* out, std::size_t maxFrames) = 0;
  // The same as 16-bit PCM; sources opened for Pcm16 decode to it directly, others convert.
  virtual std::size_t readPcm16(int16_t* out, std::size_t maxFrames);
  // Moves the next read to the given frame (clamped to the stream). False when it cannot.
  virtual bool seek(int64_t frame) = 0;
  // Bits per sample of a lossless stream (16 or 24 for most); 0 for lossy streams.
  virtual int bitsPerSample() const { return 0; }

 private:
  std::vector<float> floatScratch_;
};

// Mono becomes two equal channels; stereo is copied. stereo holds 2 * frames values.
void toStereo(const float* in, std::size_t frames, int channels, float* stereo);

// True for the extensions the MPEG decoder takes first (".mp3", ".rmp", any case).
bool isMpegPath(const std::string& path);
// A source that has opened the file, or nullptr when no decoder can read it.
std::unique_ptr<AudioSource> openAudioSource(const std::string& path,
                                             SampleFormat format = SampleFormat::Float);
// The same for the file that path names, already open at fd.
std::unique_ptr<AudioSource> openAudioSource(int fd, const std::string& path,
                                             SampleFormat format = SampleFormat::Float);

}  // namespace sorv
