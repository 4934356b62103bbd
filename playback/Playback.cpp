#include "playback/Playback.h"

#include <QElapsedTimer>
#include <QThread>

#include "core/Messages.h"
#include "core/Paths.h"
#include "library/db/SongDb.h"
#include "panel/info/SongInfo.h"
#include "panel/info/SongText.h"

namespace sorv {

namespace {

// How long a started track may take to report playing before its start counts as failed.
constexpr int kStartWaitMs = 3000;
constexpr int kStartPollMs = 2;

void StopAndClose(Decoder& d) {
  int32_t position = 0;
  if (d.vbmp3_getState(position) != 0) d.vbmp3_stop();
  d.vbmp3_close();
}

// The audio name with ".txt" for its extension; a "_k" (karaoke) variant shares the lyric file
// of the song it was made from.
QString LyricFileName(const QString& path) {
  const QString base = path.left(std::max<qsizetype>(0, path.size() - 4));
  if (base.endsWith(QLatin1String("_K")) || base.endsWith(QLatin1String("_k")))
    return path.left(std::max<qsizetype>(0, path.size() - 6)) + QStringLiteral(".txt");
  return path.left(std::max<qsizetype>(0, path.size() - 3)) + QStringLiteral("txt");
}

// The lyrics folder first, then the audio file's own folder.
void OfferLyrics(State& s, Decoder& d, const QString& path) {
  const QString lyric = LyricFileName(path);
  const bool accepted =
      d.vbmp3_setLyricsFile((s.PathDir[6] + FileNamePart(lyric)).toStdString()) != 0 ||
      d.vbmp3_setLyricsFile(lyric.toStdString()) != 0;
  s.HasLyrics = accepted ? 1 : 0;
  s.LyricShow = s.HasLyrics;
}

bool WaitUntilPlaying(Decoder& d) {
  QElapsedTimer waited;
  waited.start();
  int32_t position = 0;
  while (d.vbmp3_getState(position) == 0) {
    if (waited.elapsed() >= kStartWaitMs) return false;
    QThread::msleep(kStartPollMs);
  }
  return true;
}

void LookUpSong(State& s) {
  s.SongTitle.clear();
  s.SongArtist.clear();
  s.SongProgram.clear();
  s.SongKind.clear();
  s.SongYear.clear();
  if ((s.DbState == 0 || s.DbState == 1) && !LookupSongByFile(s)) s.DbState = -1;
}

}  // namespace

int16_t PlayData(State& s, Decoder& d, PlayerView& v, int16_t pos) {
  StopAndClose(d);
  const QString path = HasEntry(s, pos) ? s.ListFile[pos] : QString();
  OpenRecord record{};
  if (!HasEntry(s, pos) || !d.vbmp3_open(path.toStdString(), record)) {
    ShowMessage(path + QStringLiteral("が開けません。"));
    return 0;
  }
  if (s.ListInfo[pos].fileSize == 0)
    d.vbmp3_getFileInfo(path.toStdString(), s.ListTag[pos], s.ListInfo[pos]);
  OfferLyrics(s, d, path);
  for (QString& line : s.LyricLines) line.clear();
  if (!d.vbmp3_play() || !WaitUntilPlaying(d)) {
    // A track that never reports playing must not start later behind the user's back.
    d.vbmp3_stop();
    ShowMessage(path + QStringLiteral("が演奏出来ません"));
    return 0;
  }
  LookUpSong(s);
  ShowTrackTitle(s, v.MPanel());
  ShowSongDetail(s, v.APanel());
  ShowBarTitle(s, v.Mpanel2(), ScreenWidthTwips());
  return -1;
}

void ClearLyricWindow(State& s, PlayerView& v) {
  if (s.LyricShow == 1) v.SetLyricLabels({});
}

}  // namespace sorv
