#include "decoder/FfmpegSource.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cstring>

namespace sorv {

namespace {

constexpr int kIoBufferBytes = 64 * 1024;

int readWindow(void* window, uint8_t* buffer, int size) {
  const long got = static_cast<FileWindow*>(window)->read(buffer, static_cast<std::size_t>(size));
  if (got < 0) return AVERROR(EIO);
  return got == 0 ? AVERROR_EOF : static_cast<int>(got);
}

int64_t seekWindow(void* window, int64_t offset, int whence) {
  auto* file = static_cast<FileWindow*>(window);
  if (whence & AVSEEK_SIZE) return file->size();
  const int64_t position = file->seek(offset, whence & ~AVSEEK_FORCE);
  return position < 0 ? AVERROR(EINVAL) : position;
}

}  // namespace

FfmpegSource::~FfmpegSource() {
  swr_free(&resampler_);
  av_packet_free(&packet_);
  av_frame_free(&frame_);
  avcodec_free_context(&codec_);
  avformat_close_input(&format_);
  if (io_) av_freep(&io_->buffer);
  avio_context_free(&io_);
}

bool FfmpegSource::openInput(const std::string& path) {
  auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
  if (!buffer) return false;
  io_ = avio_alloc_context(buffer, kIoBufferBytes, 0, &window_, readWindow, nullptr, seekWindow);
  if (!io_) {
    av_free(buffer);
    return false;
  }
  format_ = avformat_alloc_context();
  if (!format_) return false;
  format_->pb = io_;
  format_->flags |= AVFMT_FLAG_CUSTOM_IO;
  // The name still tells the probe what the extension says. On failure FFmpeg frees format_.
  return avformat_open_input(&format_, path.c_str(), nullptr, nullptr) >= 0;
}

bool FfmpegSource::open(int fd, const std::string& path) {
  av_log_set_level(AV_LOG_QUIET);
  if (!window_.open(fd, false) || !openInput(path)) return false;
  if (avformat_find_stream_info(format_, nullptr) < 0) return false;
  stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (stream_ < 0 || !openCodec()) return false;
  frame_ = av_frame_alloc();
  packet_ = av_packet_alloc();
  if (!frame_ || !packet_) return false;
  const AVStream* stream = format_->streams[stream_];
  if (stream->duration > 0) {
    length_ = av_rescale_q(stream->duration, stream->time_base, AVRational{1, rate_});
  } else if (format_->duration > 0) {
    length_ = av_rescale(format_->duration, rate_, AV_TIME_BASE);
  }
  const int64_t bits = codec_->bit_rate > 0 ? codec_->bit_rate : format_->bit_rate;
  bitrate_ = static_cast<int>(bits / 1000);
  return true;
}

bool FfmpegSource::openCodec() {
  const AVCodecParameters* parameters = format_->streams[stream_]->codecpar;
  const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
  if (!decoder) return false;
  codec_ = avcodec_alloc_context3(decoder);
  if (!codec_ || avcodec_parameters_to_context(codec_, parameters) < 0) return false;
  if (avcodec_open2(codec_, decoder, nullptr) < 0) return false;
  rate_ = codec_->sample_rate;
  channels_ = std::min(codec_->ch_layout.nb_channels, 2);
  readCodecFacts();
  return rate_ > 0 && channels_ > 0;
}

void FfmpegSource::readCodecFacts() {
  switch (codec_->codec_id) {
    case AV_CODEC_ID_FLAC:
      codecName_ = "FLAC";
      break;
    case AV_CODEC_ID_AAC:
      codecName_ = "AAC";
      break;
    case AV_CODEC_ID_ALAC:
      codecName_ = "ALAC";
      break;
    case AV_CODEC_ID_VORBIS:
      codecName_ = "Vorbis";
      break;
    case AV_CODEC_ID_OPUS:
      codecName_ = "Opus";
      break;
    default:
      codecName_ =
          codec_->codec_id >= AV_CODEC_ID_FIRST_AUDIO && codec_->codec_id < AV_CODEC_ID_ADPCM_IMA_QT
              ? "PCM"
              : "";
  }
  const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec_->codec_id);
  if (!descriptor || !(descriptor->props & AV_CODEC_PROP_LOSSLESS)) return;
  // The decoder knows the depth of FLAC and ALAC; plain PCM says it in the container.
  const AVCodecParameters* parameters = format_->streams[stream_]->codecpar;
  bits_ = codec_->bits_per_raw_sample > 0         ? codec_->bits_per_raw_sample
          : parameters->bits_per_coded_sample > 0 ? parameters->bits_per_coded_sample
                                                  : av_get_bytes_per_sample(codec_->sample_fmt) * 8;
}

bool FfmpegSource::openResampler(const AVFrame& frame) {
  const uint64_t mask =
      frame.ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? frame.ch_layout.u.mask : 0;
  if (resampler_ && frame.format == inFormat_ && frame.sample_rate == inRate_ &&
      frame.ch_layout.nb_channels == inChannels_ && mask == inLayoutMask_) {
    return true;
  }
  swr_free(&resampler_);
  inFormat_ = frame.format;
  inRate_ = frame.sample_rate;
  inChannels_ = frame.ch_layout.nb_channels;
  inLayoutMask_ = mask;
  if (inRate_ <= 0 || inChannels_ <= 0) return false;
  AVChannelLayout inLayout;
  if (av_channel_layout_copy(&inLayout, &frame.ch_layout) < 0) return false;
  if (inLayout.order == AV_CHANNEL_ORDER_UNSPEC) av_channel_layout_default(&inLayout, inChannels_);
  AVChannelLayout outLayout;
  av_channel_layout_default(&outLayout, channels_);
  const int result =
      swr_alloc_set_opts2(&resampler_, &outLayout, AV_SAMPLE_FMT_FLT, rate_, &inLayout,
                          static_cast<AVSampleFormat>(inFormat_), inRate_, 0, nullptr);
  av_channel_layout_uninit(&outLayout);
  av_channel_layout_uninit(&inLayout);
  if (result >= 0 && swr_init(resampler_) >= 0) return true;
  swr_free(&resampler_);
  return false;
}

bool FfmpegSource::decodeMore() {
  while (!ended_) {
    const int received = avcodec_receive_frame(codec_, frame_);
    if (received == 0) return convertFrame();
    if (received != AVERROR(EAGAIN)) {
      ended_ = true;
      break;
    }
    const int readResult = av_read_frame(format_, packet_);
    if (readResult < 0) {
      avcodec_send_packet(codec_, nullptr);  // drain what the codec still holds
      continue;
    }
    if (packet_->stream_index == stream_) avcodec_send_packet(codec_, packet_);
    av_packet_unref(packet_);
  }
  return false;
}

bool FfmpegSource::convertFrame() {
  if (!openResampler(*frame_)) {
    av_frame_unref(frame_);
    return false;
  }
  const int64_t framePts = frame_->best_effort_timestamp;
  const int capacity = swr_get_out_samples(resampler_, frame_->nb_samples);
  pending_.resize(static_cast<std::size_t>(std::max(capacity, 0)) * channels_);
  auto* outData = reinterpret_cast<uint8_t*>(pending_.data());
  const int converted =
      swr_convert(resampler_, &outData, capacity,
                  const_cast<const uint8_t**>(frame_->extended_data), frame_->nb_samples);
  av_frame_unref(frame_);
  if (converted < 0) return false;
  pending_.resize(static_cast<std::size_t>(converted) * channels_);
  pendingRead_ = 0;
  if (seekTarget_ >= 0) skipToSeekTarget(framePts);
  return true;
}

void FfmpegSource::skipToSeekTarget(int64_t framePts) {
  if (framePts == AV_NOPTS_VALUE) {
    seekTarget_ = -1;  // nothing tells where the frame lies: play from where the demuxer landed
    return;
  }
  const int64_t start =
      av_rescale_q(framePts, format_->streams[stream_]->time_base, AVRational{1, rate_});
  const auto frames = static_cast<int64_t>(pending_.size() / channels_);
  const int64_t skip = std::clamp<int64_t>(seekTarget_ - start, 0, frames);
  pendingRead_ = static_cast<std::size_t>(skip) * channels_;
  if (skip < frames) seekTarget_ = -1;
}

std::size_t FfmpegSource::read(float* out, std::size_t maxFrames) {
  if (!codec_) return 0;
  std::size_t written = 0;
  const std::size_t wanted = maxFrames * channels_;
  while (written < wanted) {
    if (pendingRead_ >= pending_.size() && !decodeMore()) break;
    const std::size_t take = std::min(wanted - written, pending_.size() - pendingRead_);
    std::memcpy(out + written, pending_.data() + pendingRead_, take * sizeof(float));
    written += take;
    pendingRead_ += take;
  }
  return written / channels_;
}

bool FfmpegSource::seek(int64_t frame) {
  if (!codec_) return false;
  frame = std::max<int64_t>(frame, 0);
  const AVStream* stream = format_->streams[stream_];
  const int64_t target = av_rescale_q(frame, AVRational{1, rate_}, stream->time_base);
  if (av_seek_frame(format_, stream_, target, AVSEEK_FLAG_BACKWARD) < 0) return false;
  avcodec_flush_buffers(codec_);
  pending_.clear();
  pendingRead_ = 0;
  ended_ = false;
  seekTarget_ = frame;  // the demuxer lands on the packet at or before it
  return true;
}

}  // namespace sorv
