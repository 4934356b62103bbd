#pragma once
// Turns the signals that ask a program to end (SIGTERM at log-out or from a service manager,
// SIGINT from a terminal, SIGHUP when the terminal goes) into a Qt signal, so the player ends
// through its own close routine and saves its state instead of dying mid-write. A second SIGTERM
// or SIGINT ends the program at once, with status 128 + the signal.
#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace sorv {

class EndRequests : public QObject {
  Q_OBJECT

 public:
  // One watcher per process: the handlers are process-wide.
  EndRequests();
  ~EndRequests() override;

 signals:
  void requested();

 private:
  void drain();

  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace sorv
