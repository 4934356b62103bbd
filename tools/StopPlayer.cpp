#include "tools/StopPlayer.h"

#include "panel/info/SongInfo.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"

namespace sorv {

namespace {

void ShowStopped(State& s, PlayerView& v) {
  s.PlayState = 0;
  CancelStart(s, v);
  ShowIdlePanel(v.MPanel(), s.VerNo);
  v.APanel().Cls();
  ClearLyricWindow(s, v);
  v.SetTime(QString());
}

}  // namespace

void StopPlayback(State& s, Decoder& d, PlayerView& v) {
  v.SetCaption(s.IdleCaption());
  d.vbmp3_stop();
  ShowStopped(s, v);
}

void ReleasePlayer(State& s, Decoder& d, PlayerView& v) {
  if (s.PlayState == 1) {
    d.vbmp3_stop();
    d.vbmp3_close();
  }
  v.SetCaption(s.IdleCaption());
  ShowStopped(s, v);
}

}  // namespace sorv
