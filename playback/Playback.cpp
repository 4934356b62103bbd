#include "playback/Playback.h"

#include <QElapsedTimer>
#include <QThread>

#include "core/Messages.h"
#include "core/Paths.h"
#include "library/db/LoudnessCache.h"
#include "library/db/SongDb.h"
#include "playback/SongInfo.h"
#include "playback/SongText.h"

namespace sorv {

namespace {

// How long a started track may take to report playing before its start counts as failed.
constexpr int kStartWaitMs = 3000;
constexpr int kStartPollMs = 2;

void stopAndClose(AudioEngine& d) {
  int32_t position = 0;
  if (d.state(position) != 0) d.stop();
  d.close();
}

// The audio name with ".txt" for its extension; a "_k" (karaoke) variant shares the lyric file
// of the song it was made from.
QString lyricFileName(const QString& path) {
  const QString lyric = withAudioExtension(path, QStringLiteral("txt"));
  const QString base = lyric.left(std::max<qsizetype>(0, lyric.size() - 4));
  if (base.endsWith(QLatin1String("_K")) || base.endsWith(QLatin1String("_k")))
    return base.left(base.size() - 2) + QStringLiteral(".txt");
  return lyric;
}

// The lyrics folder first, then the audio file's own folder.
void offerLyrics(State& s, AudioEngine& d, const QString& path) {
  const QString lyric = lyricFileName(path);
  const QString name = fileNamePart(lyric);
  // A name without a folder part would offer the lyrics folder itself.
  const bool accepted =
      (!name.isEmpty() && d.setLyricsFile((s.pathDir[6] + name).toStdString()) != 0) ||
      d.setLyricsFile(lyric.toStdString()) != 0;
  s.hasLyrics = accepted ? 1 : 0;
  s.lyricShow = s.hasLyrics;
}

bool waitUntilPlaying(AudioEngine& d) {
  QElapsedTimer waited;
  waited.start();
  int32_t position = 0;
  while (d.state(position) == 0) {
    if (waited.elapsed() >= kStartWaitMs) return false;
    QThread::msleep(kStartPollMs);
  }
  return true;
}

void lookUpSong(State& s) {
  s.songTitle.clear();
  s.songArtist.clear();
  s.songProgram.clear();
  s.songKind.clear();
  s.songYear.clear();
  // A database that never opened is off: looking it up would only turn "off" into "failed",
  // which reads as usable to the selection.
  if (s.dbState == SongDbState::Open && !lookupSongByFile(s)) s.dbState = SongDbState::Failed;
}

}  // namespace

int16_t playData(State& s, AudioEngine& d, PlayerView& v, int32_t pos) {
  stopAndClose(d);
  const QString path = s.hasEntry(pos) ? s.entry(pos).file : QString();
  OpenRecord record{};
  if (!s.hasEntry(pos) || !d.open(path.toStdString(), record)) {
    showMessage(path + QStringLiteral("が開けません。"));
    return 0;
  }
  // The open read the file's facts and tags already: nothing here opens the song again.
  const SongFacts& facts = d.openedFacts();
  if (s.entry(pos).stream->fileSize == 0) {
    s.entry(pos).tag = facts.tag;
    s.entry(pos).stream = facts.stream;
  }
  // Blanked while lyricShow still tells whether the window shows the last song's lines.
  clearLyricWindow(s, v);
  offerLyrics(s, d, path);
  const SongLevel level = songLevel(songDbPath(s), path, s.loudnessMode, facts.loudness);
  d.setLoudnessGain(level.gainDb);
  d.setSongPeak(level.peak);
  for (QString& line : s.lyricLines) line.clear();
  if (!d.play() || !waitUntilPlaying(d)) {
    // A track that never reports playing must not start later behind the user's back.
    d.stop();
    showMessage(path + QStringLiteral("が演奏出来ません"));
    return 0;
  }
  lookUpSong(s);
  showTrackTitle(s, v.mPanel());
  showSongDetail(s, v.aPanel());
  showBarTitle(s, v.mpanel2(), screenWidthTwips());
  return -1;
}

void clearLyricWindow(State& s, PlayerView& v) {
  if (s.lyricShow == 1) v.setLyricLabels({});
}

}  // namespace sorv
