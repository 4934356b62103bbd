// The selection statement's FROM and WHERE text, and the rows it selects.
#include <gtest/gtest.h>

#include "library/select/Filter.h"
#include "tests/library/LibraryTestDb.h"

namespace sorv::test {
namespace {

QString filter(const FilterBoxes& boxes, const QString& search = {}) {
  QString sql = "SELECT *";
  appendFilter(sql, boxes, search);
  return sql;
}

FilterBoxes with(std::initializer_list<int> cleared, std::initializer_list<int> ticked = {}) {
  FilterBoxes boxes = initialFilterBoxes();
  for (int i : cleared) boxes[i] = false;
  for (int i : ticked) boxes[i] = true;
  return boxes;
}

// The statement text (the long search clause only at its end): no leading commas in the lists,
// no song type clause without a box, and the search trimmed with its quotes doubled.
TEST(FilterTextTest, BoxesAndSearchGiveTheStatementText) {
  const QString dont = "'*Don''t*'";
  const struct {
    QString text;
    FilterBoxes boxes;
    QString search{};
  } cases[] = {
      {"SELECT * FROM テンポラリ WHERE (ファイル名A IS NULL OR 選曲種別A IN (0,1,2,3,4,5)) AND "
       "(カラオケA = 0) AND アニメ種別A IN (1,2,3,4,5,0)",
       initialFilterBoxes()},
      {filter(initialFilterBoxes()), initialFilterBoxes(), "   "},
      {"SELECT * FROM テンポラリ２ WHERE (ファイル名A IS NULL OR 選曲種別A IN (3)) AND "
       "(カラオケA = 0) AND アニメ種別A IN (5,0)",
       with({0, 1, 2, 3, 5, 6, 8, 9, 10, 11})},
      {" AND アニメ種別A IN (4,5,0)", with({8, 9, 10})},
      {"SELECT * FROM テンポラリ WHERE (ファイル名A IS NULL) AND (カラオケA = 0)",
       with({1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12})},
      {"SELECT * FROM テンポラリ WHERE (ファイル名A IS NULL OR カラオケA = 1)",
       with({1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12}, {7})},
      {" AND (タイトルA like " + dont + " OR アニメタイトルA like " + dont +
           " OR アーティストA like " + dont + " OR アニメタイトルかなA like " + dont +
           " OR タイトルかなA like " + dont + " OR アーティストかなA like " + dont +
           " OR グループA like " + dont + ")",
       initialFilterBoxes(), " Don't "},
  };
  for (const auto& c : cases) {
    const QString text = filter(c.boxes, c.search);
    EXPECT_TRUE(text.endsWith(c.text)) << text.toStdString();
  }
}

class FilterRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.addSongs(
        {{.file = "op.mp3", .title = "OP", .type = "1", .kind = 1},
         {.file = "theme.mp3", .title = "TH", .type = "2", .kind = 2},
         {.file = "ed.mp3", .title = "ED", .type = "3", .kind = 3},
         {.file = "ins.mp3", .title = "IN", .type = "4", .kind = 4},
         {.file = "img.mp3", .title = "IM", .type = "5", .kind = 5},
         {.file = "op_k.mp3", .title = "OPK", .type = "1", .karaoke = 1, .kind = 1},
         {.file = "grp.mp3", .title = "Don't", .artist = "ねこ", .kind = 1, .group = "Group X"}});
    db.addCandidates({{"op.mp3", "/m/"},
                      {"theme.mp3", "/m/"},
                      {"ed.mp3", "/m/"},
                      {"ins.mp3", "/m/"},
                      {"img.mp3", "/m/"},
                      {"op_k.mp3", "/m/"},
                      {"grp.mp3", "/m/"},
                      {"stray.mp3", "/m/"}});
  }
  QStringList titles(const FilterBoxes& boxes, const QString& search = {}) {
    QString sql = "SELECT タイトルA";
    appendFilter(sql, boxes, search);
    return db.column(sql + " ORDER BY タイトルA");
  }
  LibraryTestDb db;
};

TEST_F(FilterRowsTest, EachBoxAndTheSearchSelectTheirSongs) {
  // Each song type box alone (box 1 also takes the files without a song row).
  const QStringList songTypeBoxes[] = {{"stray.mp3"}, {"Don't", "OP"}, {"ED"},
                                       {"IN"},        {"TH"},          {"IM"}};
  for (int box = 1; box <= 6; ++box) {
    FilterBoxes boxes = with({1, 2, 3, 4, 5, 6});
    boxes[box] = true;
    EXPECT_EQ(titles(boxes), songTypeBoxes[box - 1]) << "box " << box;
  }
  const struct {
    FilterBoxes boxes;
    QString search;
    QStringList titles;
  } cases[] = {
      {with({1, 2, 3, 4, 5, 6}, {7}), {}, {"OPK"}},
      {with({}, {7}), {}, {"Don't", "ED", "IM", "IN", "OP", "OPK", "TH", "stray.mp3"}},
      {with({8, 9, 10, 11}), {}, {"IM", "stray.mp3"}},
      {with({8, 10, 11, 12}), {}, {"TH"}},
      {initialFilterBoxes(), "don't", {"Don't"}},
      {initialFilterBoxes(), "group x", {"Don't"}},
      {initialFilterBoxes(), "ね", {"Don't"}},
      {initialFilterBoxes(), "stray", {"stray.mp3"}},
      {initialFilterBoxes(), "%", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(titles(c.boxes, c.search), c.titles) << c.search.toStdString();
}

TEST_F(FilterRowsTest, KanaWidthAndCaseSpellingsFindTheSameSongs) {
  db.addSongs({{.file = "1.mp3", .title = "翔べ！ガンダム", .titleKana = "とべがんだむ"},
               {.file = "2.mp3", .title = "GUNDAM march"},
               {.file = "3.mp3", .title = "ｶﾞﾝﾀﾞﾑ ｽﾋﾟﾘｯﾂ"},
               {.file = "4.mp3", .title = "Tonight's Dance", .artist = "カンタム"},
               {.file = "5.mp3", .title = "ＧＵＮＤＡＭ", .work = "機動戦士"}});
  db.addCandidates(
      {{"1.mp3", "/m/"}, {"2.mp3", "/m/"}, {"3.mp3", "/m/"}, {"4.mp3", "/m/"}, {"5.mp3", "/m/"}});
  const auto titles = [&](const QString& search) {
    return FilterRowsTest::titles(initialFilterBoxes(), search);
  };
  const QStringList kana = {"翔べ！ガンダム", "ｶﾞﾝﾀﾞﾑ ｽﾋﾟﾘｯﾂ"};
  for (const QString spelling : {"ガンダム", "がんだむ", "ｶﾞﾝﾀﾞﾑ", "ガン?ム", "ｶﾞ*ﾑ"})
    EXPECT_EQ(titles(spelling), kana) << spelling.toStdString();
  const QStringList latin = {"GUNDAM march", "ＧＵＮＤＡＭ"};
  for (const QString spelling : {"ＧＵＮＤＡＭ", "gundam", "Gun*am"})
    EXPECT_EQ(titles(spelling), latin) << spelling.toStdString();
  // A voiced kana is not its unvoiced twin; apostrophes and full-width wildcards are text.
  EXPECT_EQ(titles("かんたむ"), QStringList({"Tonight's Dance"}));
  EXPECT_EQ(titles("ｽﾋﾟﾘｯﾂ"), QStringList({"ｶﾞﾝﾀﾞﾑ ｽﾋﾟﾘｯﾂ"}));
  EXPECT_EQ(titles("tonight's"), QStringList({"Tonight's Dance"}));
  EXPECT_TRUE(titles("ガン＊ム").isEmpty());
}

}  // namespace
}  // namespace sorv::test
