#include "panel/sound/LyricRows.h"
#include "tests/sound/SoundFixture.h"

namespace sorv::test {
namespace {

class LyricRowsTest : public SoundFixture {
 protected:
  LyricRowsTest() {
    s.playState = 1;
    s.hasLyrics = 1;
    s.lyricShow = 1;
    for (int i = 0; i < 5; ++i) d.lyricsRecord.slot[i] = "slot " + std::to_string(i + 1);
  }

  // The coloured (second) print of every row, in print order.
  QVector<PictureArea::PrintRecord> colouredPrints() {
    QVector<PictureArea::PrintRecord> rows;
    for (const auto& p : v.aPanelArea.prints()) {
      if (!p.text.isEmpty() && p.color != QColor(0, 0, 0)) rows.push_back(p);
    }
    return rows;
  }
};

TEST_F(LyricRowsTest, RowsShowSlotsFiveToOneWithTheirColoursAndSizes) {
  scope.scopeTick();
  const auto rows = colouredPrints();
  ASSERT_EQ(rows.size(), 5);
  const char* texts[] = {"slot 5", "slot 4", "slot 3", "slot 2", "slot 1"};
  const double ys[] = {700 - 8, 870 - 8, 1040 - 24, 1230 - 8, 1400 - 8};
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(rows[row].text, texts[row]);
    EXPECT_DOUBLE_EQ(rows[row].y, ys[row]);
    const bool current = row == 2;
    EXPECT_EQ(rows[row].color, current ? QColor(80, 255, 160) : QColor(60, 170, 60));
    EXPECT_EQ(rows[row].fontSize, current ? 9 : 8);
  }
  EXPECT_EQ(v.aPanelArea.fontSize(), 8);
  EXPECT_EQ(v.lyricLabels,
            (std::array<QString, 5>{"slot 5", "slot 4", "slot 3", "slot 2", "slot 1"}));
}

TEST_F(LyricRowsTest, LyricAreaIsFilledBelowTheSongLines) {
  scope.scopeTick();
  const QImage& image = v.aPanelArea.image();
  EXPECT_EQ(image.pixelColor(0, 44), QColor(0, 70, 0));  // 650 twips = 43.3 px
  EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(0, 70, 0));
  EXPECT_EQ(image.pixelColor(0, 40), QColor(0, 0, 128));
}

TEST_F(LyricRowsTest, OneChangedSlotRepaintsAllFiveRows) {
  scope.scopeTick();
  v.aPanelArea.cls();
  scope.scopeTick();
  EXPECT_TRUE(colouredPrints().isEmpty()) << "unchanged lines are not repainted";
  EXPECT_EQ(v.lyricLabelWrites, 1);

  d.lyricsRecord.slot[0] = "new slot 1";
  scope.scopeTick();
  const auto rows = colouredPrints();
  ASSERT_EQ(rows.size(), 5);
  EXPECT_EQ(rows[0].text, "slot 5");
  EXPECT_EQ(rows[4].text, "new slot 1");
  EXPECT_EQ(v.lyricLabelWrites, 2);
  EXPECT_EQ(v.lyricLabels[4], "new slot 1");
}

TEST_F(LyricRowsTest, FieldsAreCutAtTheFirstNulButKeptWhole) {
  d.lyricsRecord.slot[2] = std::string("shown\0hidden", 12);
  scope.scopeTick();
  EXPECT_EQ(v.lyricLabels[2], "shown");
  EXPECT_EQ(s.lyricLines[2].size(), 12);
  EXPECT_EQ(s.lyricLines[0], "slot 5");
  EXPECT_EQ(trimNull(QString("no nul")), "no nul");
}

TEST_F(LyricRowsTest, LyricsWindowIsLeftAloneWhileItIsClosed) {
  s.lyricShow = 0;
  scope.scopeTick();
  EXPECT_EQ(v.lyricLabelWrites, 0);
  EXPECT_EQ(colouredPrints().size(), 5);
  EXPECT_EQ(s.lyricLines[4], "slot 1");
}

TEST_F(LyricRowsTest, NoLyricsOrNoPlaybackFetchesNothing) {
  s.hasLyrics = 0;
  scope.scopeTick();
  s.hasLyrics = 1;
  s.playState = 0;
  scope.scopeTick();
  EXPECT_TRUE(v.aPanelArea.prints().isEmpty());
  EXPECT_TRUE(s.lyricLines[0].isEmpty());
}

}  // namespace
}  // namespace sorv::test
