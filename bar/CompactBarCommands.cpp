// The bar's transport commands and seeking on the strip.
#include <QLabel>

#include "bar/CompactBar.h"
#include "playback/SongInfo.h"

namespace sorv {

using namespace bar;

void CompactBar::runCommand(int index) {
  const bool listEmpty = s_.listCount == 0 || s_.listPos == 0;
  if (index >= kPrevious && index <= kPlay && listEmpty) return;
  if (index == kPause && !player_.isPlaying()) return;
  switch (index) {
    case kPrevious:
      player_.stepBack();
      break;
    case kNext:
      player_.stepForward();
      break;
    case kStop:
      player_.stop();
      break;
    case kPlay:
      player_.play();
      break;
    case kPause:
      player_.pause();
      break;
    case kBackToPanel:
      // A choice made on the bar starts as the panel comes back, not two seconds later.
      player_.startPendingEntry();
      s_.dispMode = DisplayMode::Panel;
      v_.showDispMode();
      if (player_.isPlaying()) showPanelSong();
      break;
    default:
      return;
  }
  setCounter(s_.counterText());
}

void CompactBar::showPanelSong() {
  showTrackTitle(s_, v_.mPanel());
  showSongDetail(s_, v_.aPanel());
  v_.setCaption(s_.playingCaption());
}

void CompactBar::timeBarMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double) {
  if (!player_.isPlaying()) return;
  PictureArea& strip = timeBar();
  strip.cls();
  strip.filledBox(0, 0, x, strip.scaleHeight(), strip.foreColor());
  const double total = s_.hasEntry(s_.listPos) ? s_.entry(s_.listPos).stream->length : 0;
  const double fraction = qBound(0.0, x / strip.scaleWidth(), 1.0);
  player_.seek(static_cast<int32_t>(fraction * total));
}

}  // namespace sorv
