// The song database: lookup, genre names, the views, the like operator and compaction.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include "core/PictureArea.h"
#include "library/db/JetLike.h"
#include "library/db/SongDb.h"
#include "library/db/SongSchema.h"
#include "library/db/SqlDb.h"
#include "tests/common/FakeEngine.h"
#include "tests/library/LibraryTestDb.h"

namespace sorv::test {
namespace {

class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.addSongs(
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
    s.useSongDb = 1;
    s.pathDir[5] = db.folder();
    s.resizeList(1);
    s.listPos = 1;
  }
  bool lookup(const QString& path) {
    s.entry(1).file = path;
    return lookupSongByFile(s);
  }
  LibraryTestDb db;
  State s;
};

TEST_F(LookupTest, HitFillsTheRecordWithKaraokeKind) {
  ASSERT_TRUE(lookup("/music/a/song.mp3"));
  EXPECT_EQ(s.songTitle, "曲");
  EXPECT_EQ(s.songArtist, "歌手");
  EXPECT_EQ(s.songProgram, "番組");
  EXPECT_EQ(s.songYear, "1998");
  EXPECT_EQ(s.songAnimeKind, "2");
  EXPECT_EQ(s.songGenre, "254");
  // The kind: 9 for karaoke, the song type, and the sequence number in two digits; a name with
  // an apostrophe is found like any other.
  for (const auto& [path, kind] : {std::pair{"/music/a/song.mp3", "9301"},
                                   {"/x/Don't stop.mp3", "107"},
                                   {"/x/twelve.mp3", "112"}}) {
    ASSERT_TRUE(lookup(path)) << path;
    EXPECT_EQ(s.songKind, kind) << path;
  }
}

TEST_F(LookupTest, MissLeavesTheClearedRecordAndGenre) {
  s.songGenre = "36";
  s.songAnimeKind = "5";
  ASSERT_TRUE(lookup("/x/unknown.mp3"));
  EXPECT_TRUE(s.songTitle.isEmpty());
  EXPECT_TRUE(s.songKind.isEmpty());
  EXPECT_EQ(s.songGenre, "36");
  EXPECT_EQ(s.songAnimeKind, "5");
  EXPECT_TRUE(lookup("no-separator.mp3"));
}

TEST_F(LookupTest, NullFieldFailsAfterTheEarlierFields) {
  db.useSongTableWithoutDefaults();
  db.execute(
      "INSERT INTO アニソンデータ管理 (ファイル名, 曲名, アーティスト, 番組名, カラオケ) "
      "VALUES ('null.mp3', 'N', 'NA', 'NP', NULL)");
  EXPECT_FALSE(lookup("/x/null.mp3"));
  EXPECT_EQ(s.songTitle, "N");
  EXPECT_EQ(s.songProgram, "NP");
  EXPECT_TRUE(s.songKind.isEmpty());
  // A sequence number that is no number at all fails the same way, as does one past 16 bits.
  const QStringList numbers{"'nan'", "'inf'", "1e30", "40000"};
  for (int i = 0; i < numbers.size(); ++i) {
    db.execute(QString("INSERT INTO アニソンデータ管理 (ファイル名, 曲名, アーティスト, 番組名, "
                       "カラオケ, 歌種別, 歌連番) VALUES ('n%1.mp3', 'N', 'NA', 'NP', 0, '1', %2)")
                   .arg(i)
                   .arg(numbers[i]));
    EXPECT_FALSE(lookup(QString("/x/n%1.mp3").arg(i))) << numbers[i].toStdString();
    EXPECT_TRUE(s.songKind.isEmpty()) << numbers[i].toStdString();
  }
}

TEST_F(LookupTest, SwitchedOffIncompleteDamagedOrMissingDatabaseFailsSilently) {
  s.useSongDb = 0;
  EXPECT_FALSE(lookup("/x/song.mp3"));
  s.useSongDb = 1;
  s.listPos = 5;  // beyond the list
  EXPECT_FALSE(lookupSongByFile(s));
  s.listPos = 1;
  db.execute("DROP VIEW テンポラリ２");  // every table and view must be there
  EXPECT_FALSE(songDbOpens(db.path()));
  QFile file(db.path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(QByteArray(4096, 'x'));
  file.close();
  EXPECT_FALSE(lookup("/x/song.mp3"));
  EXPECT_FALSE(songDbOpens(db.path()));
  s.pathDir[5] = db.folder() + "missing/";
  EXPECT_FALSE(lookup("/x/song.mp3"));
  EXPECT_FALSE(QFileInfo::exists(songDbPath(s)));  // never created
}

TEST_F(LookupTest, LockedDatabaseFailsWithoutWaiting) {
  SqlDb locker(db.path());
  locker.execute("BEGIN EXCLUSIVE");
  EXPECT_FALSE(lookup("/x/song.mp3"));
  locker.execute("ROLLBACK");
  EXPECT_TRUE(lookup("/x/song.mp3"));
}

TEST(GenreNameTest, OwnNumbersWinOverTheEngineList) {
  FakeEngine decoder;
  EXPECT_EQ(genreName(decoder, 36), "ゲームソング");
  EXPECT_EQ(genreName(decoder, 254), "特撮ソング");
  EXPECT_EQ(genreName(decoder, 255), "アニメソング");
  EXPECT_EQ(genreName(decoder, 24), "Genre24");  // the engine's name for the rest
  EXPECT_EQ(genreName(decoder, 0), "Genre0");
}

TEST(JetLikeTest, WildcardsCaseKanaAndWidth) {
  EXPECT_TRUE(jetLikeMatch("*star*", "Lone STAR rider"));
  EXPECT_TRUE(jetLikeMatch("?星*", "銀星の歌"));
  EXPECT_FALSE(jetLikeMatch("?星*", "星の歌"));
  EXPECT_TRUE(jetLikeMatch("*", ""));
  EXPECT_FALSE(jetLikeMatch("a*b", "acbx"));
  EXPECT_TRUE(jetLikeMatch("a*b*c", "aXbYbZc"));
  EXPECT_TRUE(jetLikeMatch("*Don't*", "I don't know"));
  EXPECT_FALSE(jetLikeMatch("*%*", "100"));  // SQLite's own wildcard means nothing here
  EXPECT_FALSE(jetLikeMatch("É", "é"));      // only ASCII case folds
  // Katakana, half-width katakana and full-width letters fold; a half-width mark joins its kana.
  EXPECT_TRUE(jetLikeMatch("ぱ?ゔぁ", "ﾊﾟﾝｳﾞｧ"));
  EXPECT_FALSE(jetLikeMatch("は*", "ﾊﾟ"));
  EXPECT_TRUE(jetLikeMatch("*ｾﾞｰﾀ*", "ΖガンダムＺゼータ"));
  EXPECT_TRUE(jetLikeMatch("Ａ?Ｃ", "abc"));
  EXPECT_FALSE(jetLikeMatch("ｺﾞ", "こ゛"));  // a lone mark stays a mark
}

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.addSongs({{.file = "found.mp3", .title = "F", .type = "3"},
                 {.file = "lost.mp3", .title = "L", .type = "4"}});
    db.addCandidates({{"found.mp3", "/m/"}, {"stray.mp3", "/m/sub/"}});
  }
  LibraryTestDb db;
};

TEST_F(ViewTest, FoundOnlyViewHasFoundSongsAndStrayFiles) {
  EXPECT_EQ(db.column("SELECT タイトルA FROM テンポラリ ORDER BY タイトルA"),
            QStringList({"F", "stray.mp3"}));
  EXPECT_EQ(db.column("SELECT アニメタイトルA || '|' || アーティストA || '|' || "
                      "substr(アニメタイトルかなA,1,1) || '|' || アニメ種別A || '|' || 選曲種別A "
                      "|| '|' || フルパスA || ファイル名A FROM テンポラリ WHERE タイトルA = "
                      "'stray.mp3'"),
            QStringList({"未登録|未登録|未|0|0|/m/sub/stray.mp3"}));
}

TEST_F(ViewTest, EverySongViewMarksMissingFiles) {
  EXPECT_EQ(db.column("SELECT タイトルA || ':' || ファイル名A FROM テンポラリ２ ORDER BY 1"),
            QStringList({"F:found.mp3", "L:未登録", "stray.mp3:stray.mp3"}));
  // Song types in the order of the selection boxes: ending 2, insert song 3.
  EXPECT_EQ(db.column("SELECT 選曲種別A FROM テンポラリ２ ORDER BY タイトルA"),
            QStringList({"2", "3", "0"}));
}

// The song table and views of an earlier form are rebuilt in place when the player opens the
// file: every row with its rowid, a column and a view added by hand stay, a NULL the new table
// refuses takes its default, and the schema is the current one, the same as a new file's.
TEST(SongDbUpgradeTest, EarlierFormsAreRebuiltOnceKeepingEveryRow) {
  const QString objects =
      "SELECT group_concat(type || ' ' || name || ' ' || sql, '|') FROM (SELECT * FROM "
      "sqlite_master WHERE name <> 'アニソンデータ管理' ORDER BY name)";
  const QString columns =
      "SELECT group_concat(name || ' ' || \"notnull\" || ' ' || ifnull(dflt_value, '-'), '|') "
      "FROM pragma_table_info('アニソンデータ管理')";
  const QString byHand =
      "ALTER TABLE アニソンデータ管理 ADD COLUMN メモ TEXT; CREATE VIEW メモ一覧 AS SELECT メモ "
      "FROM "
      "アニソンデータ管理 WHERE メモ IS NOT NULL";
  LibraryTestDb fresh;
  fresh.execute(byHand);
  for (const char* table : {kFirstSongTable, kSongTableWithoutDefaults, kKanaSongTable}) {
    LibraryTestDb db;
    db.useEarlierForm(table);
    db.execute(byHand);
    db.execute(
        "INSERT INTO アニソンデータ管理 (rowid, ファイル名, 曲名, 番組名かな, メモ) VALUES (7, "
        "'a.mp3', 'A', 'ｶﾞﾝﾀﾞﾑ', 'note'), (3, 'b.mp3', 'B', 'かぜ', NULL)");
    ASSERT_TRUE(songDbOpens(db.path())) << table;
    EXPECT_EQ(db.column("PRAGMA user_version"), QStringList({"1"})) << table;
    EXPECT_EQ(db.column(objects), fresh.column(objects)) << table;
    EXPECT_EQ(db.column(columns), fresh.column(columns)) << table;
    EXPECT_EQ(db.column("SELECT rowid || ' ' || ファイル名 || ' ' || 曲名 || ' ' || 番組名かな || "
                        "' ' || カラオケ || ' ' || 歌種別 || ' ' || ジャンルNo || ' ' || "
                        "ifnull(メモ, '-') FROM アニソンデータ管理 ORDER BY rowid"),
              QStringList({"3 b.mp3 B かぜ 0 5 255 -", "7 a.mp3 A ｶﾞﾝﾀﾞﾑ 0 5 255 note"}))
        << table;
    EXPECT_EQ(db.column("SELECT * FROM メモ一覧"), QStringList({"note"})) << table;
    EXPECT_EQ(upgradeSongDb(db.path()), SongDbUpgrade::NotNeeded) << table;
  }
}

// While another program writes, the rebuild waits for another time: the file stays as it was
// and serves as it is.
TEST(SongDbUpgradeTest, LockedFileStaysInItsFormUntilTheNextOpen) {
  LibraryTestDb db;
  db.useEarlierForm(kKanaSongTable);
  db.addSongs({{.file = "a.mp3", .title = "A", .workKana = "かぜ"}});
  const QString schema = "SELECT group_concat(sql, '|') FROM sqlite_master";
  const QStringList before = db.column(schema);
  {
    SqlDb other(db.path());
    other.execute("BEGIN IMMEDIATE");
    QString error;
    EXPECT_EQ(upgradeSongDb(db.path(), &error), SongDbUpgrade::Failed);
    EXPECT_TRUE(error.contains("locked")) << error.toStdString();
    EXPECT_TRUE(songDbOpens(db.path()));
    other.execute("ROLLBACK");
  }
  EXPECT_EQ(db.column(schema), before);
  EXPECT_EQ(db.column("PRAGMA user_version"), QStringList({"0"}));
  EXPECT_EQ(upgradeSongDb(db.path()), SongDbUpgrade::Done);
  EXPECT_EQ(db.column("SELECT タイトルA FROM テンポラリ２"), QStringList({"A"}));
}

class CompactTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.useSongDb = 1;
    s.dbState = SongDbState::Open;
    db.addSongs({{.file = "a.mp3", .title = "A"}});
  }
  QString live() const { return db.folder() + "sorvdb.mdb"; }
  QString work() const { return db.folder() + "_sorvdb.mdb"; }
  void compact() { compactSongDb(s, db.folder(), "sorvdb.mdb", panel); }
  static void resize(const QString& path, qint64 size) {
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
  compact();
  EXPECT_TRUE(songDbOpens(work()));
  QFile f(live());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), content);
  EXPECT_EQ(QFileInfo(live()).lastModified(), before);
  EXPECT_TRUE(panel.prints().isEmpty());
}

TEST_F(CompactTest, RewritesOnlyPastThreeTimesTheWorkCopy) {
  compact();
  resize(work(), 1000000);
  resize(live(), 3000000);  // sqlite ignores the extra bytes
  compact();
  EXPECT_EQ(QFileInfo(live()).size(), 3000000);
  EXPECT_TRUE(panel.prints().isEmpty());
  resize(live(), 3000001);
  compact();
  EXPECT_LT(QFileInfo(live()).size(), 100000);
  EXPECT_LT(QFileInfo(work()).size(), 100000);
  EXPECT_TRUE(songDbOpens(live()));
  ASSERT_EQ(panel.prints().size(), 1);
  EXPECT_EQ(panel.prints()[0].text, "ＤＢ最適化中...  しばらくお待ち下さい。");
  EXPECT_EQ(panel.prints()[0].color, QColor(255, 0, 255));
  EXPECT_EQ(db.column("SELECT 曲名 FROM アニソンデータ管理"), QStringList({"A"}));
}

// The rows another program commits while the player closes (an import, another player's
// loudness) are never lost; a database reached through a link stays linked, with its mode.
TEST_F(CompactTest, KeepsWhatAnotherWriterCommitsAndTheLinkAndModeOfTheFile) {
  compact();
  resize(work(), 1000);
  {
    SqlDb other(live());
    other.execute("BEGIN IMMEDIATE");
    other.execute("INSERT INTO アニソンデータ管理 (ファイル名, 曲名) VALUES ('b.mp3', 'B')");
    compact();  // the other program holds the write lock all along
    other.execute("COMMIT");
  }
  EXPECT_EQ(db.column("SELECT 曲名 FROM アニソンデータ管理 ORDER BY 曲名"),
            QStringList({"A", "B"}));

  const QString shared = db.folder() + "shared/sorvdb.mdb";
  ASSERT_TRUE(QDir().mkpath(db.folder() + "shared"));
  ASSERT_TRUE(QFile::rename(live(), shared));
  ASSERT_TRUE(QFile::link(shared, live()));
  ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0600), 0);
  struct stat before {};
  ASSERT_EQ(::stat(QFile::encodeName(shared).constData(), &before), 0);
  // Root may hand the file to another owner, whom a rewritten copy would not keep.
  if (::geteuid() == 0) ASSERT_EQ(::chown(QFile::encodeName(shared).constData(), 65534, 65534), 0);
  resize(shared, 3001000);
  compact();
  EXPECT_TRUE(QFileInfo(live()).isSymLink());
  EXPECT_LT(QFileInfo(shared).size(), 100000);
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(shared).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(info.st_uid, ::geteuid() == 0 ? 65534u : before.st_uid);
  EXPECT_EQ(db.column("SELECT 曲名 FROM アニソンデータ管理 ORDER BY 曲名"),
            QStringList({"A", "B"}));
}

TEST_F(CompactTest, RunsOnlyWhenTheDatabaseOpenedAtStart) {
  s.dbState = SongDbState::Failed;
  compact();
  EXPECT_FALSE(QFileInfo::exists(work()));
  s.dbState = SongDbState::Open;
  s.useSongDb = 0;
  compact();
  EXPECT_FALSE(QFileInfo::exists(work()));
}

}  // namespace
}  // namespace sorv::test
