// The real program on a large library: while the selection window searches tens of thousands of
// songs, it and the main panel keep answering the window system's pings, and every song can be
// ticked and played. SORV_LARGE_LIBRARY_SONGS sets the library's size (40,000 by default).
#include <gtest/gtest.h>

#include <poll.h>
#include <xcb/xcb.h>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/e2e/DesktopSession.h"
#include "tests/library/LargeLibrary.h"

namespace sorv::e2e {
namespace {

// The panel's 選曲 and close hot spots, in pixels.
constexpr int kSelectX = 345, kSelectY = 124, kCloseX = 352, kCloseY = 16;
// A window that keeps its user waiting longer than this is taken as frozen; generous, since the
// machines that run the tests are loaded.
constexpr double kLongestWaitMs = 500;

// _NET_WM_PING: the window manager's way to tell whether a program still handles its events. The
// program's event loop sends the message back to the root window, where this connection hears it.
class WindowPing {
 public:
  WindowPing() : connection_(xcb_connect(nullptr, nullptr)) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;  // where Qt sends its answer
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    protocols_ = atom("WM_PROTOCOLS");
    ping_ = atom("_NET_WM_PING");
  }
  ~WindowPing() { xcb_disconnect(connection_); }
  WindowPing(const WindowPing&) = delete;
  WindowPing& operator=(const WindowPing&) = delete;

  // Milliseconds until window's program answered, or timeoutMs when it did not.
  double roundTrip(const QString& window, int timeoutMs) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window.toUInt();
    event.type = protocols_;
    event.data.data32[0] = ping_;
    event.data.data32[1] = XCB_CURRENT_TIME;
    event.data.data32[2] = event.window;
    event.data.data32[3] = ++serial_;
    QElapsedTimer clock;
    clock.start();
    xcb_send_event(connection_, 0, event.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection_);
    while (clock.elapsed() < timeoutMs) {
      if (answered()) return clock.nsecsElapsed() / 1e6;
      pollfd wait{xcb_get_file_descriptor(connection_), POLLIN, 0};
      ::poll(&wait, 1, 5);
    }
    return timeoutMs;
  }

 private:
  xcb_atom_t atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return value;
  }
  bool answered() {
    bool found = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
      const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
      found |= (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && message->window == root_ &&
               message->data.data32[0] == ping_ && message->data.data32[3] == serial_;
      std::free(event);
    }
    return found;
  }

  xcb_connection_t* connection_;
  xcb_window_t root_ = 0;
  xcb_atom_t protocols_ = 0, ping_ = 0;
  uint32_t serial_ = 0;
};

class LargeLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session.ok()) << "needs the X server of its own test";
    songs = qEnvironmentVariableIntValue("SORV_LARGE_LIBRARY_SONGS");
    if (songs <= 0) songs = 40000;
    // Outside the program's folder, which the search scans too.
    const QString song =
        session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3", "source/tone.mp3");
    ASSERT_FALSE(song.isEmpty());
    sorv::test::LargeLibrary::make(session.home() + "/songs/", session.home() + "/sorvdb.mdb",
                                   songs, song);
    ASSERT_TRUE(session.writeDefaultState());
  }

  // Pings the two windows in turn every 20 ms until the selection window's caption matches
  // pattern; returns the longest wait seen, and in elapsedMs the time the caption took.
  double longestWaitUntil(const QString& pattern, double& elapsedMs) {
    const QRegularExpression wanted(pattern);
    QElapsedTimer clock;
    clock.start();
    double longest = 0;
    for (int round = 0; clock.elapsed() < 600000; ++round) {
      longest = std::max(longest, ping.roundTrip(round % 2 ? panel : selection, 10000));
      if (round % 5 == 0 && wanted.match(session.windowCaption(selection)).hasMatch()) break;
      QThread::msleep(20);
    }
    elapsedMs = clock.elapsed();
    return longest;
  }

  DesktopSession session;
  WindowPing ping;
  int songs = 0;
  QString panel, selection;
};

TEST_F(LargeLibrary, TheWindowsAnswerWhileTheSelectionWindowSearchesAndAllSongsPlay) {
  session.start({});
  panel = session.waitForWindow("^そるばね Ver", 15000);
  ASSERT_FALSE(panel.isEmpty()) << "the panel did not open";
  session.click(panel, kSelectX, kSelectY);
  selection = session.waitForWindow("^選曲", 15000);
  ASSERT_FALSE(selection.isEmpty()) << "the selection window did not open";
  const QRect frame = session.geometry(selection);
  // The default filter leaves out the karaoke versions, every ninth song.
  const int shown = songs - (songs + 8) / 9;
  const QString found = QStringLiteral("選曲（ 0000/%1 件）").arg(shown);

  session.click(selection, frame.width() - 84, frame.height() - 79);  // 全検索
  double searchMs = 0;
  const double longestInSearch = longestWaitUntil("^選曲（ 0000/", searchMs);
  std::printf("全検索 of %d files: %.0f ms to the count, longest wait for an answer %.1f ms\n",
              songs, searchMs, longestInSearch);
  EXPECT_EQ(session.windowCaption(selection).toStdString(), found.toStdString());
  EXPECT_LT(longestInSearch, kLongestWaitMs);

  session.click(selection, frame.width() - 235, frame.height() - 79);  // 検索, without a scan
  double reuseMs = 0;
  const double longestInReuse = longestWaitUntil("^選曲（ 0000/", reuseMs);
  std::printf("検索 of %d files: %.0f ms to the count, longest wait for an answer %.1f ms\n", songs,
              reuseMs, longestInReuse);
  EXPECT_EQ(session.windowCaption(selection).toStdString(), found.toStdString());
  EXPECT_LT(longestInReuse, kLongestWaitMs);

  // The first row is the first genre; the keys tick the three after it.
  session.click(selection, 41, 20);
  session.xdotool({"windowfocus", selection});
  session.pressKeys({"Down", "space", "Down", "space", "Down", "space"});
  const QString all = QStringLiteral("選曲（ %1/%1 件）").arg(shown);
  EXPECT_EQ(session.waitForCaption(selection, "^" + all + "$", 15000).toStdString(),
            all.toStdString());
  session.click(selection, frame.width() - 235, frame.height() - 23);  // 選曲完了
  EXPECT_FALSE(session.waitForWindow("^♪", 60000).isEmpty()) << "選曲完了 started no song";
  session.click(panel, kCloseX, kCloseY);
  EXPECT_TRUE(session.waitForExit(30000)) << "the close hot spot did not end the program";
}

}  // namespace
}  // namespace sorv::e2e
