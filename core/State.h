#pragma once
// The program's shared state. One object, owned by the program and handed by reference to
// every window and routine; touched only from the UI thread.
#include <QString>
#include <QVector>
#include <array>
#include <cstdint>

#include "core/LazyRecord.h"
#include "decoder/Records.h"
#include "decoder/SongFiles.h"

namespace sorv {

// One song of the play list: its file, what it was named by ("mp3", "rmp"), and its tag and
// stream records once read (blank until then, and held only once written).
struct PlayListEntry {
  QString file;
  QString extension;
  LazyRecord<TagRecord> tag;
  LazyRecord<StreamRecord> stream;
};

// Which window is on screen.
enum class DisplayMode : int16_t { None, Panel, Bar };
// The song database: opened at start-up, not opened, or opened but a lookup failed (which
// turns lookups off for the rest of the run).
enum class SongDbState : int16_t { Failed = -1, Closed = 0, Open = 1 };

struct State {
  // The play list. Positions count from 1, as the counter shows them; listCount entries are in
  // use.
  QVector<PlayListEntry> entries;
  int32_t listCount = 0;
  int32_t listPos = 0;

  // Options, 0 or 1 unless stated.
  int16_t useSongDb = 0;
  int16_t showScope = 0;
  int16_t saveSelInfo = 0;
  int16_t barFirstOpt = 0;
  int16_t barHideOpt = 0;
  int16_t lyricTimeMode = 0;  // 0 Winamp timing, 1 standard
  int16_t cpuLoad = 0;
  int16_t loopMode = 0;
  int16_t shuffleMode = 0;
  // Other audio formats beside MP3 in scans and drops. Kept in the settings (loadExtraOptions),
  // not in the state file, whose layout stays as it is.
  bool otherFormats = true;
  // Loudness matching, kept in the settings too: 0 off, 1 per song, 2 per album.
  int16_t loudnessMode = 0;

  // Folders, pathDir[1..6]; every folder ends in the separator once it passed pathWithSep.
  std::array<QString, 7> pathDir;
  QString workPath;

  // Equalizer (0.1 dB units, -120..+120) and volume (0..100).
  std::array<int32_t, 10> equGain{};
  std::array<int32_t, 10> equLevel{};
  int16_t equPreNo = 0;
  std::array<int32_t, 2> volLevel{};

  // Playback and display state, never persisted.
  int16_t playState = 0;
  int16_t startPending = 0;
  DisplayMode dispMode = DisplayMode::None;
  int16_t barHidden = 0;
  SongDbState dbState = SongDbState::Closed;
  int16_t hasLyrics = 0;
  int16_t lyricShow = 0;
  int16_t scopeDirty = 0;
  QString titleText;
  QString verNo;
  std::array<QString, 5> lyricLines;

  // The current song record, filled by the song database lookup.
  QString songTitle;
  QString songArtist;
  QString songProgram;
  QString songKind;
  QString songGenre;
  QString songAnimeKind;
  QString songYear;

  // State of the play-order random generator. Fixed at start-up, so the first shuffle of every
  // run gives the same order for the same list.
  uint32_t rndState = 0x50000;

  // Gives every persisted item its default; workPath must be set. currentDir is pathDir(1).
  void setDefaults(const QString& currentDir);
  // Makes the play list n blank entries.
  void resizeList(int n) { entries = QVector<PlayListEntry>(n); }
  // True when pos names an entry in use.
  bool hasEntry(int pos) const { return pos >= 1 && pos <= listCount && pos <= entries.size(); }
  // Entry pos, 1 being the first.
  PlayListEntry& entry(int pos) { return entries[pos - 1]; }
  const PlayListEntry& entry(int pos) const { return entries[pos - 1]; }
  // The song database can be used for choosing songs: it opened (a later failed lookup does
  // not close it) and the options allow it. The selection hot spot, the bar's 選曲 entry and
  // the "DB OFF" marker all follow this one rule.
  bool songDbUsable() const { return dbState != SongDbState::Closed && useSongDb != 0; }
  SongFiles songFiles() const { return otherFormats ? SongFiles::AllFormats : SongFiles::Mp3Only; }
  // "0003 / 0012": listPos and listCount.
  QString counterText() const;
  // "そるばね Ver." followed by verNo.
  QString idleCaption() const;
  // "♪" followed by titleText.
  QString playingCaption() const;
};

// The version text of the program.
inline constexpr const char* kVersionText = "1.14";

}  // namespace sorv
