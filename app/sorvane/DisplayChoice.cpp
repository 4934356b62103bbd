#include "app/sorvane/DisplayChoice.h"

#include <sys/stat.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace sorv {

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool canReachXServer() {
  if (environment("DISPLAY").empty()) return false;
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool reached = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return reached;
}

bool canReachWaylandCompositor() {
  const std::string name = environment("WAYLAND_DISPLAY");
  if (name.empty()) return false;
  const std::string socket =
      name.front() == '/' ? name : environment("XDG_RUNTIME_DIR") + "/" + name;
  struct stat info {};
  return stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

}  // namespace

bool chooseDisplayPlatform() {
  const std::string chosen = environment("QT_QPA_PLATFORM");
  const bool x11 = canReachXServer();
  if (chosen.empty() && x11) setenv("QT_QPA_PLATFORM", "xcb", 1);
  // The analyser repaints the same two small areas 14 times a second. Through shared memory
  // every repaint first waits for the X server to let go of the last one (a round trip); sending
  // the few kilobytes over the socket costs the player less. A user's own choice stands.
  setenv("QT_XCB_NO_MITSHM", "1", 0);
  const bool reachable = chosen.empty()                    ? x11 || canReachWaylandCompositor()
                         : chosen.rfind("xcb", 0) == 0     ? x11
                         : chosen.rfind("wayland", 0) == 0 ? canReachWaylandCompositor()
                                                           : true;  // offscreen, vnc, ...
  if (!reachable)
    std::fprintf(stderr,
                 "sorvane: no display found (DISPLAY and WAYLAND_DISPLAY name none that answers); "
                 "to run without a desktop use a virtual one: xvfb-run -a sorvane, or "
                 "xvfb-run -a scripts/run.sh for the demo\n");
  return reachable;
}

}  // namespace sorv
