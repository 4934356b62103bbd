#include "app/sorvane/EndRequests.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace sorv {

namespace {

// The handler may only do async-signal-safe work: it writes one byte to a socket the event loop
// watches (the self-pipe pattern).
int g_pipe[2] = {-1, -1};
volatile sig_atomic_t g_requested = 0;
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A second SIGTERM or SIGINT is someone who will not wait: the program ends at once (its state
// file is only ever replaced whole). A hang-up counts neither way: at log-out it comes together
// with the SIGTERM.
void onEndSignal(int signal) {
  if (signal != SIGHUP) {
    if (g_requested) ::_exit(128 + signal);
    g_requested = 1;
  }
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
}

void setHandler(void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

EndRequests::EndRequests() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) return;
  // A full socket must never block the handler; one pending byte is enough to wake us.
  ::fcntl(g_pipe[0], F_SETFL, O_NONBLOCK);
  ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
  notifier_ = std::make_unique<QSocketNotifier>(g_pipe[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &EndRequests::drain);
  setHandler(onEndSignal);
}

EndRequests::~EndRequests() {
  if (!notifier_) return;
  setHandler(SIG_DFL);
  notifier_.reset();
  ::close(g_pipe[0]);
  ::close(g_pipe[1]);
  g_pipe[0] = g_pipe[1] = -1;
  g_requested = 0;
}

void EndRequests::drain() {
  char bytes[16];
  while (::read(g_pipe[1], bytes, sizeof bytes) > 0) {
  }
  emit requested();
}

}  // namespace sorv
