#pragma once
// Hands the latest value of T from one writer thread to one reader thread without locks
// (a triple buffer): the writer never waits for the reader, the reader never waits for the
// writer, and the reader sees each value whole. Values the reader misses are skipped.
#include <array>
#include <atomic>

namespace sorv {

template <typename T>
class Mailbox {
 public:
  // Writer side.
  void post(const T& value) {
    slots_[back_] = value;
    back_ = middle_.exchange(back_ | kFresh, std::memory_order_acq_rel) & kIndex;
  }
  // Reader side: true and the newest value when one came since the last take.
  bool take(T& value) {
    if ((middle_.load(std::memory_order_acquire) & kFresh) == 0) return false;
    front_ = middle_.exchange(front_, std::memory_order_acq_rel) & kIndex;
    value = slots_[front_];
    return true;
  }

 private:
  static constexpr unsigned kIndex = 3;
  static constexpr unsigned kFresh = 4;

  std::array<T, 3> slots_{};
  std::atomic<unsigned> middle_{1};
  unsigned back_ = 0;   // the writer's slot
  unsigned front_ = 2;  // the reader's slot
};

}  // namespace sorv
