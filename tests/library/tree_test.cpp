// Building the song tree from the selection statement.
#include <gtest/gtest.h>

#include <QFont>

#include "decoder/ThreadedAudioEngine.h"
#include "library/select/Filter.h"
#include "library/select/SongTreeModel.h"
#include "library/select/TreeBuild.h"
#include "library/select/TreeImages.h"
#include "library/select/TreeText.h"
#include "tests/common/FakeEngine.h"
#include "tests/library/LibraryTestDb.h"

namespace sorv::test {
namespace {

TEST(TreeTextTest, songTypeIcon) {
  EXPECT_EQ(songTypeIcon("1", 0), 1);
  EXPECT_EQ(songTypeIcon("4", "0"), 4);
  EXPECT_EQ(songTypeIcon("5", 0), 5);
  EXPECT_EQ(songTypeIcon("x", 0), 5);
  EXPECT_EQ(songTypeIcon("", 0), 5);
  EXPECT_EQ(songTypeIcon("3", 1), 8);
  EXPECT_EQ(songTypeIcon("1", "1"), 8);
}

// The letter comes from the reading as it sorts: folded, a half-width mark joined to its kana.
TEST(TreeTextTest, IndexLetterOfAReading) {
  const struct {
    const char *reading, *letter;
  } cases[] = {
      {"がくえん", "か"}, {"ぞ", "そ"},     {"づ", "つ"},    {"ぼ", "ほ"},    {"ぱすた", "は"},
      {"ガンダム", "か"}, {"ｶﾞﾝﾀﾞﾑ", "か"}, {"ﾊﾟｽﾀ", "は"},  {"ﾊﾞﾗ", "は"},   {"ｶ", "か"},
      {"ｳﾞｧﾙｷｭｰﾚ", "ゔ"}, {"ヴァン", "ゔ"}, {"ｳｨﾝｸﾞ", "う"}, {"ＡＢＣ", "a"}, {"漢字", "漢"},
      {"𠮷野", "𠮷"},     {"ﾞ", "ﾞ"},       {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(indexLetter(c.reading), c.letter) << c.reading;
}

class TreeBuildTest : public ::testing::Test {
 protected:
  TreeBuildResult build(TreeOrder order, bool foundOnly = true, AudioEngine* engine = nullptr,
                        const std::atomic<bool>& cancelled = kNeverCancelled) {
    FilterBoxes boxes = initialFilterBoxes();
    boxes[0] = foundOnly;
    boxes[7] = true;  // karaoke rows too
    QString fromWhere;
    appendFilter(fromWhere, boxes, {});
    SqlDb sql(db.path());
    return buildSongTree(order, sql, fromWhere, engine ? *engine : decoder, tree, cancelled);
  }
  int nodeFor(const QString& key) { return tree.findKey(key); }
  QString text(const QString& key) {
    const int node = nodeFor(key);
    return node ? tree.node(node).text : QString("<missing %1>").arg(key);
  }
  QColor color(const QString& key) { return tree.colour(nodeFor(key)); }
  QString parentKey(const QString& key) { return tree.node(tree.node(nodeFor(key)).parent).key; }
  QStringList childTexts(const QString& key) {
    QStringList texts;
    for (int child : tree.node(nodeFor(key)).children) texts << tree.node(child).text;
    return texts;
  }

  LibraryTestDb db;
  FakeEngine decoder;
  SongTreeStore tree;
};

TEST_F(TreeBuildTest, EmptyResultLeavesTheTreeEmpty) {
  const TreeBuildResult result = build(TreeOrder::Anime);
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(result.songCount, 0);
  EXPECT_EQ(tree.nodeCount(), 0);
  EXPECT_EQ(countCaption(0, 0), "選曲（ 0000/0000 件）");
  EXPECT_EQ(countCaption(3, 123), "選曲（ 0003/0123 件）");
}

TEST_F(TreeBuildTest, AnimeOrderLevelsKeysAndColours) {
  db.addSongs(
      {{.file = "a.mp3", .title = "A", .work = "学園", .workKana = "がくえん"},
       {.file = "b.mp3", .title = "B", .work = "風", .workKana = "かぜ", .karaoke = 1},
       {.file = "c.mp3", .title = "C", .work = "パスタ", .workKana = "ぱすた"},
       {.file = "lost.mp3", .title = "L", .work = "幻", .workKana = "まぼろし"},
       {.file = "g.mp3", .title = "G", .work = "冒険", .workKana = "ぼうけん", .genre = 36}});
  db.addCandidates({{"a.mp3", "/m/"}, {"b.mp3", "/m/"}, {"c.mp3", "/m/"}, {"g.mp3", "/g/"}});
  const TreeBuildResult result = build(TreeOrder::Anime, false);
  ASSERT_TRUE(result.completed) << result.message.toStdString();
  EXPECT_EQ(result.songCount, 4);
  EXPECT_EQ(text("Genre255"), "アニメソング");
  EXPECT_EQ(text("Genre036"), "ゲームソング");
  EXPECT_EQ(tree.node(0).children.front(), nodeFor("Genre255"));  // genres descending
  // が and か share the index node か; ぱ falls under は.
  EXPECT_EQ(parentKey("255か学園"), "255か");
  EXPECT_EQ(parentKey("255か風"), "255か");
  EXPECT_EQ(text("255は"), "は");
  EXPECT_EQ(parentKey("/m/a.mp3"), "255か学園");
  EXPECT_EQ(color("/m/a.mp3"), kBlueNode);
  EXPECT_EQ(color("255か学園"), kBlackNode);
  EXPECT_EQ(color("255か"), kBlackNode);
  // A song without a file: grey leaf under a grey work, keyed by the record counter.
  EXPECT_EQ(text("未登録 4"), "L");
  EXPECT_EQ(color("未登録 4"), kGreyNode);
  EXPECT_EQ(color("255ま幻"), kGreyNode);
  EXPECT_EQ(color("255ま"), kGreyNode);
  EXPECT_EQ(nodeFor("Genre255"), 1);
  // What a view shows of it: picture, colour, bold groups, the tick, no own check box.
  const int rowsBuilt = tree.nodeCount();
  SongTreeModel model;
  model.replaceStore(std::make_unique<SongTreeStore>(std::move(tree)));
  const auto shown = [&](const QString& key, int role) {
    return model.indexOf(model.store().findKey(key)).data(role);
  };
  const auto image = [&](const QString& key) {
    return shown(key, Qt::DecorationRole).value<QIcon>().cacheKey();
  };
  EXPECT_EQ(model.store().nodeCount(), rowsBuilt);
  EXPECT_EQ(image("/m/b.mp3"), treeImage(8).cacheKey());
  EXPECT_EQ(image("/m/a.mp3"), treeImage(1).cacheKey());
  EXPECT_EQ(image("255か"), treeImage(6).cacheKey());
  EXPECT_EQ(image("255か学園"), treeImage(7).cacheKey());
  EXPECT_EQ(shown("255ま幻", Qt::ForegroundRole).value<QColor>(), kGreyNode);
  EXPECT_EQ(shown("/m/a.mp3", Qt::DisplayRole).toString(), "A");
  EXPECT_TRUE(shown("255か学園", Qt::FontRole).value<QFont>().bold());
  EXPECT_FALSE(shown("/m/a.mp3", Qt::FontRole).isValid());
  model.store().setTicked(model.store().findKey("/m/a.mp3"), true);
  EXPECT_EQ(shown("/m/a.mp3", Qt::CheckStateRole), Qt::Checked);
  EXPECT_EQ(shown("/m/c.mp3", Qt::CheckStateRole), Qt::Unchecked);
  const QModelIndex genre = model.indexOf(model.store().findKey("Genre036"));
  EXPECT_EQ(genre.row(), 1);
  EXPECT_EQ(model.parent(model.index(0, 0, genre)), genre);
  EXPECT_FALSE(model.flags(genre) & Qt::ItemIsUserCheckable);
  const QModelIndex work = model.index(0, 0, model.index(0, 0, genre));
  EXPECT_FALSE(model.flags(work) & Qt::ItemNeverHasChildren);
  EXPECT_TRUE(model.flags(model.index(0, 0, work)) & Qt::ItemNeverHasChildren);
}

// In every order of a reading, katakana, half-width kana and voiced pairs (ｶﾞ, ﾊﾟ, ｳﾞ) group
// and sort as their folded hiragana; ｳﾞ beside a reading with う is no duplicate, and the tree
// goes on to the next genre.
TEST_F(TreeBuildTest, ReadingsGroupAndSortAsTheyFoldInEveryOrder) {
  const struct {
    const char *file, *name, *reading, *letter;
  } songs[] = {{"m1.mp3", "マクロス", "マクロス", "ま"},
               {"m2.mp3", "魔法", "まほう", "ま"},
               {"m3.mp3", "ムー", "ﾑｰ", "む"},
               {"g1.mp3", "ガンダム", "ｶﾞﾝﾀﾞﾑ", "か"},
               {"g2.mp3", "風", "かぜ", "か"},
               {"p1.mp3", "パスタ", "ﾊﾟｽﾀ", "は"},
               {"v1.mp3", "ヴァン", "ゔぁん", "ゔ"},
               {"v2.mp3", "ヴァルキューレ", "ｳﾞｧﾙｷｭｰﾚ", "ゔ"},
               {"u1.mp3", "歌", "うた", "う"}};
  QVector<SongRow> rows;
  QVector<QPair<QString, QString>> files{{"game.mp3", "/m/"}};
  for (const auto& song : songs) {
    rows.append(SongRow{.file = song.file,
                        .title = song.name,
                        .titleKana = song.reading,
                        .artist = song.name,
                        .artistKana = song.reading,
                        .work = song.name,
                        .workKana = song.reading});
    files.append({QString(song.file), QString("/m/")});
  }
  rows.append(SongRow{.file = "game.mp3",
                      .title = "G",
                      .titleKana = "げーむ",
                      .artist = "G",
                      .artistKana = "げーむ",
                      .work = "G",
                      .workKana = "げーむ",
                      .genre = 36});
  db.addSongs(rows);
  db.addCandidates(files);
  for (const TreeOrder order : {TreeOrder::Anime, TreeOrder::Song, TreeOrder::Artist}) {
    tree = SongTreeStore();
    const TreeBuildResult result = build(order);
    ASSERT_TRUE(result.completed) << result.message.toStdString();
    EXPECT_TRUE(nodeFor("/m/game.mp3"));
    const int genre = nodeFor("Genre255");
    EXPECT_EQ(childTexts("Genre255"), QStringList({"う", "か", "は", "ま", "む", "ゔ"}))
        << int(order);
    for (const auto& song : songs) {
      int index = nodeFor(QString("/m/") + song.file);
      while (tree.node(index).parent != genre) index = tree.node(index).parent;
      EXPECT_EQ(tree.node(index).text, song.letter) << song.file << " in order " << int(order);
    }
  }
}

TEST_F(TreeBuildTest, UnregisteredFileUnderItsOwnGroupWithTagTitle) {
  db.addCandidates({{"tagged.mp3", "/u/"}, {"bare.mp3", "/u/"}});
  decoder.tags["/u/tagged.mp3"].title = "Tag Title";
  const TreeBuildResult result = build(TreeOrder::Anime);
  ASSERT_TRUE(result.completed);
  EXPECT_EQ(result.songCount, 2);
  EXPECT_EQ(text("/u/tagged.mp3"), "Tag Title");
  EXPECT_EQ(text("/u/bare.mp3"), "bare.mp3");
  EXPECT_EQ(parentKey("/u/bare.mp3"), "012未登録");
  EXPECT_EQ(text("012未登録"), "未登録");
  EXPECT_EQ(color("012未登録"), kBlackNode);
}

TEST_F(TreeBuildTest, NonAdjacentDuplicateWorkGivesTheMessage) {
  db.addSongs({{.file = "1.mp3", .title = "1", .work = "同じ", .workKana = "かa"},
               {.file = "2.mp3", .title = "2", .work = "別", .workKana = "かb"},
               {.file = "3.mp3", .title = "3", .work = "同じ", .workKana = "かc"}});
  db.addCandidates({{"1.mp3", "/m/"}, {"2.mp3", "/m/"}, {"3.mp3", "/m/"}});
  const TreeBuildResult result = build(TreeOrder::Anime);
  EXPECT_FALSE(result.completed);
  EXPECT_EQ(result.message,
            "ＤＢの登録内容に誤りがあります\r[階層１]:255\r[階層２]:か\r[階層３]:同じ\r"
            "重複してませんか？");
  EXPECT_TRUE(nodeFor("/m/2.mp3"));  // the nodes so far stay
  EXPECT_FALSE(nodeFor("/m/3.mp3"));
}

TEST_F(TreeBuildTest, SongArtistAndYearOrders) {
  db.addSongs({{.file = "a.mp3",
                .title = "歌",
                .titleKana = "うた",
                .artist = "歌手",
                .artistKana = "かしゅ",
                .work = "番組",
                .workKana = "ばんぐみ",
                .year = "1998",
                .genre = 200}});
  db.addCandidates({{"a.mp3", "/m/"}, {"bare.mp3", "/u/"}});
  ThreadedAudioEngine engine;  // the real ID3v1 names, which end at 191
  // In every order a genre without a name shows its number, and a found file without a song
  // row groups under 未登録, though the views give it no reading and no year.
  const auto buildIn = [&](TreeOrder order) {
    tree = SongTreeStore();
    const TreeBuildResult result = build(order, true, &engine);
    ASSERT_TRUE(result.completed) << result.message.toStdString();
    EXPECT_EQ(text("Genre200"), "200");
    const int unregistered = tree.node(nodeFor("/u/bare.mp3")).parent;
    EXPECT_EQ(tree.node(unregistered).text, "未登録");
    EXPECT_EQ(tree.node(unregistered).parent, nodeFor("Genre012"));
  };
  buildIn(TreeOrder::Song);
  EXPECT_EQ(text("/m/a.mp3"), "歌　(番組)");
  EXPECT_EQ(parentKey("/m/a.mp3"), "200う");
  buildIn(TreeOrder::Artist);
  EXPECT_EQ(parentKey("/m/a.mp3"), "200か歌手");
  EXPECT_EQ(text("/m/a.mp3"), "歌　(番組)");
  buildIn(TreeOrder::Year);
  EXPECT_EQ(text("2001998年"), "1998");
  EXPECT_EQ(parentKey("/m/a.mp3"), "2001998年番組");
  EXPECT_EQ(text("/m/a.mp3"), "歌");
}

TEST_F(TreeBuildTest, ACancelOrAnEngineErrorEndsTheBuild) {
  db.addSongs({{.file = "a.mp3", .title = "A", .work = "学園", .workKana = "がくえん"}});
  db.addCandidates({{"a.mp3", "/m/"}});
  const std::atomic<bool> cancelled{true};
  const TreeBuildResult dropped = build(TreeOrder::Anime, true, nullptr, cancelled);
  EXPECT_FALSE(dropped.completed);
  EXPECT_TRUE(dropped.message.isEmpty());
  EXPECT_EQ(tree.nodeCount(), 0);
  db.execute("DROP VIEW テンポラリ");
  const TreeBuildResult result = build(TreeOrder::Anime);
  EXPECT_FALSE(result.completed);
  EXPECT_TRUE(result.message.contains("テンポラリ")) << result.message.toStdString();
}

}  // namespace
}  // namespace sorv::test
