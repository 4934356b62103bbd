// Playback over the real engine with the dummy audio driver: demo songs and short fixtures.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QThread>

#include "decoder/ThreadedAudioEngine.h"
#include "library/db/LoudnessCache.h"
#include "library/db/SongDb.h"
#include "library/db/SqlDb.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"
#include "playback/Player.h"
#include "playback/SongInfo.h"
#include "playback/SongText.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/common/WaitUntil.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

QString sourceFile(const QString& relative) {
  return qEnvironmentVariable("SORV_SOURCE_DIR", SORV_SOURCE_DIR) + "/" + relative;
}

class RealEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(engine.init(), 0);
    s.dbState = SongDbState::Failed;
    s.verNo = "1.14";
    s.pathDir[6] = lyricsDir.path() + "/";
  }
  void TearDown() override { engine.release(); }
  int32_t engineState() {
    int32_t position = 0;
    return engine.state(position);
  }
  // What the one-second tick does, polled faster: waits for the end of the track, then runs the
  // end-of-track steps and, for a pending start, the start timer's tick.
  void playToEndOfTrack() {
    EXPECT_TRUE(waitUntil([this] { return engineState() == 0; })) << "the track did not end";
    player.trackEnded();
    player.startPendingEntry();
  }
  ThreadedAudioEngine engine;
  QTemporaryDir lyricsDir;
  State s;
  FakeView v;
  Player player{s, engine, v};
  MessageCapture messages;
};

TEST_F(RealEngineTest, DemoSongPlaysWithItsTagAndLyrics) {
  setFileTable(s, {sourceFile("demo/songs/hoshizora_opening.mp3"),
                   sourceFile("demo/songs/hoshizora_opening_k.mp3")});
  s.listPos = 1;
  ASSERT_EQ(playData(s, engine, v, 1), -1);
  EXPECT_NE(engineState(), 0);
  EXPECT_EQ(tagText(s.entry(1).tag->title), "星空のオーバーチュア");
  EXPECT_GE(s.entry(1).stream->length, 20);
  EXPECT_EQ(s.hasLyrics, 1);
  EXPECT_EQ(s.titleText, "星空のオーバーチュア");
  s.listPos = 2;
  ASSERT_EQ(playData(s, engine, v, 2), -1);
  EXPECT_EQ(s.hasLyrics, 1);  // the off-vocal version shows the song's lyrics
  engine.stop();
  engine.close();
  EXPECT_EQ(engineState(), 0);
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(RealEngineTest, ThreeShortTracksPlayThroughThenLoop) {
  const QString second = sourceFile("tests/fixtures/silence_1s.mp3");
  setFileTable(s, {sourceFile("tests/fixtures/tone440_short.rmp"), second,
                   sourceFile("tests/fixtures/tone1k_mpeg25_mono.mp3")});
  ASSERT_TRUE(player.start(1));
  playToEndOfTrack();
  EXPECT_EQ(s.listPos, 2);
  EXPECT_EQ(s.playState, 1);
  playToEndOfTrack();
  EXPECT_EQ(s.listPos, 3);
  playToEndOfTrack();
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(s.listPos, 3);
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");

  s.loopMode = 1;
  ASSERT_TRUE(player.start(3));
  playToEndOfTrack();
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(s.playState, 1);
  EXPECT_TRUE(messages.texts.isEmpty());
}

// Counts the opens of one file as the kernel reports them. Reads and closes are watched too:
// the kernel merges an event with an identical one right before it, and a read or a close comes
// between two opens of a file by two readers.
class OpenCounter {
 public:
  explicit OpenCounter(const QString& path) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    EXPECT_GE(
        inotify_add_watch(fd_, QFile::encodeName(path).constData(), IN_OPEN | IN_ACCESS | IN_CLOSE),
        0)
        << "cannot watch " << path.toStdString();
  }
  ~OpenCounter() { close(fd_); }
  int opens() {
    alignas(inotify_event) char buffer[4096];
    ssize_t got = 0;
    while ((got = read(fd_, buffer, sizeof buffer)) > 0) {
      for (char* at = buffer; at < buffer + got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        if (event->mask & IN_OPEN) ++opens_;
        at += sizeof(inotify_event) + event->len;
      }
    }
    return opens_;
  }

 private:
  int fd_;
  int opens_ = 0;
};

// Starting a track opens its file once: the engine's open reads the stream, the tags and the
// ReplayGain tags, and the song information, the loudness and the list drawn afterwards use what
// it read. An MP3 (libmpg123) and a WAV file (FFmpeg), each with its measured loudness
// kept, so no measurement reads the file in the background.
TEST_F(RealEngineTest, StartingATrackOpensItsSongFileOnce) {
  QTemporaryDir home;
  const QString mp3 = home.filePath("hoshizora_opening.mp3");
  const QString wav = home.filePath("tone1k.wav");
  ASSERT_TRUE(QFile::copy(sourceFile("demo/songs/hoshizora_opening.mp3"), mp3));
  ASSERT_TRUE(QFile::copy(sourceFile("demo/songs/hoshizora_opening.txt"),
                          home.filePath("hoshizora_opening.txt")));
  ASSERT_TRUE(QFile::copy(sourceFile("tests/fixtures/reference_tone1k_mpeg2_mono.wav"), wav));
  s.otherFormats = true;
  s.pathDir[5] = home.path() + "/";
  s.loudnessMode = 1;
  {
    SqlDb db(songDbPath(s), true);
    LoudnessCache cache(db);
    cache.store(mp3, {-20.0, 0.5});
    cache.store(wav, {-20.0, 0.5});
  }
  setFileTable(s, {mp3, wav});
  for (int16_t pos : {1, 2}) {
    OpenCounter counter(s.entry(pos).file);
    ASSERT_TRUE(player.start(pos));
    showListView(s, engine, v.aPanel());
    EXPECT_EQ(counter.opens(), 1) << s.entry(pos).file.toStdString();
    EXPECT_NE(s.entry(pos).stream->fileSize, 0);
    EXPECT_GT(s.entry(pos).stream->sampleRate, 0);
    EXPECT_EQ(s.hasLyrics, pos == 1 ? 1 : 0);  // the lyric file beside the MP3
  }
  EXPECT_EQ(tagText(s.entry(1).tag->title), "星空のオーバーチュア");
  EXPECT_EQ(s.entry(1).stream->layer, 3);
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(RealEngineTest, RandomBytesNamedMp3FailsWithMessage) {
  setFileTable(s, {sourceFile("tests/fixtures/random_bytes.mp3")});
  s.listPos = 1;
  EXPECT_EQ(playData(s, engine, v, 1), 0);
  ASSERT_EQ(messages.texts.size(), 1);
  EXPECT_TRUE(messages.texts[0].startsWith(sourceFile("tests/fixtures/random_bytes.mp3")));
}

}  // namespace
}  // namespace sorv::test
