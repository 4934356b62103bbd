#pragma once
// One copy of the program plays at a time: a second copy hands its command line to the running
// one over a local socket that only this user can reach, and ends.
#include <QString>

#include "core/session/HandOverServer.h"

namespace sorv {

// Offers the command line to the copy listening under name, if it runs as this user, waiting at
// most one second for it to take it. False when no such copy answered.
bool sendToRunningCopy(const QString& commandLine, const QString& name = handOverServerName());

// For a copy starting up: true when this copy is the one that runs (the server then listens);
// false when another copy holds the lock and the command line went to it, a relative path made
// absolute first, since the running copy works in a folder of its own.
bool becomeRunningCopy(HandOverServer& server, const QString& commandLine);

}  // namespace sorv
