// The sorvdb tool, run through its command entry with captured output.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QStandardPaths>

#include "decoder/TextEncoding.h"
#include "library/db/SongCsv.h"
#include "library/db/SongDb.h"
#include "library/db/TextBlocks.h"
#include "tests/library/LibraryTestDb.h"
#include "tests/library/SorvdbRun.h"

namespace sorv::test {
namespace {

TEST_F(SorvdbTest, InitRefusesToOverwriteWithoutForce) {
  const QString db = filePath("a.mdb");
  EXPECT_EQ(tool({"init", db}).code, 0);
  const ToolRun again = tool({"init", db});
  EXPECT_EQ(again.code, 1);
  EXPECT_TRUE(again.err.contains("--force"));
  EXPECT_EQ(tool({"init", db, "--force"}).code, 0);
}

TEST_F(SorvdbTest, UsageErrorsAndHelp) {
  EXPECT_EQ(tool({}).code, 2);
  EXPECT_EQ(tool({"frobnicate"}).code, 2);
  EXPECT_EQ(tool({"lookup", "only-db"}).code, 2);
  for (const char* command : {"init", "import-csv", "import-mdb", "export-csv", "lookup", "sql"}) {
    const ToolRun help = tool({command, "--help"});
    EXPECT_EQ(help.code, 0) << command;
    EXPECT_TRUE(help.out.startsWith("usage: sorvdb " + QString(command))) << command;
  }
}

TEST_F(SorvdbTest, DemoImportThenInitialSelectionQuery) {
  const QString db = filePath("demo.mdb");
  ASSERT_EQ(tool({"init", db}).code, 0);
  const ToolRun import =
      tool({"import-csv", db, QString(qgetenv("SORV_SOURCE_DIR")) + "/demo/songs.csv"});
  ASSERT_EQ(import.code, 0) << import.err.toStdString();
  EXPECT_EQ(tool({"sql", db,
                  "INSERT INTO 選択候補 VALUES ('kaze_no_ending.mp3','/d/'),"
                  "('hoshizora_opening.mp3','/d/'),('hoshizora_opening_k.mp3','/d/'),"
                  "('quest_theme.mp3','/d/'),('unregistered_demo.mp3','/d/')"})
                .code,
            0);
  const ToolRun rows = tool(
      {"sql", db,
       "SELECT タイトルA, ファイル名A FROM テンポラリ WHERE (ファイル名A IS NULL OR 選曲種別A IN "
       "(0,1,2,3,4,5)) AND (カラオケA = 0) AND アニメ種別A IN (1,2,3,4,5,0) ORDER BY ジャンルNoA "
       "DESC,kana_order(アニメタイトルかなA),アニメタイトルA,歌種別A ,歌連番A ,制作年A,カラオケA"});
  ASSERT_EQ(rows.code, 0) << rows.err.toStdString();
  EXPECT_EQ(rows.out,
            "星空のオーバーチュア\thoshizora_opening.mp3\n風のエンディング\tkaze_no_ending.mp3\n"
            "勇者の旅立ち\tquest_theme.mp3\nunregistered_demo.mp3\tunregistered_demo.mp3\n");
  const ToolRun lookup = tool({"lookup", db, "hoshizora_opening_k.mp3"});
  EXPECT_TRUE(lookup.out.contains("SongKind\t9101\n"));
  EXPECT_TRUE(lookup.out.contains("SongGenre\t255\n"));
}

TEST_F(SorvdbTest, BadRowNamesItsLineAndImportsNothing) {
  const QString db = filePath("b.mdb");
  tool({"init", db});
  const QString csv =
      writeFile("bad.csv", "ファイル名,曲名,カラオケ\r\na.mp3,\"two\nlines\",0\r\nb.mp3,B,yes\r\n");
  const ToolRun run = tool({"import-csv", db, csv});
  EXPECT_EQ(run.code, 1);
  EXPECT_TRUE(run.err.contains("line 4")) << run.err.toStdString();
  EXPECT_EQ(tool({"sql", db, "SELECT count(*) FROM アニソンデータ管理"}).out, "0\n");
  const QString unknown = writeFile("unknown.csv", "ファイル名,色\na.mp3,red\n");
  EXPECT_TRUE(tool({"import-csv", db, unknown}).err.contains("色"));
  const QString shortRow = writeFile("short.csv", "ファイル名,曲名\na.mp3\n");
  EXPECT_TRUE(tool({"import-csv", db, shortRow}).err.contains("line 2"));
  const QString unclosed = writeFile("unclosed.csv", "ファイル名,曲名\na.mp3,A\nb.mp3,\"cut\n");
  const ToolRun cut = tool({"import-csv", db, unclosed});
  EXPECT_EQ(cut.code, 1);
  EXPECT_TRUE(cut.err.contains("line 3") && cut.err.contains("never closed"))
      << cut.err.toStdString();
  const QString huge =
      writeFile("huge.csv", "ファイル名,カラオケ\na.mp3,1\nb.mp3,99999999999999999999\n");
  const ToolRun tooBig = tool({"import-csv", db, huge});
  EXPECT_EQ(tooBig.code, 1);
  EXPECT_TRUE(tooBig.err.contains("line 3") && tooBig.err.contains("column カラオケ") &&
              tooBig.err.contains("out of range"))
      << tooBig.err.toStdString();
  EXPECT_EQ(tool({"sql", db, "SELECT count(*) FROM アニソンデータ管理"}).out, "0\n");
}

TEST_F(SorvdbTest, LookupColumnsLeftOutTakeDefaultsOrAreNamedWithTheirLines) {
  // No カラオケ, アニメ種別 or アーティスト, and an empty number: the song still shows and plays.
  const QString csv =
      writeFile("short.csv",
                "ファイル名,曲名,番組名,番組名かな,歌種別,歌連番,発表年,ジャンルNo\n"
                "a.mp3,A,W,だぶる,1,,1999,255\nb.mp3,B,W,だぶる,3,2,1999,255\n");
  const QString db = filePath("new.mdb");
  tool({"init", db});
  const ToolRun import = tool({"import-csv", db, csv});
  ASSERT_EQ(import.code, 0) << import.err.toStdString();
  const ToolRun lookup = tool({"lookup", db, "a.mp3"});
  EXPECT_EQ(lookup.code, 0) << lookup.err.toStdString();
  EXPECT_TRUE(lookup.out.contains("SongKind\t100\nSongYear\t1999\nSongAnimeKind\t0\n"))
      << lookup.out.toStdString();
  tool({"sql", db, "INSERT INTO 選択候補 VALUES ('a.mp3','/d/'),('b.mp3','/d/')"});
  EXPECT_EQ(tool({"sql", db,
                  "SELECT ファイル名A FROM テンポラリ WHERE (カラオケA = 0) AND アニメ種別A IN "
                  "(1,2,3,4,5,0) ORDER BY ファイル名A"})
                .out,
            "a.mp3\nb.mp3\n");
  // A song table without those defaults (kept so by hand, as sorvdb rebuilds only earlier
  // forms): the import names the empty cells.
  LibraryTestDb old;
  old.useSongTableWithoutDefaults();
  const ToolRun refused = tool({"import-csv", old.path(), csv});
  EXPECT_EQ(refused.code, 1);
  for (const char* part : {"アーティスト: lines 2, 3", "カラオケ: lines 2, 3", "歌連番: line 2",
                           "アニメ種別: lines 2, 3", "nothing was imported"}) {
    EXPECT_TRUE(refused.err.contains(part)) << part << " in " << refused.err.toStdString();
  }
  EXPECT_FALSE(refused.err.contains("曲名:")) << refused.err.toStdString();
  EXPECT_EQ(old.column("SELECT count(*) FROM アニソンデータ管理"), QStringList({"0"}));
}

TEST_F(SorvdbTest, Cp932ImportAndExportRoundTrip) {
  const QString db = filePath("c.mdb");
  tool({"init", db});
  // "ファイル名,曲名" and a title with a comma and a quote, in CP932.
  const QByteArray cp932 =
      "\x83\x74\x83\x40\x83\x43\x83\x8b\x96\xbc,\x8b\xc8\x96\xbc\r\nx.mp3,\"\x89\xcc, "
      "\"\"q\"\"\"\r\n";
  ASSERT_EQ(tool({"import-csv", db, writeFile("sjis.csv", cp932)}).code, 0);
  EXPECT_EQ(tool({"sql", db, "SELECT 曲名 FROM アニソンデータ管理"}).out, "歌, \"q\"\n");
  const QString exported = tool({"export-csv", db}).out;
  const QString db2 = filePath("d.mdb");
  tool({"init", db2});
  ASSERT_EQ(tool({"import-csv", db2, writeFile("round.csv", exported.toUtf8())}).code, 0);
  EXPECT_EQ(tool({"export-csv", db2}).out, exported);
  // A column added by hand whose name holds a quote is exported like any other.
  ASSERT_EQ(tool({"sql", db2, "ALTER TABLE アニソンデータ管理 ADD COLUMN \"メモ\"\"\" TEXT"}).code,
            0);
  const ToolRun quoted = tool({"export-csv", db2});
  EXPECT_EQ(quoted.code, 0) << quoted.err.toStdString();
  EXPECT_TRUE(quoted.out.startsWith(exported.section('\n', 0, 0) + ",\"メモ\"\"\"\n"))
      << quoted.out.toStdString();
}

TEST_F(SorvdbTest, DamagedOrLockedDatabaseGivesAClearError) {
  const QString damaged = writeFile("damaged.mdb", QByteArray(8192, '\x5a'));
  for (const QStringList& args :
       {QStringList{"lookup", damaged, "a.mp3"}, QStringList{"sql", damaged, "SELECT 1 FROM x"},
        QStringList{"export-csv", damaged}}) {
    const ToolRun run = tool(args);
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("not a database")) << run.err.toStdString();
  }
  const QString db = filePath("locked.mdb");
  tool({"init", db});
  SqlDb locker(db);
  locker.execute("BEGIN EXCLUSIVE");
  const ToolRun run = tool({"lookup", db, "a.mp3"});
  EXPECT_EQ(run.code, 1);
  EXPECT_TRUE(run.err.contains("locked")) << run.err.toStdString();
  EXPECT_EQ(tool({"sql", db, "SELEC nonsense"}).code, 1);
}

TEST_F(SorvdbTest, ImportAgainReplacesSongsOfTheSameFileName) {
  const QString db = filePath("twice.mdb");
  tool({"init", db});
  const QString first =
      writeFile("first.csv", "ファイル名,曲名,歌種別\na.mp3,A,1\nb.mp3,B,2\nc.mp3,C,3\n");
  const QString count = "SELECT count(*) FROM アニソンデータ管理";
  // Each row names the file whose row the next import replaces: the same, or in other case, or
  // twice in one file (the later line wins).
  const QString changed =
      writeFile("changed.csv", "ファイル名,曲名,歌種別\nB.MP3,B2,4\nd.mp3,D,1\nd.mp3,D2,2\n");
  const struct {
    QString csv, printed, rows;
  } steps[] = {
      {first, "imported 3 songs\n", "a.mp3 A 1,b.mp3 B 2,c.mp3 C 3"},
      {first, "imported 3 songs (3 replaced)\n", "a.mp3 A 1,b.mp3 B 2,c.mp3 C 3"},
      {changed, "imported 3 songs (2 replaced)\n", "a.mp3 A 1,B.MP3 B2 4,c.mp3 C 3,d.mp3 D2 2"},
  };
  for (const auto& step : steps) {
    const ToolRun run = tool({"import-csv", db, step.csv});
    EXPECT_EQ(run.out.toStdString(), step.printed.toStdString()) << run.err.toStdString();
    EXPECT_EQ(tool({"sql", db,
                    "SELECT group_concat(ファイル名 || ' ' || 曲名 || ' ' || 歌種別, ',') FROM "
                    "(SELECT * FROM アニソンデータ管理 ORDER BY ファイル名)"})
                  .out,
              step.rows + "\n");
  }
  const ToolRun lookup = tool({"lookup", db, "b.mp3"});
  EXPECT_EQ(lookup.code, 0) << lookup.err.toStdString();
  EXPECT_TRUE(lookup.out.contains("SongTitle\tB2\n")) << lookup.out.toStdString();
}

// The real tool on a small and a ten times larger file: its peak memory must not follow the
// number of rows (it held about 1.8 KB a row when it read the whole file first). A spawned
// child's peak also counts this test's own size, so the files are written in pieces to keep it
// the same for both.
TEST_F(SorvdbTest, ImportMemoryDoesNotGrowWithTheRows) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizer keeps freed blocks in quarantine, so its peak grows with the work whatever
  // the importer holds; the plain build measures the importer itself.
  GTEST_SKIP() << "peak memory means nothing under AddressSanitizer";
#endif
  const QString sorvdb = qEnvironmentVariable("SORV_BINARY_DIR") + "/app/sorvdb/sorvdb";
  QVector<long> peakKb;
  for (const int rows : {20000, 200000}) {
    const QString db = filePath(QString::number(rows) + ".mdb");
    tool({"init", db});
    QFile csv(filePath(QString::number(rows) + ".csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("ファイル名,曲名,番組名かな\n");
    for (int i = 0; i < rows; ++i) csv.write(QByteArray::number(i) + ".mp3,曲,さくひん\n");
    csv.close();
    const ChildRun run = runChild(sorvdb, {"import-csv", db, csv.fileName()});
    ASSERT_EQ(run.out.toStdString(), "imported " + std::to_string(rows) + " songs\n");
    peakKb << run.peakRssKb;
  }
  EXPECT_LT(peakKb[1] - peakKb[0], 8 * 1024) << peakKb[0] << " KB, then " << peakKb[1] << " KB";
}

// The stock sqlite3 shell reads every table and view, their columns, and the views in the order
// of a reading, of a database made by sorvdb init, by the player's code and by the rebuild of an
// earlier form, which it could not read before (sorvdb says it rebuilt, the player does not).
TEST_F(SorvdbTest, StockSqliteShellReadsEveryTableAndView) {
  const QString shell = QStandardPaths::findExecutable("sqlite3");
  ASSERT_FALSE(shell.isEmpty()) << "no sqlite3 shell (scripts/setup.sh installs it)";
  const auto shellRead = [&](const QString& db) {
    QStringList reads{
        "SELECT 'order:' || group_concat(ファイル名A, ' ') FROM (SELECT * FROM "
        "テンポラリ ORDER BY アニメタイトルかなA)",
        "SELECT 'table order:' || group_concat(ファイル名, ' ') FROM (SELECT * FROM "
        "アニソンデータ管理 ORDER BY 番組名かな)"};
    const QString names =
        runChild(shell, {db, "SELECT name FROM sqlite_master WHERE type IN ('table', 'view')"}).out;
    for (const QString& name : names.split('\n', Qt::SkipEmptyParts)) {
      reads << "SELECT * FROM " + name << "SELECT name FROM pragma_table_info('" + name + "')";
    }
    return runChild(shell, {"-bail", db, reads.join("; ")});
  };
  const auto fill = [](LibraryTestDb& db) {
    db.addSongs({{.file = "a.mp3", .title = "A", .workKana = "かぜ"},
                 {.file = "b.mp3", .title = "B", .workKana = "あお"}});
  };
  const QString made = filePath("made.mdb");
  tool({"init", made});
  tool({"import-csv", made,
        writeFile("ab.csv", "ファイル名,曲名,番組名かな\na.mp3,A,かぜ\nb.mp3,B,あお\n")});
  LibraryTestDb byPlayer, rebuiltBySorvdb, rebuiltByPlayer;
  fill(byPlayer);
  for (LibraryTestDb* earlier : {&rebuiltBySorvdb, &rebuiltByPlayer}) {
    earlier->useEarlierForm(kKanaSongTable);
    fill(*earlier);
    EXPECT_NE(shellRead(earlier->path()).code, 0);
  }
  const ToolRun rebuild = tool({"lookup", rebuiltBySorvdb.path(), "a.mp3"});
  EXPECT_EQ(rebuild.err.toStdString(),
            ("sorvdb: brought " + rebuiltBySorvdb.path() + " to the current form\n").toStdString());
  EXPECT_TRUE(rebuild.out.contains("SongTitle\tA\n"));
  EXPECT_TRUE(tool({"lookup", rebuiltBySorvdb.path(), "a.mp3"}).err.isEmpty());  // once
  ASSERT_TRUE(songDbOpens(rebuiltByPlayer.path()));
  for (const QString& db :
       {made, byPlayer.path(), rebuiltBySorvdb.path(), rebuiltByPlayer.path()}) {
    tool({"sql", db, "INSERT INTO 選択候補 VALUES ('a.mp3', '/m/'), ('b.mp3', '/m/')"});
    const ChildRun read = shellRead(db);
    EXPECT_EQ(read.code, 0) << db.toStdString();
    EXPECT_TRUE(read.out.startsWith("order:b.mp3 a.mp3\ntable order:b.mp3 a.mp3\n"))
        << read.out.toStdString();
    EXPECT_TRUE(read.out.contains("\nアニメタイトルかなA\n")) << read.out.toStdString();
  }
}

// Read in blocks, a file becomes the same text as when decoded whole: blocks that agree on the
// encoding, a byte order mark, and blocks that disagree (the file is then judged whole).
TEST(TextBlocksTest, BlocksDecodeAsTheWholeFile) {
  const QByteArray cp932Line = "\x83\x74\x83\x40\x83\x43\x83\x8b,\x89\xcc\x82\xa4\r\n";
  const QByteArray latinLine = "caf\xe9,d\xe9j\xe0 vu\n";
  const QByteArray manyLines = cp932Line.repeated(40000);  // several blocks
  for (const QByteArray& file :
       {manyLines, "\xEF\xBB\xBF" + QByteArray("ユニ,コード\n").repeated(30000),
        manyLines + latinLine.repeated(40000), QByteArray("plain,ascii\n").repeated(30000)}) {
    QBuffer device;
    device.setData(file);
    device.open(QIODevice::ReadOnly);
    TextBlocks blocks(device);
    const FileCharset charset = detectFileCharset(blocks);
    blocks.rewind();
    std::string text;
    for (std::string_view block; blocks.next(block);) appendUtf8Block(block, charset, text);
    EXPECT_TRUE(text == decodeLegacyText(file.toStdString())) << file.left(20).toStdString();
  }
}

TEST(CsvTest, QuotedFieldsAndLineNumbers) {
  QVector<int> lines;
  const auto records = parseCsv("a,b\n\n\"x\ny\",\"\"\"\"\nlast,", &lines);
  ASSERT_EQ(records.size(), 3);
  EXPECT_EQ(records[1], QStringList({"x\ny", "\""}));
  EXPECT_EQ(records[2], QStringList({"last", ""}));
  EXPECT_EQ(lines, QVector<int>({1, 3, 5}));
  EXPECT_EQ(csvLine({"a,b", " pad", "q\"", "plain"}), "\"a,b\",\" pad\",\"q\"\"\",plain");
}

}  // namespace
}  // namespace sorv::test
