#include "tools/StopPlayer.h"

#include "playback/PlayOrder.h"
#include "playback/Playback.h"
#include "playback/SongInfo.h"

namespace sorv {

namespace {

void showStopped(State& s, PlayerView& v) {
  s.playState = 0;
  cancelStart(s, v);
  showIdlePanel(v.mPanel(), s.verNo);
  v.aPanel().cls();
  clearLyricWindow(s, v);
  v.setTime(QString());
}

}  // namespace

void stopPlayback(State& s, AudioEngine& d, PlayerView& v) {
  v.setCaption(s.idleCaption());
  d.stop();
  showStopped(s, v);
}

void releasePlayer(State& s, AudioEngine& d, PlayerView& v) {
  if (s.playState == 1) {
    d.stop();
    d.close();
  }
  v.setCaption(s.idleCaption());
  showStopped(s, v);
}

}  // namespace sorv
