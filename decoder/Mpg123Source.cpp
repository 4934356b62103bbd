#include "decoder/Mpg123Source.h"

#include <mpg123.h>

#include <mutex>

#include "decoder/PcmConvert.h"

namespace sorv {

namespace {

void initLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

ssize_t readWindow(void* handle, void* buffer, size_t size) {
  return static_cast<FileWindow*>(handle)->read(buffer, size);
}

off_t seekWindow(void* handle, off_t offset, int whence) {
  return static_cast<off_t>(static_cast<FileWindow*>(handle)->seek(offset, whence));
}

int versionNumber(mpg123_version version) {
  switch (version) {
    case MPG123_1_0:
      return 1;
    case MPG123_2_0:
      return 2;
    case MPG123_2_5:
      return 3;
  }
  return 0;
}

}  // namespace

Mpg123Source::Mpg123Source(SampleFormat format) : format_(format) {
  initLibraryOnce();
  handle_ = mpg123_new(nullptr, nullptr);
  if (!handle_) return;
  const long floatFlag = format == SampleFormat::Float ? MPG123_FORCE_FLOAT : 0;
  // TagLib reads the tags; parsing ID3v2 here too costs time quadratic in its frames.
  mpg123_param(handle_, MPG123_ADD_FLAGS, floatFlag | MPG123_QUIET | MPG123_SKIP_ID3V2, 0.0);
  // Unknown formats are refused rather than guessed at over megabytes of junk.
  mpg123_param(handle_, MPG123_RESYNC_LIMIT, 4096, 0.0);
}

Mpg123Source::~Mpg123Source() {
  if (!handle_) return;
  mpg123_close(handle_);
  mpg123_delete(handle_);
}

bool Mpg123Source::open(int fd, const std::string& /*path*/) {
  if (!handle_ || !window_.open(fd, true)) return false;
  if (mpg123_replace_reader_handle(handle_, readWindow, seekWindow, nullptr) != MPG123_OK)
    return false;
  if (mpg123_open_handle(handle_, &window_) != MPG123_OK) return false;
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK) return false;
  const int wanted = format_ == SampleFormat::Float ? MPG123_ENC_FLOAT_32 : MPG123_ENC_SIGNED_16;
  if (rate <= 0 || channels < 1 || channels > 2 || encoding != wanted) return false;
  // Keep that one format for the whole stream, so a stray frame cannot change it midway.
  mpg123_format_none(handle_);
  mpg123_format(handle_, rate, channels, encoding);
  rate_ = static_cast<int>(rate);
  channels_ = channels;
  // Without an Info (Xing/LAME) header the length would be guessed from the first frame's bit
  // rate; a walk over every frame header makes it exact, and builds the seek index too.
  long encoderDelay = 0;
  double unused = 0;
  if (mpg123_getstate(handle_, MPG123_ENC_DELAY, &encoderDelay, &unused) != MPG123_OK ||
      encoderDelay < 0) {
    mpg123_scan(handle_);
  }
  const off_t length = mpg123_length(handle_);
  length_ = length > 0 ? static_cast<int64_t>(length) : -1;
  return true;
}

std::size_t Mpg123Source::read(float* out, std::size_t maxFrames) {
  if (format_ == SampleFormat::Float) return decode(out, maxFrames);
  pcmScratch_.resize(maxFrames * channels_);
  const std::size_t frames = decode(pcmScratch_.data(), maxFrames);
  pcm16ToFloat(pcmScratch_.data(), frames * channels_, out);
  return frames;
}

std::size_t Mpg123Source::readPcm16(int16_t* out, std::size_t maxFrames) {
  if (format_ == SampleFormat::Pcm16) return decode(out, maxFrames);
  return AudioSource::readPcm16(out, maxFrames);
}

std::size_t Mpg123Source::decode(void* out, std::size_t maxFrames) {
  if (!handle_ || rate_ == 0) return 0;
  const std::size_t sampleBytes = format_ == SampleFormat::Float ? sizeof(float) : sizeof(int16_t);
  const std::size_t frameBytes = sampleBytes * static_cast<std::size_t>(channels_);
  auto* bytes = static_cast<unsigned char*>(out);
  std::size_t filled = 0;
  const std::size_t wanted = maxFrames * frameBytes;
  while (filled < wanted) {
    size_t done = 0;
    const int result = mpg123_read(handle_, bytes + filled, wanted - filled, &done);
    filled += done;
    if (result == MPG123_NEW_FORMAT) continue;
    if (result != MPG123_OK) break;  // MPG123_DONE or an error: the stream ends here
    if (done == 0) break;
  }
  return filled / frameBytes;
}

bool Mpg123Source::seek(int64_t frame) {
  if (!handle_ || rate_ == 0) return false;
  if (frame < 0) frame = 0;
  return mpg123_seek(handle_, static_cast<off_t>(frame), SEEK_SET) >= 0;
}

MpegFacts Mpg123Source::facts() const {
  MpegFacts facts;
  mpg123_frameinfo info{};
  if (!handle_ || mpg123_info(handle_, &info) != MPG123_OK) return facts;
  facts.version = versionNumber(static_cast<mpg123_version>(info.version));
  facts.layer = info.layer;
  facts.mode = static_cast<int>(info.mode);
  facts.bitrate = info.vbr == MPG123_CBR ? info.bitrate : 0;
  return facts;
}

}  // namespace sorv
