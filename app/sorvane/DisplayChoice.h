#pragma once
// Which window system the player runs on, decided before Qt starts: Qt ends the process with an
// abort when it cannot reach a display, which tells a user nothing and leaves a core dump.

namespace sorv {

// Where the user has not chosen a platform (QT_QPA_PLATFORM unset) and an X server is offered,
// as XWayland is in Wayland sessions, the player runs as an X client: only there can the compact
// bar hang at the top edge, stay on top and watch the pointer. Returns false, after one line on
// standard error that says how to run without a desktop, when no display can be reached. On X,
// window contents go to the server over the socket rather than through shared memory.
bool chooseDisplayPlatform();

}  // namespace sorv
