// The state file and the saved play list: exact bytes, round trips, damaged files, command lines.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>

#include "core/session/StateFile.h"
#include "tests/common/ListFiles.h"
#include "tests/common/MessageCapture.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

class StateFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    work = dir.path() + "/";
    s.workPath = work;
  }
  // A fresh start-up state over the same settings folder.
  State reloaded(const QString& commandLine = QString()) {
    State fresh;
    fresh.workPath = work;
    namedSongs = loadState(fresh, commandLine, "/current/");
    return fresh;
  }
  QString stateFile() const { return work + "sorvane.dat"; }
  QTemporaryDir dir;
  QString work;
  bool namedSongs = false;  // what the last reload said about the command line
  State s;
  MessageCapture messages;
};

TEST_F(StateFileTest, WritesNineteenLinesExactly) {
  s.setDefaults("/music/");
  s.saveSelInfo = 1;
  QStringList paths;
  for (int i = 1; i <= 12; ++i) paths << QString("/m/%1.mp3").arg(i);
  setFileTable(s, paths);
  s.listPos = 3;
  s.pathDir[4] = work;
  ASSERT_TRUE(saveState(s));
  const QByteArray w = work.toUtf8();
  const QByteArray expected = "1,12,3\r\n" + QByteArray("0\r\n").repeated(10) +
                              "5,80,80\r\n1,1\r\n\"/music/\",\"\",\"\"\r\n\"" + w + "\",\"" + w +
                              "\"\r\n0,0,10\r\n\"" + w + "\"\r\n1,0\r\n0\r\n";
  EXPECT_EQ(readAll(stateFile()), expected);
  EXPECT_EQ(readAll(work + "sorvane.m3u"), paths.join("\r\n").toUtf8() + "\r\n");
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(StateFileTest, RoundTripKeepsEveryValue) {
  s.setDefaults("/music/");
  s.saveSelInfo = 1;
  s.useSongDb = 0;
  s.showScope = 0;
  s.barFirstOpt = 1;
  s.barHideOpt = 0;
  s.lyricTimeMode = 1;
  s.cpuLoad = 3;
  s.loopMode = 1;
  s.shuffleMode = 1;
  s.equPreNo = 2;
  s.volLevel = {13, 100};
  s.equLevel = {-120, -50, 0, 1, 2, 3, 4, 5, 99, 120};
  s.pathDir = {QString(), "/a/", "/b b/", "/漢字/", work, work, "/ly\"rics/"};
  setFileTable(s, {makeFile(dir, "1.mp3"), makeFile(dir, "2.mp3"), makeFile(dir, "3.mp3")});
  s.listPos = 2;
  ASSERT_TRUE(saveState(s));
  const State back = reloaded();
  EXPECT_EQ(back.saveSelInfo, 1);
  EXPECT_EQ(back.useSongDb, 0);
  EXPECT_EQ(back.showScope, 0);
  EXPECT_EQ(back.barFirstOpt, 1);
  EXPECT_EQ(back.barHideOpt, 0);
  EXPECT_EQ(back.lyricTimeMode, 1);
  EXPECT_EQ(back.cpuLoad, 3);
  EXPECT_EQ(back.loopMode, 1);
  EXPECT_EQ(back.shuffleMode, 1);
  EXPECT_EQ(back.equPreNo, 2);
  EXPECT_EQ(back.volLevel, s.volLevel);
  EXPECT_EQ(back.equLevel, s.equLevel);
  EXPECT_EQ(back.pathDir, s.pathDir);
  EXPECT_EQ(back.listCount, 3);
  EXPECT_EQ(back.listPos, 2);
  EXPECT_EQ(listFiles(back).mid(0, 3), listFiles(s).mid(0, 3));
  EXPECT_FALSE(namedSongs);
}

TEST_F(StateFileTest, FirstRunGetsDefaultsAndLeavesTheCommandLineAlone) {
  const QString song = makeFile(dir, "x.mp3");
  const State back = reloaded(song);
  EXPECT_EQ(back.volLevel[0], 80);
  EXPECT_EQ(back.pathDir[1], "/current/");
  EXPECT_EQ(back.pathDir[5], work);
  EXPECT_EQ(back.listCount, 0);
  EXPECT_EQ(back.listPos, 0);
  EXPECT_FALSE(namedSongs);
}

TEST_F(StateFileTest, ListNotKeptLeavesOldPlayListAlone) {
  s.setDefaults("/music/");
  s.pathDir[4] = work;
  writeAll(work + "sorvane.m3u", makeFile(dir, "old.mp3").toUtf8() + "\r\n");
  const QByteArray old = readAll(work + "sorvane.m3u");
  setFileTable(s, {makeFile(dir, "new.mp3")});
  s.listPos = 1;
  ASSERT_TRUE(saveState(s));
  EXPECT_TRUE(readAll(stateFile()).startsWith("0,0,0\r\n"));
  EXPECT_EQ(readAll(work + "sorvane.m3u"), old);
  const State back = reloaded();
  EXPECT_EQ(back.listCount, 0);
  EXPECT_EQ(back.listPos, 0);
}

TEST_F(StateFileTest, DeletedThirdFileKeepsSameSongCurrent) {
  s.setDefaults("/music/");
  s.saveSelInfo = 1;
  s.pathDir[4] = work;
  QStringList paths;
  for (int i = 1; i <= 6; ++i) paths << makeFile(dir, QString("%1.mp3").arg(i));
  setFileTable(s, paths);
  s.listPos = 5;
  ASSERT_TRUE(saveState(s));
  QFile::remove(paths[2]);
  const State back = reloaded();
  EXPECT_EQ(back.listCount, 5);
  EXPECT_EQ(back.listPos, 4);
  EXPECT_EQ(back.entry(4).file, paths[4]);
}

// Size and place beyond 16 bits are written as plain wider numbers and come back whole.
TEST_F(StateFileTest, ListPastSixteenBitsRoundTrips) {
  s.setDefaults("/music/");
  s.saveSelInfo = 1;
  s.pathDir[4] = work;
  const QString song = makeFile(dir, "song.mp3");
  const QString gone = makeFile(dir, "gone.mp3");
  const QString current = makeFile(dir, "current.mp3");
  const QString last = makeFile(dir, "last.mp3");
  QStringList paths(40000, song);
  paths[99] = gone;
  paths[32768] = current;
  paths.last() = last;
  setFileTable(s, paths);
  s.listPos = 32769;
  ASSERT_TRUE(saveState(s));
  EXPECT_TRUE(readAll(stateFile()).startsWith("1,40000,32769\r\n"));
  EXPECT_EQ(readAll(work + "sorvane.m3u").count("\r\n"), 40000);
  QFile::remove(gone);
  const State back = reloaded();
  EXPECT_EQ(back.listCount, 39999);
  EXPECT_EQ(back.listPos, 32768);
  EXPECT_EQ(back.entry(32768).file, current);
  EXPECT_EQ(back.entry(39999).file, last);
}

TEST_F(StateFileTest, ShortOrEmptyFileKeepsWhatWasReadAndTakesDefaultsForTheRest) {
  writeAll(stateFile(), "1,3,2\r\n5\r\n-7\r\n");
  State back = reloaded();
  EXPECT_EQ(back.saveSelInfo, 1);
  EXPECT_EQ(back.equLevel[0], 5);
  EXPECT_EQ(back.equLevel[1], -7);
  EXPECT_EQ(back.equLevel[2], 0);
  EXPECT_EQ(back.listCount, 0);  // no play-list file to read it from
  EXPECT_EQ(back.listPos, 0);
  for (const QByteArray& text : {QByteArray("1,3,2\r\n5\r\n-7\r\n"), QByteArray()}) {
    writeAll(stateFile(), text);
    back = reloaded();
    EXPECT_EQ(back.volLevel, (std::array<int32_t, 2>{80, 80})) << text.constData();
    EXPECT_EQ(back.equPreNo, 5);
    EXPECT_EQ(back.useSongDb, 1);
    EXPECT_EQ(back.showScope, 1);
    EXPECT_EQ(back.cpuLoad, 10);
    EXPECT_EQ(back.pathDir[1], "/current/");
    EXPECT_EQ(back.pathDir[5], work);
  }
}

TEST_F(StateFileTest, DamagedFileStopsAtTheDamageAndKeepsLevelsUsable) {
  writeAll(stateFile(), "0,0,0\r\n999\r\nnot a number\r\n7\r\n");
  State back = reloaded();
  EXPECT_EQ(back.equLevel[0], 120);
  EXPECT_EQ(back.equLevel[1], 0);
  EXPECT_EQ(back.equLevel[2], 0);
  QByteArray noise;
  for (int i = 0; i < 4096; ++i) noise += char((i * 7919 + 13) % 256);
  writeAll(stateFile(), noise);
  back = reloaded();
  EXPECT_EQ(back.listCount, 0);
  EXPECT_EQ(back.listPos, 0);
  for (int32_t level : back.volLevel) EXPECT_TRUE(level >= 0 && level <= 100);
  // Out of its 16-bit range a count is damage, not a number to wrap.
  writeAll(stateFile(), "1,70000,2\r\n");
  back = reloaded();
  EXPECT_EQ(back.saveSelInfo, 1);
  EXPECT_EQ(back.listCount, 0);
  // An option past 0 and 1 takes its default, and the values after it are still read.
  s.setDefaults("/music/");
  s.showScope = 3;
  s.loopMode = 7;
  s.shuffleMode = 1;
  s.barHideOpt = 0;
  s.barFirstOpt = 5;
  s.lyricTimeMode = 1;
  ASSERT_TRUE(saveState(s));
  back = reloaded();
  EXPECT_EQ(back.showScope, 1);
  EXPECT_EQ(back.loopMode, 0);
  EXPECT_EQ(back.shuffleMode, 1);
  EXPECT_EQ(back.barHideOpt, 0);
  EXPECT_EQ(back.barFirstOpt, 0);
  EXPECT_EQ(back.lyricTimeMode, 1);
}

TEST_F(StateFileTest, CommandLineFileM3uOrOther) {
  s.setDefaults("/music/");
  ASSERT_TRUE(saveState(s));
  const QString mp3 = makeFile(dir, "song.Mp3");
  State back = reloaded(mp3);
  EXPECT_EQ(back.listCount, 1);
  EXPECT_EQ(back.entry(1).file, mp3);
  EXPECT_EQ(back.listPos, 1);
  EXPECT_TRUE(namedSongs);

  const QString list = dir.filePath("list.M3U");
  writeAll(list, (dir.filePath("gone.mp3") + "\r\n" + mp3 + "\r\n").toUtf8());
  back = reloaded(list);
  EXPECT_EQ(back.listCount, 1);
  EXPECT_EQ(back.entry(1).file, mp3);
  EXPECT_TRUE(namedSongs);

  back = reloaded(makeFile(dir, "notes.txt"));
  EXPECT_EQ(back.listCount, 1);
  EXPECT_EQ(back.entry(1).file, "");
  EXPECT_TRUE(namedSongs);

  back = reloaded("\"" + mp3 + "\"");
  EXPECT_EQ(back.listCount, 0);
  EXPECT_FALSE(namedSongs);
}

TEST_F(StateFileTest, CommandLinePlayListWithoutReachableEntryStartsNothing) {
  s.setDefaults("/music/");
  ASSERT_TRUE(saveState(s));
  const QString list = dir.filePath("dead.m3u");
  writeAll(list, "/no/a.mp3\r\n/no/b.mp3\r\n");
  const State back = reloaded(list);
  EXPECT_EQ(back.listCount, 0);
  EXPECT_EQ(back.listPos, 0);
  EXPECT_FALSE(namedSongs);
}

TEST_F(StateFileTest, FailedWritesSaySo) {
  s.setDefaults("/music/");
  s.workPath = work + "missing/";
  EXPECT_FALSE(saveState(s));
  EXPECT_EQ(messages.texts, QStringList({"状態の保存に失敗しました。"}));

  s.workPath = work;
  ASSERT_TRUE(saveState(s));
  // The play list's folder is gone: the state file is written, the play list is not.
  s.saveSelInfo = 1;
  s.pathDir[4] = work + "nowhere/";
  setFileTable(s, {"/m/a.mp3"});
  s.listPos = 1;
  EXPECT_FALSE(saveState(s));
  EXPECT_EQ(messages.texts.size(), 2);
  EXPECT_FALSE(QFileInfo::exists(work + "nowhere/sorvane.m3u"));
  EXPECT_TRUE(readAll(stateFile()).startsWith("1,1,1\r\n"));
}

// A state file kept elsewhere behind a link stays there, with its own mode.
TEST_F(StateFileTest, ASavedFileKeepsItsLinkAndMode) {
  s.setDefaults("/music/");
  const QString kept = work + "kept/sorvane.dat";
  ASSERT_TRUE(QDir().mkpath(work + "kept"));
  ASSERT_TRUE(QFile(kept).open(QIODevice::WriteOnly));
  ASSERT_EQ(::chmod(QFile::encodeName(kept).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(kept, stateFile()));
  ASSERT_TRUE(saveState(s));
  EXPECT_TRUE(QFileInfo(stateFile()).isSymLink());
  EXPECT_TRUE(readAll(kept).startsWith("0,0,0\r\n"));
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(kept).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
}

// Root writes anywhere: the save then runs as an ordinary user.
class AsOrdinaryUser {
 public:
  AsOrdinaryUser() {
    if (root_) EXPECT_EQ(::seteuid(65534), 0);
  }
  ~AsOrdinaryUser() {
    if (root_) EXPECT_EQ(::seteuid(0), 0);
  }

 private:
  const bool root_ = ::geteuid() == 0;
};

// A settings folder that takes no new file, holding a state file that may be written: the file
// is saved in place.
TEST_F(StateFileTest, AReadOnlyFolderWithAWritableStateFileIsSavedInPlace) {
  s.setDefaults("/music/");
  ASSERT_TRUE(saveState(s));
  ASSERT_EQ(::chmod(QFile::encodeName(stateFile()).constData(), 0666), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
  s.equLevel[0] = 7;
  s.pathDir[1] = "/a much longer folder than the one saved before/";
  bool saved = false;
  {
    AsOrdinaryUser user;
    saved = saveState(s);
  }
  ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0700), 0);
  EXPECT_TRUE(saved);
  EXPECT_TRUE(messages.texts.isEmpty());
  const State back = reloaded();
  EXPECT_EQ(back.equLevel[0], 7);
  EXPECT_EQ(back.pathDir[1], s.pathDir[1]);
  EXPECT_EQ(QDir(work).entryList(QDir::Files | QDir::Hidden), QStringList{"sorvane.dat"});
}

// A name holding a line break can have no line of the play list: it is left out of the saved
// list, and the song current at the close is current again (or the one before it, when it was
// the one left out).
TEST_F(StateFileTest, ASongNameWithALineBreakIsLeftOutAndTheCurrentSongStays) {
  const QStringList songs{work + "a.mp3", work + "b\nc.mp3", work + "d.mp3"};
  for (const QString& song : songs) {
    QFile file(song);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  const std::vector<std::pair<int, QString>> currentBecomes{
      {3, songs[2]}, {2, songs[0]}, {1, songs[0]}};
  for (const auto& [pos, song] : currentBecomes) {
    s.setDefaults("/music/");
    s.saveSelInfo = 1;
    s.pathDir[4] = work;
    setFileTable(s, songs);
    s.listPos = pos;
    ASSERT_TRUE(saveState(s));
    const State back = reloaded();
    EXPECT_EQ(listFiles(back), QStringList({songs[0], songs[2]})) << pos;
    EXPECT_EQ(back.entry(back.listPos).file, song) << pos;
  }
}

}  // namespace
}  // namespace sorv::test
