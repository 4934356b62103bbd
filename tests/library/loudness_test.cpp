// Loudness for matching songs: measured on signals of known loudness, the gain it gives, tags
// before measurement, and the measurements the song database keeps.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <cmath>

#include "decoder/ThreadedAudioEngine.h"
#include "library/db/LoudnessCache.h"
#include "library/db/SqlDb.h"
#include "tests/common/WaitUntil.h"
#include "tests/library/LibraryTestDb.h"
#include "tests/library/SorvdbRun.h"

namespace sorv::test {
namespace {

// Runs ffmpeg; returns what it wrote on its error stream, or a null string when it failed.
QString ffmpeg(const QStringList& args) {
  QProcess process;
  process.start("ffmpeg", QStringList{"-hide_banner", "-nostats", "-y"} + args);
  if (!process.waitForFinished(120000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardError());
}

class LoudnessTest : public ::testing::Test {
 protected:
  // A FLAC of the given lavfi source (stereo by ffmpeg's own layout) with extra options.
  QString makeFlac(const QString& name, const QString& source, const QStringList& extra = {}) {
    const QString path = db.folder() + name;
    EXPECT_FALSE(
        ffmpeg(QStringList{"-f", "lavfi", "-i", source} + extra + QStringList{path}).isNull())
        << "ffmpeg could not make " << name.toStdString();
    return path;
  }
  // ffmpeg's own integrated loudness of a file: the reference the meter is held against.
  static double ffmpegLufs(const QString& path) {
    const QString told = ffmpeg({"-i", path, "-af", "ebur128", "-f", "null", "-"});
    const auto found = QRegularExpression(R"(I:\s+(-?[0-9.]+) LUFS)").globalMatch(told);
    double lufs = NAN;
    for (auto it = found; it.hasNext();) lufs = it.next().captured(1).toDouble();
    return lufs;
  }

  // The level a track start gives the song: from the ReplayGain tags the engine's open read.
  static SongLevel startLevel(const QString& dbPath, const QString& path, int mode) {
    ThreadedAudioEngine engine;
    OpenRecord record;
    EXPECT_NE(engine.open(path.toStdString(), record), 0) << path.toStdString();
    return songLevel(dbPath, path, mode, engine.openedFacts().loudness);
  }

  LibraryTestDb db;
};

TEST_F(LoudnessTest, MeasuresSineAndPinkNoiseAndGivesTheGainThatReachesTheTarget) {
  // A 1 kHz sine in both channels at amplitude a is 20 log10(a) LUFS.
  const double amplitude = std::pow(10.0, -23.0 / 20);
  const QString tone = QString("0.0707946*sin(2*PI*1000*t)");
  const QString sine = makeFlac("sine.flac", "aevalsrc=" + tone + "|" + tone + ":s=48000:d=10");
  const QString pink =
      makeFlac("pink.flac", "anoisesrc=color=pink:amplitude=0.3:d=10:r=44100", {"-ac", "2"});
  const auto sineLoudness = measureLoudness(sine.toStdString());
  ASSERT_TRUE(sineLoudness);
  EXPECT_NEAR(sineLoudness->lufs, -23.0, 0.5);
  EXPECT_NEAR(sineLoudness->peak, amplitude, 0.001);
  EXPECT_NEAR(replayGainDb(*sineLoudness), 5.0, 0.5);
  const auto pinkLoudness = measureLoudness(pink.toStdString());
  ASSERT_TRUE(pinkLoudness);
  EXPECT_NEAR(pinkLoudness->lufs, ffmpegLufs(pink), 0.5);
  EXPECT_NEAR(replayGainDb(*pinkLoudness), kTargetLufs - ffmpegLufs(pink), 0.5);
  // Never clips: a quiet song with a high peak gets only what its peak allows.
  EXPECT_NEAR(replayGainDb({-30.0, 0.5}), 6.02, 0.01);
  EXPECT_NEAR(replayGainDb({-6.0, 1.0}), -12.0, 0.01);
  // Silence has no loudness, and neither has a file that is not audio.
  EXPECT_FALSE(measureLoudness(makeFlac("silence.flac", "anullsrc=d=2").toStdString()));
  EXPECT_FALSE(measureLoudness((db.folder() + "sorvdb.mdb").toStdString()));
}

TEST_F(LoudnessTest, TagsWinOverMeasurementAndAreNotKept) {
  const QString tagged =
      makeFlac("tagged.flac", "sine=frequency=440:d=3",
               {"-metadata", "REPLAYGAIN_TRACK_GAIN=-3.50 dB", "-metadata",
                "REPLAYGAIN_TRACK_PEAK=0.5", "-metadata", "REPLAYGAIN_ALBUM_GAIN=+2.00 dB"});
  SqlDb sql(db.path());
  LoudnessCache cache(sql);
  const auto track = cache.songLoudness(tagged, false);
  ASSERT_TRUE(track);
  EXPECT_DOUBLE_EQ(track->lufs, kTargetLufs + 3.5);
  EXPECT_DOUBLE_EQ(track->peak, 0.5);
  const auto album = cache.songLoudness(tagged, true);
  ASSERT_TRUE(album);
  EXPECT_DOUBLE_EQ(album->lufs, kTargetLufs - 2.0);
  EXPECT_DOUBLE_EQ(album->peak, 1.0);
  EXPECT_FALSE(cache.find(tagged));
}

TEST_F(LoudnessTest, TheDatabaseKeepsAMeasurementUntilTheFileChanges) {
  const QString song = makeFlac("song.flac", "sine=frequency=440:d=3", {"-ac", "2"});
  const QString untouched = makeFlac("other.flac", "sine=frequency=880:d=3", {"-ac", "2"});
  const ToolRun first = tool({"loudness", db.path(), db.folder()});
  EXPECT_EQ(first.code, 0) << first.err.toStdString();
  EXPECT_EQ(first.out.count('\n'), 2);
  EXPECT_TRUE(first.out.contains("\t" + song + "\n")) << first.out.toStdString();
  SqlDb sql(db.path());
  LoudnessCache cache(sql);
  const auto kept = cache.find(song);
  ASSERT_TRUE(kept);
  EXPECT_NEAR(kept->lufs, ffmpegLufs(song), 0.5);
  // The same name with other sound: the old figure no longer counts, and is measured anew.
  makeFlac("song.flac", "sine=frequency=440:d=3", {"-ac", "2", "-af", "volume=-10dB"});
  EXPECT_FALSE(cache.find(song));
  EXPECT_TRUE(cache.find(untouched));
  const auto again = cache.songLoudness(song, false);
  ASSERT_TRUE(again);
  EXPECT_NEAR(again->lufs, kept->lufs - 10, 0.5);
  ASSERT_TRUE(cache.find(song));
  EXPECT_NEAR(cache.find(song)->lufs, again->lufs, 1e-9);
  // A folder without songs is no error; a database that is not one is.
  EXPECT_EQ(tool({"loudness", db.path(), db.folder() + "nothing"}).code, 0);
  EXPECT_NE(tool({"loudness", song, db.folder()}).code, 0);
}

// The peak is wanted with matching off too: the equalizer's headroom depends on it.
TEST_F(LoudnessTest, PlayingGetsTheLevelOfTheSettingAndMeasuresUnknownSongsInTheBackground) {
  const QString tagged =
      makeFlac("tagged.flac", "sine=frequency=440:d=3",
               {"-metadata", "REPLAYGAIN_TRACK_GAIN=-3.50 dB", "-metadata",
                "REPLAYGAIN_ALBUM_GAIN=+2.00 dB", "-metadata", "REPLAYGAIN_ALBUM_PEAK=0.5"});
  EXPECT_EQ(startLevel(db.path(), tagged, 0).gainDb, 0.0);
  EXPECT_EQ(startLevel(db.path(), tagged, 0).peak, 1.0) << "no track peak tag: full scale";
  EXPECT_NEAR(startLevel(db.path(), tagged, 1).gainDb, -3.5, 1e-9);
  const SongLevel album = startLevel(db.path(), tagged, 2);
  EXPECT_NEAR(album.gainDb, 2.0, 1e-9);
  EXPECT_EQ(album.peak, 0.5);
  const QString song = makeFlac("song.flac", "sine=frequency=440:d=3", {"-ac", "2"});
  const SongLevel unknown = startLevel(db.path(), song, 0);  // not known yet: measured meanwhile
  EXPECT_EQ(unknown.gainDb, 0.0);
  EXPECT_EQ(unknown.peak, 0.0);
  SqlDb sql(db.path());
  LoudnessCache cache(sql);
  ASSERT_TRUE(waitUntil([&] { return cache.find(song).has_value(); }))
      << "the background measurement was never kept";
  const SongLevel measured = startLevel(db.path(), song, 2);
  EXPECT_NEAR(measured.gainDb, kTargetLufs - ffmpegLufs(song), 0.5);
  EXPECT_EQ(measured.peak, cache.find(song)->peak);
  EXPECT_GT(measured.peak, 0.05);  // well below full scale
  const SongLevel noDatabase = startLevel(db.folder() + "missing/sorvdb.mdb", song, 1);
  EXPECT_EQ(noDatabase.gainDb, 0.0);
  EXPECT_EQ(noDatabase.peak, 0.0);
}

}  // namespace
}  // namespace sorv::test
