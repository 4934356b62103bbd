#pragma once
// A record kept only once something writes it: a play list of 100,000 songs holds the tag and
// stream records of the few it played, not 100,000 blank ones. Reading an unwritten record
// through a const object gives a blank one; writing (or any non-const access) makes it.
#include <memory>

namespace sorv {

template <typename T>
class LazyRecord {
 public:
  LazyRecord() = default;
  LazyRecord(const LazyRecord& other) : record_(other.record_ ? new T(*other.record_) : nullptr) {}
  LazyRecord(LazyRecord&&) noexcept = default;
  LazyRecord& operator=(const LazyRecord& other) {
    if (this != &other) record_.reset(other.record_ ? new T(*other.record_) : nullptr);
    return *this;
  }
  LazyRecord& operator=(LazyRecord&&) noexcept = default;
  LazyRecord& operator=(const T& value) {
    **this = value;
    return *this;
  }

  T& operator*() {
    if (!record_) record_ = std::make_unique<T>();
    return *record_;
  }
  const T& operator*() const { return record_ ? *record_ : blank(); }
  T* operator->() { return &**this; }
  const T* operator->() const { return &**this; }

 private:
  static const T& blank() {
    static const T record{};
    return record;
  }
  std::unique_ptr<T> record_;
};

}  // namespace sorv
