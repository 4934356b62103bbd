// Starting one track: stop and close first, lyric files, the bounded wait.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>

#include "decoder/Loudness.h"
#include "library/db/SongSchema.h"
#include "library/db/SqlDb.h"
#include "playback/Playback.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

class PlayDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.dbState = SongDbState::Failed;  // no song database unless a test makes one
    s.pathDir[6] = "/lyrics/";
    makeList(s, d, 3);
  }
  std::vector<std::string> lyricOffers() const {
    std::vector<std::string> offers;
    for (const auto& call : d.calls)
      if (call.rfind("setLyricsFile ", 0) == 0) offers.push_back(call.substr(14));
    return offers;
  }
  State s;
  FakeEngine d;
  FakeView v;
  MessageCapture messages;
};

TEST_F(PlayDataTest, StartsTrackAndDrawsItsInformation) {
  s.listPos = 2;
  EXPECT_EQ(playData(s, d, v, 2), -1);
  EXPECT_EQ(d.openPath, "/music/02.mp3");
  EXPECT_EQ(d.calls.front(), "close");
  EXPECT_TRUE(d.called("play"));
  EXPECT_EQ(s.entry(2).stream->fileSize, 1002);
  EXPECT_EQ(s.titleText, "Song 2");
  EXPECT_FALSE(v.mPanelArea.prints().isEmpty());
  EXPECT_FALSE(v.aPanelArea.prints().isEmpty());
  EXPECT_FALSE(v.mpanel2Area.prints().isEmpty());
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(s.listPos, 2);
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(PlayDataTest, StopsWhatPlaysBeforeOpening) {
  d.engineState = 1;
  playData(s, d, v, 1);
  ASSERT_GE(d.calls.size(), 3u);
  EXPECT_EQ(d.calls[0], "stop");
  EXPECT_EQ(d.calls[1], "close");
  EXPECT_EQ(d.calls[2], "open /music/01.mp3");
}

TEST_F(PlayDataTest, FailedOpenLeavesNothingPlaying) {
  playData(s, d, v, 1);
  d.unopenable.insert("/music/02.mp3");
  d.clearCalls();
  EXPECT_EQ(playData(s, d, v, 2), 0);
  EXPECT_EQ(messages.texts, QStringList({"/music/02.mp3が開けません。"}));
  EXPECT_EQ(d.calls, (std::vector<std::string>{"stop", "close", "open /music/02.mp3"}));
  int32_t position = 0;
  EXPECT_EQ(d.state(position), 0);
}

TEST_F(PlayDataTest, PositionOutsideListFailsWithMessage) {
  EXPECT_EQ(playData(s, d, v, 4), 0);
  EXPECT_EQ(playData(s, d, v, 0), 0);
  EXPECT_EQ(messages.texts, QStringList({"が開けません。", "が開けません。"}));
}

TEST_F(PlayDataTest, RefusedPlayReportsIt) {
  d.playResult = 0;
  EXPECT_EQ(playData(s, d, v, 1), 0);
  EXPECT_EQ(messages.texts, QStringList({"/music/01.mp3が演奏出来ません"}));
}

TEST_F(PlayDataTest, WaitsForPlayingButNotForever) {
  d.statePollsBeforePlaying = 50;
  EXPECT_EQ(playData(s, d, v, 1), -1);
  d.statePollsBeforePlaying = -1;  // never plays: the wait must end by itself
  EXPECT_EQ(playData(s, d, v, 1), 0);
  EXPECT_EQ(messages.texts, QStringList({"/music/01.mp3が演奏出来ません"}));
  EXPECT_EQ(d.calls.back(), "stop");
}

TEST_F(PlayDataTest, LyricsFolderFirstThenBesideTheSong) {
  setFileTable(s, {"/music/a/song.mp3"});
  playData(s, d, v, 1);
  EXPECT_EQ(lyricOffers(), (std::vector<std::string>{"/lyrics/song.txt", "/music/a/song.txt"}));
  EXPECT_EQ(s.hasLyrics, 0);
  EXPECT_EQ(s.lyricShow, 0);

  d.lyricFiles = {"/music/a/song.txt"};
  d.clearCalls();
  playData(s, d, v, 1);
  EXPECT_EQ(s.hasLyrics, 1);
  EXPECT_EQ(s.lyricShow, 1);

  d.lyricFiles = {"/lyrics/song.txt"};
  d.clearCalls();
  playData(s, d, v, 1);
  EXPECT_EQ(lyricOffers(), (std::vector<std::string>{"/lyrics/song.txt"}));
  EXPECT_EQ(s.hasLyrics, 1);
}

TEST_F(PlayDataTest, KaraokeVariantSharesLyricFileAndEveryFormatHasOne) {
  setFileTable(s, {"/m/song_k.mp3", "/m/song_K.RMP", "/m/track.MP3", "/m/_k.mp3", "/m/live.flac",
                   "/m/live_k.opus"});
  for (int16_t pos = 1; pos <= 6; ++pos) playData(s, d, v, pos);
  EXPECT_EQ(lyricOffers(),
            (std::vector<std::string>{"/lyrics/song.txt", "/m/song.txt", "/lyrics/song.txt",
                                      "/m/song.txt", "/lyrics/track.txt", "/m/track.txt",
                                      "/lyrics/.txt", "/m/.txt", "/lyrics/live.txt", "/m/live.txt",
                                      "/lyrics/live.txt", "/m/live.txt"}));
}

// The loudness setting reaches the engine before the song sounds: a song's ReplayGain tag is
// its gain when matching per song, none when matching is off.
TEST_F(PlayDataTest, TheLoudnessSettingGivesTheSongItsGainBeforeItPlays) {
  // The ReplayGain tags as the open read them: -3.5 dB for the track.
  d.loudness["/music/01.mp3"].track = Loudness{kTargetLufs + 3.5, 0.5};
  for (int16_t mode : {0, 1}) {
    s.loudnessMode = mode;
    d.clearCalls();
    ASSERT_EQ(playData(s, d, v, 1), -1);
    EXPECT_EQ(d.count("getFileInfo /music/01.mp3"), 0) << "the open read the tags already";
    const auto gain = std::find_if(d.calls.begin(), d.calls.end(), [](const std::string& call) {
      return call.rfind("setLoudnessGain ", 0) == 0;
    });
    ASSERT_NE(gain, d.calls.end());
    EXPECT_LT(gain - d.calls.begin(),
              std::find(d.calls.begin(), d.calls.end(), "play") - d.calls.begin());
    EXPECT_NEAR(std::stod(gain->substr(16)), mode == 0 ? 0.0 : -3.5, 1e-6);
  }
}

// The last song's lines leave the lyrics window even when the new song has no lyrics.
TEST_F(PlayDataTest, ATrackStartBlanksTheLyricLinesAndTheLyricsWindowOnShow) {
  s.lyricLines = {"a", "b", "c", "d", "e"};
  s.lyricShow = 1;
  v.lyricLabels = {"x", "x", "x", "x", "x"};
  playData(s, d, v, 1);
  for (const QString& line : s.lyricLines) EXPECT_TRUE(line.isEmpty());
  EXPECT_EQ(v.lyricLabelWrites, 1);
  for (const QString& label : v.lyricLabels) EXPECT_TRUE(label.isEmpty());
  EXPECT_EQ(s.lyricShow, 0) << "no lyrics for this song";
  v.lyricLabels = {"x", "x", "x", "x", "x"};
  clearLyricWindow(s, v);
  EXPECT_EQ(v.lyricLabelWrites, 1) << "a window not on show is left alone";
}

TEST_F(PlayDataTest, SongDatabaseLookupAndItsFailure) {
  QTemporaryDir dir;
  s.pathDir[5] = dir.path() + "/";
  s.useSongDb = 1;
  createSongDb(s.pathDir[5] + "sorvdb.mdb");
  {
    SqlDb db(s.pathDir[5] + "sorvdb.mdb");
    db.execute(
        "INSERT INTO アニソンデータ管理 (ファイル名, 曲名, アーティスト, 番組名, カラオケ, 歌種別, "
        "歌連番, 発表年, アニメ種別, ジャンルNo) VALUES ('02.mp3', '風のエンディング', "
        "'春風あおい', '風の物語', 0, '3', 1, '2023', 1, 255)");
  }
  // A database that did not open at start-up is off: no lookup, and it stays off.
  s.dbState = SongDbState::Closed;
  s.listPos = 2;
  playData(s, d, v, 2);
  EXPECT_EQ(s.titleText, "Song 2");
  EXPECT_EQ(s.dbState, SongDbState::Closed);

  s.dbState = SongDbState::Open;
  s.songYear = "stale";
  ASSERT_EQ(playData(s, d, v, 2), -1);
  EXPECT_EQ(s.titleText, "風のエンディング");
  EXPECT_EQ(s.songKind, "301");
  EXPECT_EQ(s.dbState, SongDbState::Open);

  s.listPos = 1;
  playData(s, d, v, 1);
  EXPECT_EQ(s.songYear, "");
  EXPECT_EQ(s.titleText, "Song 1");

  // A failed lookup switches further lookups off for the run.
  s.pathDir[5] = dir.path() + "/missing/";
  playData(s, d, v, 1);
  EXPECT_EQ(s.dbState, SongDbState::Failed);
  s.pathDir[5] = dir.path() + "/";
  s.listPos = 2;
  playData(s, d, v, 2);
  EXPECT_EQ(s.titleText, "Song 2");
}

}  // namespace
}  // namespace sorv::test
