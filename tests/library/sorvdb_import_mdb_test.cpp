// sorvdb import-mdb: a Jet song database, written by the test, read by libmdb into our schema.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "tests/library/JetFileWriter.h"
#include "tests/library/LibraryTestDb.h"
#include "tests/library/SorvdbRun.h"

namespace sorv::test {
namespace {

const QString kSongs = "アニソンデータ管理";

// The song table of an old database: the ten classic fields, the readings, and two columns our
// schema does not know (備考, 登録番号). Karaoke is a Yes/No column, the year a number.
JetTable oldSongTable() {
  JetTable table{kSongs,
                 {{"ファイル名", JetType::Text},
                  {"曲名", JetType::Text},
                  {"曲名かな", JetType::Text},
                  {"アーティスト", JetType::Text},
                  {"アーティストかな", JetType::Text},
                  {"番組名", JetType::Text},
                  {"番組名かな", JetType::Text},
                  {"カラオケ", JetType::Bool},
                  {"歌種別", JetType::Text, 2},
                  {"歌連番", JetType::Int},
                  {"発表年", JetType::LongInt},
                  {"アニメ種別", JetType::Byte},
                  {"ジャンルNo", JetType::Int},
                  {"備考", JetType::Text},
                  {"登録番号", JetType::LongInt}},
                 {}};
  table.rows << QVariantList{"opening's.mp3",
                             "It's 星空のオーバーチュア",
                             "いっつほしぞら",
                             "歌手A",
                             "かしゅえー",
                             "星空のアニメ",
                             "ほしぞらのあにめ",
                             false,
                             "1",
                             1,
                             1998,
                             1,
                             255,
                             "メモ",
                             7};
  table.rows << QVariantList{"kaze_ending.mp3",
                             "風のエンディング",
                             QVariant(),
                             "Singer B",
                             "しんがーびー",
                             "風の物語",
                             "",
                             true,
                             "3",
                             12,
                             QVariant(),
                             QVariant(),
                             254,
                             QVariant(),
                             8};
  table.rows << QVariantList{
      "plain.mp3", "Plain Song", "ぷれーん", "Artist", "あーてぃすと", "Game",
      "げーむ",    false,        "2",        -3,       2001,           5,
      36,          "",           9};
  return table;
}

// A song table too long for one data page.
JetTable manySongs() {
  JetTable many{kSongs, {{"ファイル名", JetType::Text}, {"歌連番", JetType::Int}}, {}};
  for (int i = 0; i < 600; ++i) many.rows << QVariantList{QString("曲%1.mp3").arg(i), i};
  return many;
}

class ImportMdbTest : public SorvdbTest {
 protected:
  QString writeJet(const QString& name, const QVector<JetTable>& tables) {
    return writeFile(name, buildJetFile(tables));
  }
  QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
  // Imports the old song table into db.
  ToolRun importOld() {
    const ToolRun run = tool({"import-mdb", writeJet("old.mdb", {oldSongTable()}), db});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    return run;
  }
  // The output of a statement run on db.
  QString sql(const QString& statement) {
    const ToolRun run = tool({"sql", db, statement});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    return run.out;
  }
  const QString db = filePath("sorvdb.mdb");
};

TEST_F(ImportMdbTest, CopiesTheSongsAsWrittenAndListsWhatItLeftOut) {
  const ToolRun run = importOld();
  EXPECT_TRUE(run.out.endsWith("imported 3 songs into " + db + "\n")) << run.out.toStdString();
  EXPECT_EQ(sql("SELECT ファイル名, 曲名, 曲名かな, アーティスト, アーティストかな, 番組名, "
                "番組名かな, 歌種別 FROM アニソンデータ管理 ORDER BY rowid"),
            "opening's.mp3\tIt's 星空のオーバーチュア\tいっつほしぞら\t歌手A\tかしゅえー\t"
            "星空のアニメ\tほしぞらのあにめ\t1\n"
            "kaze_ending.mp3\t風のエンディング\t\tSinger B\tしんがーびー\t風の物語\t\t3\n"
            "plain.mp3\tPlain Song\tぷれーん\tArtist\tあーてぃすと\tGame\tげーむ\t2\n");
  // Numbers stay integers in integer columns, a Jet number in a text column becomes its text,
  // a Yes/No becomes 1 or 0, and NULL takes the column's default.
  EXPECT_EQ(sql("SELECT quote(カラオケ), quote(歌連番), quote(発表年), quote(アニメ種別), "
                "quote(ジャンルNo) FROM アニソンデータ管理 ORDER BY rowid"),
            "0\t1\t'1998'\t1\t255\n1\t12\t''\t0\t254\n0\t-3\t'2001'\t5\t36\n");
  // Columns our schema does not know are listed and skipped; ours the old table lacks are named.
  EXPECT_TRUE(run.out.contains("skipped column 備考 (the song table has no such column)\n"));
  EXPECT_TRUE(run.out.contains("skipped column 登録番号 (the song table has no such column)\n"));
  EXPECT_FALSE(run.out.contains("skipped column ファイル名"));
  EXPECT_TRUE(run.out.contains("not in the old song table: グループ\n"));
  EXPECT_EQ(sql("SELECT count(*) FROM pragma_table_info('アニソンデータ管理') "
                "WHERE name IN ('備考', '登録番号')"),
            "0\n");
  EXPECT_EQ(sql("SELECT DISTINCT quote(グループ) FROM アニソンデータ管理"), "''\n");
  // A song without readings is listed once; its NULL reading takes the schema's default, so the
  // player's tree never sees a NULL.
  EXPECT_TRUE(run.out.contains("no kana reading: kaze_ending.mp3 (曲名かな, 番組名かな)\n"))
      << run.out.toStdString();
  EXPECT_EQ(run.out.count("no kana reading:"), 1);
  EXPECT_EQ(sql("SELECT quote(曲名かな), quote(番組名かな) FROM アニソンデータ管理 "
                "WHERE ファイル名 = 'kaze_ending.mp3'"),
            "''\t''\n");
}

TEST_F(ImportMdbTest, ThePlayerFindsAnImportedSongWhoseNameHasAnApostrophe) {
  importOld();
  const ToolRun lookup = tool({"lookup", db, "opening's.mp3"});
  EXPECT_TRUE(lookup.out.contains("SongTitle\tIt's 星空のオーバーチュア\n"))
      << lookup.out.toStdString();
  EXPECT_TRUE(lookup.out.contains("SongKind\t101\n")) << lookup.out.toStdString();
  EXPECT_TRUE(lookup.out.contains("SongYear\t1998\n")) << lookup.out.toStdString();
}

TEST_F(ImportMdbTest, AnOldTableWithoutReadingsListsEverySong) {
  JetTable bare{kSongs, {{"ファイル名", JetType::Text}, {"曲名", JetType::Text}}, {}};
  bare.rows << QVariantList{"a.mp3", "A"} << QVariantList{QVariant(), "B"};
  const ToolRun run = tool({"import-mdb", writeJet("bare.mdb", {bare}), filePath("new.mdb")});
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  EXPECT_TRUE(
      run.out.contains("no kana reading: a.mp3 (曲名かな, 番組名かな, アーティストかな)\n"));
  EXPECT_TRUE(run.out.contains("no kana reading: row 2 (曲名かな, 番組名かな, アーティストかな)\n"))
      << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("not in the old song table: 曲名かな\n"));
}

TEST_F(ImportMdbTest, ManySongsOverSeveralDataPages) {
  ASSERT_EQ(tool({"import-mdb", writeJet("old.mdb", {manySongs()}), db}).code, 0);
  EXPECT_EQ(sql("SELECT count(*), sum(歌連番), max(ファイル名) FROM アニソンデータ管理"),
            "600\t179700\t曲99.mp3\n");
}

// The last data page of a Jet file: the damage libmdb reads past without a word.
int LastDataPage(const QByteArray& jet) {
  for (int page = jet.size() / 4096 - 1; page > 0; --page) {
    if (jet[page * 4096] == '\x01' && jet[page * 4096 + 1] == '\x01') return page;
  }
  return -1;
}

TEST_F(ImportMdbTest, BadOldFilesGiveAClearMessageAndWriteNothing) {
  const QString sqlite = filePath("sqlite.mdb");
  ASSERT_EQ(tool({"init", sqlite}).code, 0);
  const QByteArray jet = buildJetFile({oldSongTable()});
  const QByteArray big = buildJetFile({manySongs()});
  const int last = LastDataPage(big);
  ASSERT_GT(last, 0);
  QByteArray miscounted = big;
  miscounted[last * 4096 + 12] = char(miscounted[last * 4096 + 12] + 25);
  QByteArray pageGone = big;
  pageGone.remove(last * 4096, 4096);
  const QVector<QPair<QString, QString>> cases{
      {filePath("missing.mdb"), "no such file"},
      {sqlite, "not a Jet database"},
      {writeFile("random.mdb", QByteArray(9000, '\x5a')), "not a Jet database"},
      {writeFile("empty.mdb", QByteArray()), "not a Jet database"},
      {writeJet("other.mdb", {JetTable{"選択候補", {{"ファイル名", JetType::Text}}, {}}}),
       "has no table アニソンデータ管理"},
      {writeFile("cut.mdb", jet.left(4 * 4096)), "cannot read the definition"},
      {writeFile("half_page.mdb", big.left(big.size() - 100)), "cut short"},
      {writeFile("page_gone.mdb", pageGone), "rows of table アニソンデータ管理: a damaged file"},
      {writeFile("miscounted.mdb", miscounted), "a damaged"},
  };
  const QStringList before = files();
  for (const auto& [old, message] : cases) {
    const ToolRun run = tool({"import-mdb", old, filePath("new.mdb")});
    EXPECT_EQ(run.code, 1) << old.toStdString();
    EXPECT_TRUE(run.err.startsWith("sorvdb: " + old)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("nothing was written")) << run.err.toStdString();
    EXPECT_EQ(files(), before) << old.toStdString();
  }
}

TEST_F(ImportMdbTest, AnExistingDatabaseIsKeptUnlessForcedAndThenOnlyReplacedWhenDone) {
  const QString old = writeJet("old.mdb", {oldSongTable()});
  writeFile("sorvdb.mdb", "precious");
  const ToolRun refused = tool({"import-mdb", old, db});
  EXPECT_EQ(refused.code, 1);
  EXPECT_TRUE(refused.err.contains("--force"));
  const QString other = writeJet("other.mdb", {JetTable{"表", {{"列", JetType::Text}}, {}}});
  EXPECT_EQ(tool({"import-mdb", other, db, "--force"}).code, 1);
  EXPECT_EQ(tool({"import-mdb", old, old, "--force"}).code, 1);
  QFile kept(db);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "precious");
  EXPECT_EQ(QFileInfo(old).size(), 6 * 4096);  // the Jet file itself is never overwritten
  ASSERT_EQ(tool({"import-mdb", old, db, "--force"}).code, 0);
  EXPECT_EQ(sql("SELECT count(*) FROM アニソンデータ管理"), "3\n");
  EXPECT_EQ(files(), QStringList({"old.mdb", "other.mdb", "sorvdb.mdb"}));
}

TEST_F(ImportMdbTest, AnUnwritableTargetIsReportedAndUsageIsChecked) {
  const QString old = writeJet("old.mdb", {oldSongTable()});
  const ToolRun run = tool({"import-mdb", old, filePath("no-such-folder/sorvdb.mdb")});
  EXPECT_EQ(run.code, 1);
  EXPECT_TRUE(run.err.contains("cannot write in its folder")) << run.err.toStdString();
  EXPECT_EQ(tool({"import-mdb", old}).code, 2);
  EXPECT_EQ(tool({"import-mdb", old, filePath("a"), filePath("b")}).code, 2);
}

}  // namespace
}  // namespace sorv::test
