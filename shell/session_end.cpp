#include "shell/session_end.h"

#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

#include "entry/draft_keeper.h"

namespace acv {
namespace {

int endRequest[2] = {-1, -1};

void RequestEnd(int) {
  const char byte = 1;
  (void)!write(endRequest[1], &byte, 1);
}

}  // namespace

void EndSessionOnSignals(QObject* owner) {
  if (pipe2(endRequest, O_CLOEXEC | O_NONBLOCK) != 0) {
    return;
  }
  auto* notifier = new QSocketNotifier(endRequest[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [] {
    DraftKeeper::FlushAll();
    QCoreApplication::exit(0);
  });
  std::signal(SIGTERM, RequestEnd);
  std::signal(SIGHUP, RequestEnd);
}

}  // namespace acv
