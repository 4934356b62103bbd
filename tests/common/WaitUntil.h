#pragma once
// Waiting for a condition instead of sleeping a fixed time: a sanitizer build on a loaded machine
// may be many times slower than a plain one, so deadlines are generous and only bound a failure.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <functional>

namespace sorv::test {

inline constexpr int kGenerousMs = 30000;

// Polls condition (handling Qt events in between) until it holds or timeoutMs have passed;
// returns whether it held.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = kGenerousMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!condition()) {
    if (deadline.hasExpired()) return condition();
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(5);
  }
  return true;
}

}  // namespace sorv::test
