#include "panel/sound/LyricRows.h"
#include "tests/sound/SoundFixture.h"

namespace sorv::test {
namespace {

class LyricRowsTest : public SoundFixture {
 protected:
  LyricRowsTest() {
    s.PlayState = 1;
    s.HasLyrics = 1;
    s.LyricShow = 1;
    for (int i = 0; i < 5; ++i) d.lyrics.slot[i] = "slot " + std::to_string(i + 1);
  }

  // The coloured (second) print of every row, in print order.
  QVector<PictureArea::PrintRecord> ColouredPrints() {
    QVector<PictureArea::PrintRecord> rows;
    for (const auto& p : v.aPanel.prints()) {
      if (!p.text.isEmpty() && p.color != QColor(0, 0, 0)) rows.push_back(p);
    }
    return rows;
  }
};

TEST_F(LyricRowsTest, RowsShowSlotsFiveToOneWithTheirColoursAndSizes) {
  scope.Timer3_Timer();
  const auto rows = ColouredPrints();
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
  EXPECT_EQ(v.aPanel.fontSize(), 8);
  EXPECT_EQ(v.lyricLabels,
            (std::array<QString, 5>{"slot 5", "slot 4", "slot 3", "slot 2", "slot 1"}));
}

TEST_F(LyricRowsTest, LyricAreaIsFilledBelowTheSongLines) {
  scope.Timer3_Timer();
  const QImage& image = v.aPanel.image();
  EXPECT_EQ(image.pixelColor(0, 44), QColor(0, 70, 0));  // 650 twips = 43.3 px
  EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(0, 70, 0));
  EXPECT_EQ(image.pixelColor(0, 40), QColor(0, 0, 128));
}

TEST_F(LyricRowsTest, OneChangedSlotRepaintsAllFiveRows) {
  scope.Timer3_Timer();
  v.aPanel.Cls();
  scope.Timer3_Timer();
  EXPECT_TRUE(ColouredPrints().isEmpty()) << "unchanged lines are not repainted";
  EXPECT_EQ(v.lyricLabelWrites, 1);

  d.lyrics.slot[0] = "new slot 1";
  scope.Timer3_Timer();
  const auto rows = ColouredPrints();
  ASSERT_EQ(rows.size(), 5);
  EXPECT_EQ(rows[0].text, "slot 5");
  EXPECT_EQ(rows[4].text, "new slot 1");
  EXPECT_EQ(v.lyricLabelWrites, 2);
  EXPECT_EQ(v.lyricLabels[4], "new slot 1");
}

TEST_F(LyricRowsTest, FieldsAreCutAtTheFirstNulButKeptWhole) {
  d.lyrics.slot[2] = std::string("shown\0hidden", 12);
  scope.Timer3_Timer();
  EXPECT_EQ(v.lyricLabels[2], "shown");
  EXPECT_EQ(s.LyricLines[2].size(), 12);
  EXPECT_EQ(s.LyricLines[0], "slot 5");
  EXPECT_EQ(TrimNull(QString("no nul")), "no nul");
}

TEST_F(LyricRowsTest, LyricsWindowIsLeftAloneWhileItIsClosed) {
  s.LyricShow = 0;
  scope.Timer3_Timer();
  EXPECT_EQ(v.lyricLabelWrites, 0);
  EXPECT_EQ(ColouredPrints().size(), 5);
  EXPECT_EQ(s.LyricLines[4], "slot 1");
}

TEST_F(LyricRowsTest, NoLyricsOrNoPlaybackFetchesNothing) {
  s.HasLyrics = 0;
  scope.Timer3_Timer();
  s.HasLyrics = 1;
  s.PlayState = 0;
  scope.Timer3_Timer();
  EXPECT_TRUE(v.aPanel.prints().isEmpty());
  EXPECT_TRUE(s.LyricLines[0].isEmpty());
}

}  // namespace
}  // namespace sorv::test
