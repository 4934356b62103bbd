#pragma once
// The program's shared state. One object, owned by the program and handed by reference to
// every window and routine; touched only from the UI thread.
#include <QString>
#include <QVector>
#include <array>
#include <cstdint>

#include "decoder/Records.h"

namespace sorv {

struct State {
  // The play list: four parallel arrays indexed 1..ListCount (element 0 unused).
  QVector<QString> ListFile;
  QVector<QString> ListExt;
  QVector<TagRecord> ListTag;
  QVector<StreamRecord> ListInfo;
  int16_t ListCount = 0;
  int16_t ListPos = 0;

  // Options, 0 or 1 unless stated.
  int16_t UseSongDb = 0;
  int16_t ShowScope = 0;
  int16_t SaveSelInfo = 0;
  int16_t BarFirstOpt = 0;
  int16_t BarHideOpt = 0;
  int16_t LyricTimeMode = 0;  // 0 Winamp timing, 1 standard
  int16_t CpuLoad = 0;
  int16_t LoopMode = 0;
  int16_t ShuffleMode = 0;

  // Folders, PathDir[1..6]; every folder ends in the separator once it passed PathWithSep.
  std::array<QString, 7> PathDir;
  QString WorkPath;

  // Equalizer (0.1 dB units, -120..+120) and volume (0..100).
  std::array<int32_t, 10> EquGain{};
  std::array<int32_t, 10> EquLevel{};
  int16_t EquPreNo = 0;
  std::array<int32_t, 2> VolLevel{};

  // Playback and display state, never persisted.
  int16_t PlayState = 0;
  int16_t StartPending = 0;
  int16_t DispMode = 0;  // 1 main panel, 2 compact bar
  int16_t BarHidden = 0;
  int16_t DbState = 0;  // 1 opened, 0 not opened, -1 a lookup failed
  int16_t HasLyrics = 0;
  int16_t LyricShow = 0;
  int16_t ScopeDirty = 0;
  QString TitleText;
  QString VerNo;
  std::array<QString, 5> LyricLines;

  // The current song record, filled by the song database lookup.
  QString SongTitle;
  QString SongArtist;
  QString SongProgram;
  QString SongKind;
  QString SongGenre;
  QString SongAnimeKind;
  QString SongYear;

  // Selection window and picker state. CheckMark is indexed by tree-node index from 1 and grows
  // with the tree: -1 ticked, 0 clear.
  QVector<int16_t> CheckMark = QVector<int16_t>(8193, 0);
  int16_t CheckCount = 0;
  int16_t EditFlag = 0;
  QString PickedDir;

  // State of the play-order random generator. Fixed at start-up, so the first shuffle of every
  // run gives the same order for the same list.
  uint32_t RndState = 0x50000;

  // Gives every persisted item its default; WorkPath must be set. currentDir is PathDir(1).
  void SetDefaults(const QString& currentDir);
  // Reallocates the four play-list arrays to 1..n with blank records.
  void ResizeList(int n);
  // "0003 / 0012": ListPos and ListCount.
  QString CounterText() const;
  // "そるばね Ver." followed by VerNo.
  QString IdleCaption() const;
  // "♪" followed by TitleText.
  QString PlayingCaption() const;
};

// The version text of the program.
inline constexpr const char* kVersionText = "1.14";

}  // namespace sorv
