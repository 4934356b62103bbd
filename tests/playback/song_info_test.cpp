// What the song areas show, read from the recorded prints.
#include <gtest/gtest.h>

#include "panel/info/SongInfo.h"
#include "tests/common/FakeDecoder.h"
#include "tests/common/FakeView.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

// The texts drawn in colour (shadows and the empty lines that end ShadowPrint left out).
QStringList ColouredTexts(const PictureArea& area) {
  QStringList texts;
  for (const auto& print : area.prints())
    if (!print.text.isEmpty() && print.color != QColor(0, 0, 0)) texts << print.text;
  return texts;
}

const PictureArea::PrintRecord* FindPrint(const PictureArea& area, const QString& text,
                                          const QColor& color) {
  for (const auto& print : area.prints())
    if (print.text == text && print.color == color) return &print;
  return nullptr;
}

class SongInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeList(s, d, 1);
    s.ListInfo[1] = {1, 3, 44100, 2, 1, 192, 100, 4194304, 180};
  }
  void SetSong(const QString& kind) {
    s.SongTitle = "星空のオーバーチュア";
    s.SongArtist = "水無月しずく";
    s.SongProgram = "星空物語";
    s.SongKind = kind;
    s.SongGenre = "255";
    s.SongAnimeKind = "1";
    s.SongYear = "2024";
  }
  State s;
  FakeDecoder d;
  FakeView v;
};

TEST_F(SongInfoTest, ShadowPrintDrawsShadowThenTextThenMovesBelow) {
  PictureArea& area = v.mPanel;
  area.Cls();
  ShadowPrint(area, "abc", 10, 20, 30, 100, 200, 2);
  ASSERT_EQ(area.prints().size(), 3);
  const auto& shadow = area.prints()[0];
  const auto& text = area.prints()[1];
  EXPECT_EQ(shadow.color, QColor(0, 0, 0));
  EXPECT_DOUBLE_EQ(shadow.x, 116);
  EXPECT_DOUBLE_EQ(shadow.y, 216);
  EXPECT_EQ(text.color, QColor(10, 20, 30));
  EXPECT_DOUBLE_EQ(text.x, 84);
  EXPECT_DOUBLE_EQ(text.y, 184);
  EXPECT_EQ(area.prints()[2].text, QString());
  EXPECT_DOUBLE_EQ(area.currentX(), 0);
  EXPECT_DOUBLE_EQ(area.currentY(), 200 + area.TextHeight());
}

TEST_F(SongInfoTest, SongDetailForDatabaseSong) {
  SetSong("102");
  ShowSongDetail(s, v.aPanel);
  const QStringList texts = ColouredTexts(v.aPanel);
  ASSERT_GE(texts.size(), 11);
  EXPECT_EQ(texts[0], "TV 『 星空物語 』 より");
  EXPECT_EQ(texts[1], "　オープニングテーマ＃ 2");
  EXPECT_EQ(texts[2], "　2024年作品");
  EXPECT_EQ(texts.mid(3),
            QStringList({"  Data Format ", ": MPEG-1 Audio Layer 3", "  Mode", ": Joint stereo",
                         "  Bit Rate", ": 192kbit/s", "  File Size", ": 4,194,304 Bytes"}));
  const auto* songLine = FindPrint(v.aPanel, texts[1], QColor(190, 190, 255));
  ASSERT_NE(songLine, nullptr);
  EXPECT_DOUBLE_EQ(songLine->y, 280 - 16);
  const auto* value = FindPrint(v.aPanel, ": 192kbit/s", QColor(70, 250, 70));
  ASSERT_NE(value, nullptr);
  EXPECT_DOUBLE_EQ(value->x, 1000);
  EXPECT_EQ(value->fontName, "Arial");
  EXPECT_EQ(v.aPanel.fontName(), "ＭＳ Ｐゴシック");
}

TEST_F(SongInfoTest, SongTypeLinesByKind) {
  const QList<std::pair<QString, QString>> cases = {
      {"9301", "　エンディングテーマ＃ 1"}, {"400", "　挿入歌"},
      {"100", "　オープニングテーマ"},      {"200", "　テーマソング"},
      {"512", "　イメージソング・その他"},  {"9105", "　オープニングテーマ＃ 5"}};
  for (const auto& [kind, expected] : cases) {
    SetSong(kind);
    ShowSongDetail(s, v.aPanel);
    EXPECT_EQ(ColouredTexts(v.aPanel).value(1), expected) << kind.toStdString();
  }
  SetSong("700");
  ShowSongDetail(s, v.aPanel);
  EXPECT_EQ(ColouredTexts(v.aPanel).value(1), "　2024年作品");
}

TEST_F(SongInfoTest, ProgrammeLabelOnlyForAnimation) {
  SetSong("100");
  s.SongGenre = "254";
  ShowSongDetail(s, v.aPanel);
  EXPECT_EQ(ColouredTexts(v.aPanel).value(0), " 『 星空物語 』 より");
  s.SongGenre = "255";
  for (const auto& [kind, label] : QList<std::pair<QString, QString>>{
           {"2", "OVA"}, {"3", "映画"}, {"4", "TV特番"}, {"7", ""}}) {
    s.SongAnimeKind = kind;
    ShowSongDetail(s, v.aPanel);
    EXPECT_EQ(ColouredTexts(v.aPanel).value(0), label + " 『 星空物語 』 より");
  }
}

TEST_F(SongInfoTest, FileDataForUnknownSongVbrAndWma) {
  s.ListInfo[1].bitrate = 0;
  s.ListInfo[1].version = 3;
  s.ListInfo[1].layer = 2;
  s.ListInfo[1].mode = 3;
  ShowSongDetail(s, v.aPanel);
  EXPECT_EQ(ColouredTexts(v.aPanel),
            QStringList({"  Data Format ", ": MPEG-2.5 Audio Layer 2", "  Mode", ": Mono",
                         "  Bit Rate", ": VBR", "  File Size", ": 4,194,304 Bytes"}));
  // Without a database song there is no empty line first.
  EXPECT_DOUBLE_EQ(v.aPanel.prints()[0].y, 0);
  s.ListExt[1] = "wma";
  s.ListInfo[1].bitrate = 64;
  s.ListInfo[1].fileSize = 999;
  ShowSongDetail(s, v.aPanel);
  EXPECT_EQ(ColouredTexts(v.aPanel),
            QStringList({"  Data Format", ": Windows Media Audio", "  Bit Rate", ": 64kbit/s",
                         "  File Size", ": 999 Bytes"}));
  // Each value ends its line; the next label then stands 20 twips higher than a full line.
  const auto& prints = v.aPanel.prints();
  v.aPanel.setFontName("Arial");
  v.aPanel.setFontSize(7);
  EXPECT_DOUBLE_EQ(prints[2].y, prints[0].y + v.aPanel.TextHeight() - 20);
}

TEST_F(SongInfoTest, PlayListUpperCaseMp3IsStillMpeg) {
  s.ListExt[1] = "MP3";
  ShowSongDetail(s, v.aPanel);
  EXPECT_EQ(ColouredTexts(v.aPanel).value(1), ": MPEG-1 Audio Layer 3");
}

TEST_F(SongInfoTest, LyricsShowingLeaveNoFileData) {
  SetSong("100");
  s.HasLyrics = s.PlayState = s.LyricShow = 1;
  ShowSongDetail(s, v.aPanel);
  EXPECT_EQ(ColouredTexts(v.aPanel).size(), 3);
  s.LyricShow = 0;
  ShowSongDetail(s, v.aPanel);
  EXPECT_EQ(ColouredTexts(v.aPanel).size(), 11);
}

TEST_F(SongInfoTest, TrackTitleFromDatabaseTagOrFileName) {
  SetSong("100");
  s.SongArtist.clear();
  ShowTrackTitle(s, v.mPanel);
  EXPECT_EQ(ColouredTexts(v.mPanel), QStringList({"♪星空のオーバーチュア"}));
  // The database's empty artist still prints its (empty) line: shadow, text, line end.
  EXPECT_EQ(v.mPanel.prints().size(), 6);
  EXPECT_EQ(s.TitleText, "星空のオーバーチュア");

  s.SongTitle.clear();
  s.ListTag[1].title = std::string("  Tag title\0junk", 16);
  s.ListTag[1].artist = "  Someone  ";
  ShowTrackTitle(s, v.mPanel);
  EXPECT_EQ(ColouredTexts(v.mPanel).mid(1), QStringList({"♪Tag title", "Someone"}));
  EXPECT_EQ(s.TitleText, "Tag title");

  s.ListTag[1].title = "   ";
  s.ListTag[1].artist = " ";
  ShowTrackTitle(s, v.mPanel);
  EXPECT_EQ(ColouredTexts(v.mPanel).mid(3), QStringList({"♪01.mp3"}));
  EXPECT_EQ(s.TitleText, "01.mp3");
}

TEST_F(SongInfoTest, BarTitleLongAndShort) {
  SetSong("100");
  ShowBarTitle(s, v.mpanel2, 12001);
  EXPECT_EQ(ColouredTexts(v.mpanel2).value(0),
            "TV 『 星空物語 』 より　♪星空のオーバーチュア　/　水無月しずく");
  v.mpanel2.Cls();
  ShowBarTitle(s, v.mpanel2, 12000);
  EXPECT_EQ(ColouredTexts(v.mpanel2), QStringList({"♪星空のオーバーチュア　/　水無月しずく"}));
  const auto* title = FindPrint(v.mpanel2, ColouredTexts(v.mpanel2)[0], QColor(100, 240, 240));
  ASSERT_NE(title, nullptr);
  EXPECT_DOUBLE_EQ(title->x, 80 - 16);
  EXPECT_DOUBLE_EQ(title->y, 120 - 16);
  EXPECT_EQ(title->fontSize, 9);
}

QStringList ListRows(State& s, FakeDecoder& d, FakeView& v, int pos, int count) {
  s = State();
  MakeList(s, d, count);
  s.ListPos = static_cast<int16_t>(pos);
  v.mPanel.Cls();
  ShowListView(s, d, v.mPanel);
  return ColouredTexts(v.mPanel);
}

TEST_F(SongInfoTest, ListViewRows) {
  EXPECT_EQ(ListRows(s, d, v, 3, 3), QStringList({"Song 1", "Song 2", "Song 3"}));
  EXPECT_EQ(ListRows(s, d, v, 2, 10),
            QStringList({"Song 1", "Song 2", "Song 3", "Song 4", "Song 5", "Song 6"}));
  EXPECT_EQ(ListRows(s, d, v, 9, 10), QStringList({"Song 8", "Song 9", "Song 10"}));
  EXPECT_EQ(ListRows(s, d, v, 4, 4), QStringList({"Song 3", "Song 4"}));
  EXPECT_NE(FindPrint(v.mPanel, "Song 3", QColor(0, 0, 0)), nullptr);
  EXPECT_TRUE(ListRows(s, d, v, 0, 0).isEmpty());
}

TEST_F(SongInfoTest, ListViewReadsTagsOnceAndMarksCurrentRow) {
  d.fileInfoReads = 0;
  ListRows(s, d, v, 2, 3);
  EXPECT_EQ(d.fileInfoReads, 3);
  ShowListView(s, d, v.mPanel);
  EXPECT_EQ(d.fileInfoReads, 3);
  const auto* current = FindPrint(v.mPanel, "Song 2", QColor(0, 250, 250));
  ASSERT_NE(current, nullptr);
  EXPECT_DOUBLE_EQ(current->x, 30 - 32);
  EXPECT_NE(FindPrint(v.mPanel, "Song 1", QColor(0, 128, 128)), nullptr);
  s.ListTag[3].title = "  ";
  ShowListView(s, d, v.mPanel);
  EXPECT_EQ(ColouredTexts(v.mPanel).mid(6).value(2), "03.mp3");
}

TEST_F(SongInfoTest, IdlePanelAndTimeBar) {
  ShowIdlePanel(v.mPanel, "1.14");
  ASSERT_EQ(v.mPanel.prints().size(), 1);
  const auto& print = v.mPanel.prints()[0];
  EXPECT_EQ(print.text, "Ver.1.14");
  EXPECT_EQ(print.fontName, "Arial");
  EXPECT_TRUE(print.bold);
  EXPECT_EQ(print.color, QColor(0, 255, 255));
  EXPECT_DOUBLE_EQ(print.x, 2700);

  v.mPanel.FilledBox(100, 820, 2600, 920, Qt::red);
  v.mPanel.setForeColor(QColor(0, 168, 168));
  ClearTimeBar(v.mPanel);
  const QImage& image = v.mPanel.image();
  EXPECT_EQ(image.pixelColor(50, 58), v.mPanel.backColor());
  EXPECT_EQ(image.pixelColor(100, 54), QColor(0, 168, 168));
  EXPECT_EQ(image.pixelColor(6, 58), QColor(0, 168, 168));
}

}  // namespace
}  // namespace sorv::test
