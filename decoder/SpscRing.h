#pragma once
// Lock-free ring of floats for one producer thread and one consumer thread. Neither side ever
// blocks or allocates; capacity is fixed at construction (rounded up to a power of two).
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <vector>

namespace sorv {

class SpscRing {
 public:
  explicit SpscRing(std::size_t capacity) {
    std::size_t size = 1;
    while (size < capacity) size <<= 1;
    buffer_.assign(size, 0.0f);
    mask_ = size - 1;
  }

  std::size_t capacity() const { return buffer_.size(); }
  std::size_t size() const {
    return head_.load(std::memory_order_acquire) - tail_.load(std::memory_order_acquire);
  }
  std::size_t space() const { return capacity() - size(); }

  // Producer side: copies up to count values, returns how many went in.
  std::size_t push(const float* values, std::size_t count) {
    const std::size_t head = head_.load(std::memory_order_relaxed);
    const std::size_t tail = tail_.load(std::memory_order_acquire);
    count = std::min(count, capacity() - (head - tail));
    copyIn(head, values, count);
    head_.store(head + count, std::memory_order_release);
    return count;
  }

  // Consumer side: copies up to count values out, returns how many came out.
  std::size_t pop(float* values, std::size_t count) {
    const std::size_t tail = tail_.load(std::memory_order_relaxed);
    const std::size_t head = head_.load(std::memory_order_acquire);
    count = std::min(count, head - tail);
    copyOut(tail, values, count);
    tail_.store(tail + count, std::memory_order_release);
    return count;
  }

  // Consumer side (or with the producer stopped): drops everything queued.
  void clear() { tail_.store(head_.load(std::memory_order_acquire), std::memory_order_release); }

 private:
  void copyIn(std::size_t at, const float* values, std::size_t count) {
    const std::size_t start = at & mask_;
    const std::size_t first = std::min(count, capacity() - start);
    std::memcpy(&buffer_[start], values, first * sizeof(float));
    std::memcpy(&buffer_[0], values + first, (count - first) * sizeof(float));
  }
  void copyOut(std::size_t at, float* values, std::size_t count) const {
    const std::size_t start = at & mask_;
    const std::size_t first = std::min(count, capacity() - start);
    std::memcpy(values, &buffer_[start], first * sizeof(float));
    std::memcpy(values + first, &buffer_[0], (count - first) * sizeof(float));
  }

  std::vector<float> buffer_;
  std::size_t mask_ = 0;
  std::atomic<std::size_t> head_{0};  // written by the producer
  std::atomic<std::size_t> tail_{0};  // written by the consumer
};

}  // namespace sorv
