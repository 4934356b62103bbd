#include "decoder/OutputStage.h"

#include <algorithm>
#include <cmath>

namespace sorv {

OutputStage::OutputStage() : ring_(2 * kRingFrames) {
  prepare(rate_);
}

void OutputStage::prepare(int rate) {
  rate_ = rate;
  design_ = std::make_unique<EqualizerDesign>(rate);
  equalizer_ = std::make_unique<Equalizer>(rate);
  volume_ = Volume(rate);
  limiter_ = std::make_unique<PeakLimiter>(rate);
  setGains(gains_ ? &*gains_ : nullptr);
  flush();
}

std::size_t OutputStage::write(const float* stereo, std::size_t frames) {
  return ring_.push(stereo, 2 * frames) / 2;
}

void OutputStage::setGains(const Gains* gains) {
  gains_ = gains ? std::optional<Gains>(*gains) : std::nullopt;
  designed_ = gains ? design_->design(*gains) : EqualizerSetting{};
  postEqualizer();
}

void OutputStage::setLevels(int left, int right) {
  lastLevels_.left = left;
  lastLevels_.right = right;
  levels_.post(lastLevels_);
}

void OutputStage::setLoudnessGain(double gain) {
  lastLevels_.gain = gain;
  levels_.post(lastLevels_);
  postEqualizer();
}

void OutputStage::setSongPeak(double peak) {
  songPeak_ = peak;
  postEqualizer();
}

void OutputStage::postEqualizer() {
  const double heardPeak = songPeak_ * lastLevels_.gain;
  const double spareDb = heardPeak > 0 ? -20.0 * std::log10(heardPeak) : 0.0;
  settings_.post(withSpare(designed_, spareDb));
}

void OutputStage::takeSettings() {
  EqualizerSetting setting;
  if (settings_.take(setting)) equalizer_->setSetting(setting);
  Levels levels;
  if (levels_.take(levels)) volume_.setLevels(levels.left, levels.right, levels.gain);
}

void OutputStage::fill(float* out, std::size_t frames) {
  const std::size_t got = ring_.pop(out, 2 * frames) / 2;
  std::fill(out + 2 * got, out + 2 * frames, 0.0f);
  const bool ended = endMarked_.load(std::memory_order_acquire) && ring_.size() == 0;
  if (got > 0) started_ = true;
  if (got < frames && started_ && !ended) underruns_.fetch_add(1, std::memory_order_relaxed);
  takeSettings();
  equalizer_->process(out, frames);
  keepHistory(out, frames);
  volume_.process(out, frames);
  limiter_->process(out, frames);
  handed_.fetch_add(static_cast<int64_t>(got), std::memory_order_release);
  if (!ended) return;
  // The silence after the end pushes the limiter's last frames out.
  tailLeft_ -= std::min(tailLeft_, frames - got);
  if (tailLeft_ == 0) drained_.store(true, std::memory_order_release);
}

void OutputStage::flush() {
  ring_.clear();
  takeSettings();
  equalizer_->reset();
  volume_.setLevelsNow(lastLevels_.left, lastLevels_.right, lastLevels_.gain);
  limiter_->reset();
  tailLeft_ = limiter_->delayFrames();
  started_ = false;
  handed_.store(0);
  endMarked_.store(false);
  drained_.store(false);
  for (auto& value : history_) value.store(0.0f, std::memory_order_relaxed);
}

int64_t OutputStage::framesOut() const {
  const int64_t handed = handed_.load(std::memory_order_acquire);
  if (drained()) return handed;
  return std::max<int64_t>(0, handed - static_cast<int64_t>(limiter_->delayFrames()));
}

void OutputStage::recentHeard(float* stereo, std::size_t count) const {
  count = std::min(count, kHistoryFrames);
  const std::size_t end = historyAt_.load(std::memory_order_acquire);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = ((end - count + i) % kHistoryFrames) * 2;
    stereo[2 * i] = history_[at].load(std::memory_order_relaxed);
    stereo[2 * i + 1] = history_[at + 1].load(std::memory_order_relaxed);
  }
}

void OutputStage::keepHistory(const float* stereo, std::size_t frames) {
  std::size_t at = historyAt_.load(std::memory_order_relaxed);
  for (std::size_t i = 0; i < frames; ++i, ++at) {
    const std::size_t slot = (at % kHistoryFrames) * 2;
    history_[slot].store(stereo[2 * i], std::memory_order_relaxed);
    history_[slot + 1].store(stereo[2 * i + 1], std::memory_order_relaxed);
  }
  historyAt_.store(at, std::memory_order_release);
}

}  // namespace sorv
