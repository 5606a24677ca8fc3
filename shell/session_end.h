// A logout or shutdown (SIGTERM, SIGHUP) is a request to close: every draft being kept is
// written whole before the program ends with status 0. The signal only wakes the event loop
// through a pipe; the drafts are written there, never in the signal handler.
#pragma once

class QObject;

namespace acv {

// Installs the handlers; the pipe's notifier belongs to `owner`.
void EndSessionOnSignals(QObject* owner);

}  // namespace acv
