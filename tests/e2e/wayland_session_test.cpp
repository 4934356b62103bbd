// The player started in a Wayland session with XWayland beside it (run_in_wayland_session.sh),
// without a platform chosen: it must run as an X client, so that the compact bar hangs at the top
// edge, stays on top and slides down when the pointer touches the edge.
#include <gtest/gtest.h>

#include <QFile>

#include "tests/e2e/DesktopSession.h"

namespace sorv::e2e {
namespace {

TEST(WaylandSession, TheBarHangsAtTheTopEdgeAndSlidesDownAtThePointer) {
  ASSERT_FALSE(qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) << "needs a Wayland session";
  DesktopSession session;
  ASSERT_TRUE(session.ok()) << "needs XWayland";
  session.setPlatform(QString());
  ASSERT_TRUE(session.writeDefaultState());
  {  // Start with the bar (the state file's "bar first" option), hidden at the edge.
    QFile state(session.home() + "/sorvane.dat");
    ASSERT_TRUE(state.open(QIODevice::ReadWrite));
    QByteArray text = state.readAll();
    ASSERT_TRUE(text.endsWith("\r\n1,0\r\n0\r\n"));
    text.replace(text.size() - 8, 3, "1,1");
    state.seek(0);
    state.write(text);
  }
  session.movePointer(640, 600);
  session.start({});
  // Found through XWayland: the player is an X client.
  const QString bar = session.waitForWindow("^そるばね$", 30000);
  ASSERT_FALSE(bar.isEmpty()) << "no bar among XWayland's windows";
  QRect where;
  ASSERT_TRUE(
      DesktopSession::waitFor([&] { return (where = session.geometry(bar)).top() < 0; }, 10000))
      << "the bar does not hang above the top edge; it is at " << where.top();
  EXPECT_EQ(where.top(), -29);  // 430 twips

  session.movePointer(200, 0);
  EXPECT_TRUE(
      DesktopSession::waitFor([&] { return (where = session.geometry(bar)).top() == 0; }, 10000))
      << "the bar did not slide down; it is at " << where.top();
}

}  // namespace
}  // namespace sorv::e2e
