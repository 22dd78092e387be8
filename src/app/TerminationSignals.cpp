#include "app/TerminationSignals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace orvane::app {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler may only write to a descriptor: the UI thread reads the
// other end.
int pipeEnds[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(pipeEnds[0], &byte, 1);
  errno = saved;
}

}  // namespace

TTerminationSignals::TTerminationSignals(QObject* parent) : QObject(parent) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds) != 0) {
    qFatal("cannot watch for termination signals");
  }
  notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TTerminationSignals::Received);
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  // A second signal of a kind ends the program at once, should the ordinary
  // end ever hang.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (int number : kSignals) sigaction(number, &action, nullptr);
}

TTerminationSignals::~TTerminationSignals() {
  for (int number : kSignals) signal(number, SIG_DFL);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
}

void TTerminationSignals::Received() {
  char bytes[16];
  while (read(pipeEnds[1], bytes, sizeof bytes) > 0) {
  }
  // Not quit(): that asks every window to close first, and the main window
  // would ask the operator whether to shut the instrument down.
  QCoreApplication::exit(0);
}

}  // namespace orvane::app
