#pragma once
// Where the hand-over channel lives: a socket in a folder only this user can enter, and a lock
// file beside it whose holder is the one running copy.
#include <QString>

namespace sorv {

// $XDG_RUNTIME_DIR when it is a folder of this user's that no one else may enter; otherwise a
// folder of that kind made in the temporary folder. Empty when neither can be had (another user
// owns the name, or it is open to others): the program then runs without a hand-over channel.
QString handOverFolder();

// The socket's full path for a user, named after the service "そるばね" and the topic "FormM";
// empty when handOverFolder is.
QString handOverServerName(const QString& user = QString());

// True when the peer of a connected local socket runs as this process's user.
bool peerIsSameUser(qintptr socketDescriptor);

}  // namespace sorv
