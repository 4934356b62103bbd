// The song database: lookup, genre names, the views, the like operator and compaction.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "core/PictureArea.h"
#include "library/db/JetLike.h"
#include "library/db/SongDb.h"
#include "tests/common/FakeDecoder.h"
#include "tests/library/LibraryTestDb.h"

namespace sorv::test {
namespace {

class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.AddSongs(
        {{.file = "song.mp3",
          .title = "曲",
          .artist = "歌手",
          .work = "番組",
          .type = "3",
          .number = 1,
          .karaoke = 1,
          .year = "1998",
          .kind = 2,
          .genre = 254},
         {.file = "Don't stop.mp3", .title = "Don't", .artist = "A", .work = "W", .number = 7},
         {.file = "twelve.mp3", .title = "T", .artist = "A", .work = "W", .number = 12}});
    s.UseSongDb = 1;
    s.PathDir[5] = db.folder();
    s.ResizeList(1);
    s.ListPos = 1;
  }
  bool Lookup(const QString& path) {
    s.ListFile[1] = path;
    return LookupSongByFile(s);
  }
  LibraryTestDb db;
  State s;
};

TEST_F(LookupTest, HitFillsTheRecordWithKaraokeKind) {
  ASSERT_TRUE(Lookup("/music/a/song.mp3"));
  EXPECT_EQ(s.SongTitle, "曲");
  EXPECT_EQ(s.SongArtist, "歌手");
  EXPECT_EQ(s.SongProgram, "番組");
  EXPECT_EQ(s.SongKind, "9301");
  EXPECT_EQ(s.SongYear, "1998");
  EXPECT_EQ(s.SongAnimeKind, "2");
  EXPECT_EQ(s.SongGenre, "254");
}

TEST_F(LookupTest, SequenceNumberHasTwoDigitsAndApostropheIsFound) {
  ASSERT_TRUE(Lookup("/x/Don't stop.mp3"));
  EXPECT_EQ(s.SongKind, "107");
  ASSERT_TRUE(Lookup("/x/twelve.mp3"));
  EXPECT_EQ(s.SongKind, "112");
}

TEST_F(LookupTest, MissLeavesTheClearedRecordAndGenre) {
  s.SongGenre = "36";
  s.SongAnimeKind = "5";
  ASSERT_TRUE(Lookup("/x/unknown.mp3"));
  EXPECT_TRUE(s.SongTitle.isEmpty());
  EXPECT_TRUE(s.SongKind.isEmpty());
  EXPECT_EQ(s.SongGenre, "36");
  EXPECT_EQ(s.SongAnimeKind, "5");
  EXPECT_TRUE(Lookup("no-separator.mp3"));
}

TEST_F(LookupTest, NullFieldFailsAfterTheEarlierFields) {
  db.Execute(
      "INSERT INTO アニソンデータ管理 (ファイル名, 曲名, アーティスト, 番組名, カラオケ) "
      "VALUES ('null.mp3', 'N', 'NA', 'NP', NULL)");
  EXPECT_FALSE(Lookup("/x/null.mp3"));
  EXPECT_EQ(s.SongTitle, "N");
  EXPECT_EQ(s.SongProgram, "NP");
  EXPECT_TRUE(s.SongKind.isEmpty());
}

TEST_F(LookupTest, SwitchedOffDamagedOrMissingDatabaseFailsSilently) {
  s.UseSongDb = 0;
  EXPECT_FALSE(Lookup("/x/song.mp3"));
  s.UseSongDb = 1;
  s.ListPos = 5;  // beyond the list
  EXPECT_FALSE(LookupSongByFile(s));
  s.ListPos = 1;
  QFile file(db.path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(QByteArray(4096, 'x'));
  file.close();
  EXPECT_FALSE(Lookup("/x/song.mp3"));
  EXPECT_FALSE(SongDbOpens(db.path()));
  s.PathDir[5] = db.folder() + "missing/";
  EXPECT_FALSE(Lookup("/x/song.mp3"));
  EXPECT_FALSE(QFileInfo::exists(SongDbPath(s)));  // never created
}

TEST_F(LookupTest, LockedDatabaseFailsWithoutWaiting) {
  SqlDb locker(db.path());
  locker.Execute("BEGIN EXCLUSIVE");
  EXPECT_FALSE(Lookup("/x/song.mp3"));
  locker.Execute("ROLLBACK");
  EXPECT_TRUE(Lookup("/x/song.mp3"));
}

TEST(SongDbOpensTest, NeedsTheTablesAndViews) {
  LibraryTestDb db;
  EXPECT_TRUE(SongDbOpens(db.path()));
  db.Execute("DROP VIEW テンポラリ２");
  EXPECT_FALSE(SongDbOpens(db.path()));
}

TEST(GenreNameTest, OwnNumbersWinOverTheEngineList) {
  FakeDecoder decoder;
  EXPECT_EQ(GenreName(decoder, 36), "ゲームソング");
  EXPECT_EQ(GenreName(decoder, 254), "特撮ソング");
  EXPECT_EQ(GenreName(decoder, 255), "アニメソング");
  EXPECT_EQ(GenreName(decoder, 24), "Genre24");  // the engine's name for the rest
  EXPECT_EQ(GenreName(decoder, 0), "Genre0");
}

TEST(JetLikeTest, WildcardsAndAsciiCase) {
  EXPECT_TRUE(JetLikeMatch("*star*", "Lone STAR rider"));
  EXPECT_TRUE(JetLikeMatch("?星*", "銀星の歌"));
  EXPECT_FALSE(JetLikeMatch("?星*", "星の歌"));
  EXPECT_TRUE(JetLikeMatch("*", ""));
  EXPECT_FALSE(JetLikeMatch("a*b", "acbx"));
  EXPECT_TRUE(JetLikeMatch("a*b*c", "aXbYbZc"));
  EXPECT_TRUE(JetLikeMatch("*Don't*", "I don't know"));
  EXPECT_FALSE(JetLikeMatch("*%*", "100"));  // SQLite's own wildcard means nothing here
  EXPECT_FALSE(JetLikeMatch("Ａ", "ａ"));    // only ASCII folds
}

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.AddSongs({{.file = "found.mp3", .title = "F", .type = "3"},
                 {.file = "lost.mp3", .title = "L", .type = "4"}});
    db.AddCandidates({{"found.mp3", "/m/"}, {"stray.mp3", "/m/sub/"}});
  }
  LibraryTestDb db;
};

TEST_F(ViewTest, FoundOnlyViewHasFoundSongsAndStrayFiles) {
  EXPECT_EQ(db.Column("SELECT タイトルA FROM テンポラリ ORDER BY タイトルA"),
            QStringList({"F", "stray.mp3"}));
  EXPECT_EQ(db.Column("SELECT アニメタイトルA || '|' || アーティストA || '|' || "
                      "substr(アニメタイトルかなA,1,1) || '|' || アニメ種別A || '|' || 選曲種別A "
                      "|| '|' || フルパスA || ファイル名A FROM テンポラリ WHERE タイトルA = "
                      "'stray.mp3'"),
            QStringList({"未登録|未登録|未|0|0|/m/sub/stray.mp3"}));
}

TEST_F(ViewTest, EverySongViewMarksMissingFiles) {
  EXPECT_EQ(db.Column("SELECT タイトルA || ':' || ファイル名A FROM テンポラリ２ ORDER BY 1"),
            QStringList({"F:found.mp3", "L:未登録", "stray.mp3:stray.mp3"}));
  // Song types in the order of the selection boxes: ending 2, insert song 3.
  EXPECT_EQ(db.Column("SELECT 選曲種別A FROM テンポラリ２ ORDER BY タイトルA"),
            QStringList({"2", "3", "0"}));
}

class CompactTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.UseSongDb = 1;
    s.DbState = 1;
    db.AddSongs({{.file = "a.mp3", .title = "A"}});
  }
  QString live() const { return db.folder() + "sorvdb.mdb"; }
  QString work() const { return db.folder() + "_sorvdb.mdb"; }
  void Compact() { CompactSongDb(s, db.folder(), "sorvdb.mdb", panel); }
  static void Resize(const QString& path, qint64 size) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(size));
  }
  LibraryTestDb db;
  State s;
  PictureArea panel{QSize(257, 65)};
};

TEST_F(CompactTest, FirstRunMakesTheWorkCopyAndLeavesTheLiveFile) {
  const QDateTime before = QFileInfo(live()).lastModified();
  const QByteArray content = [&] {
    QFile f(live());
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  Compact();
  EXPECT_TRUE(SongDbOpens(work()));
  QFile f(live());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), content);
  EXPECT_EQ(QFileInfo(live()).lastModified(), before);
  EXPECT_TRUE(panel.prints().isEmpty());
}

TEST_F(CompactTest, RewritesOnlyPastThreeTimesTheWorkCopy) {
  Compact();
  Resize(work(), 1000000);
  Resize(live(), 3000000);  // sqlite ignores the extra bytes
  Compact();
  EXPECT_EQ(QFileInfo(live()).size(), 3000000);
  EXPECT_TRUE(panel.prints().isEmpty());
  Resize(live(), 3000001);
  Compact();
  EXPECT_LT(QFileInfo(live()).size(), 100000);
  EXPECT_LT(QFileInfo(work()).size(), 100000);
  EXPECT_TRUE(SongDbOpens(live()));
  ASSERT_EQ(panel.prints().size(), 1);
  EXPECT_EQ(panel.prints()[0].text, "ＤＢ最適化中...  しばらくお待ち下さい。");
  EXPECT_EQ(panel.prints()[0].color, QColor(255, 0, 255));
  EXPECT_EQ(db.Column("SELECT 曲名 FROM アニソンデータ管理"), QStringList({"A"}));
}

TEST_F(CompactTest, FailureLeavesTheLiveFileIntact) {
  Compact();
  Resize(work(), 1000);
  Resize(live(), 3001000);
  // A folder where the new copy would be written makes the compaction fail.
  ASSERT_TRUE(QDir().mkpath(work() + ".tmp"));
  Compact();
  EXPECT_EQ(QFileInfo(live()).size(), 3001000);
  EXPECT_TRUE(SongDbOpens(live()));
  EXPECT_EQ(QFileInfo(work()).size(), 1000);
}

TEST_F(CompactTest, RunsOnlyWhenTheDatabaseOpenedAtStart) {
  s.DbState = -1;
  Compact();
  EXPECT_FALSE(QFileInfo::exists(work()));
  s.DbState = 1;
  s.UseSongDb = 0;
  Compact();
  EXPECT_FALSE(QFileInfo::exists(work()));
}

}  // namespace
}  // namespace sorv::test
