// What the song areas show, read from the recorded prints.
#include <gtest/gtest.h>

#include "playback/SongInfo.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

// The texts drawn in colour (shadows and the empty lines that end shadowPrint left out).
QStringList colouredTexts(const PictureArea& area) {
  QStringList texts;
  for (const auto& print : area.prints())
    if (!print.text.isEmpty() && print.color != QColor(0, 0, 0)) texts << print.text;
  return texts;
}

const PictureArea::PrintRecord* findPrint(const PictureArea& area, const QString& text,
                                          const QColor& color) {
  for (const auto& print : area.prints())
    if (print.text == text && print.color == color) return &print;
  return nullptr;
}

class SongInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    makeList(s, d, 1);
    s.entry(1).stream = {1, 3, 44100, 2, 1, 192, 100, 4194304, 180};
  }
  void setSong(const QString& kind) {
    s.songTitle = "星空のオーバーチュア";
    s.songArtist = "水無月しずく";
    s.songProgram = "星空物語";
    s.songKind = kind;
    s.songGenre = "255";
    s.songAnimeKind = "1";
    s.songYear = "2024";
  }
  State s;
  FakeEngine d;
  FakeView v;
};

TEST_F(SongInfoTest, ShadowPrintDrawsShadowThenTextThenMovesBelow) {
  PictureArea& area = v.mPanelArea;
  area.cls();
  shadowPrint(area, "abc", 10, 20, 30, 100, 200, 2);
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
  EXPECT_DOUBLE_EQ(area.currentY(), 200 + area.textHeight());
}

TEST_F(SongInfoTest, SongDetailForDatabaseSong) {
  setSong("102");
  showSongDetail(s, v.aPanelArea);
  const QStringList texts = colouredTexts(v.aPanelArea);
  ASSERT_GE(texts.size(), 11);
  EXPECT_EQ(texts[0], "TV 『 星空物語 』 より");
  EXPECT_EQ(texts[1], "　オープニングテーマ＃ 2");
  EXPECT_EQ(texts[2], "　2024年作品");
  EXPECT_EQ(texts.mid(3),
            QStringList({"  Data Format ", ": MPEG-1 Audio Layer 3", "  Mode", ": Joint stereo",
                         "  Bit Rate", ": 192kbit/s", "  File Size", ": 4,194,304 Bytes"}));
  const auto* songLine = findPrint(v.aPanelArea, texts[1], QColor(190, 190, 255));
  ASSERT_NE(songLine, nullptr);
  EXPECT_DOUBLE_EQ(songLine->y, 280 - 16);
  const auto* value = findPrint(v.aPanelArea, ": 192kbit/s", QColor(70, 250, 70));
  ASSERT_NE(value, nullptr);
  EXPECT_DOUBLE_EQ(value->x, 1000);
  EXPECT_EQ(value->fontName, "Arial");
  EXPECT_EQ(v.aPanelArea.fontName(), "ＭＳ Ｐゴシック");
}

TEST_F(SongInfoTest, SongTypeLinesByKind) {
  const QList<std::pair<QString, QString>> cases = {
      {"9301", "　エンディングテーマ＃ 1"}, {"400", "　挿入歌"},
      {"100", "　オープニングテーマ"},      {"200", "　テーマソング"},
      {"512", "　イメージソング・その他"},  {"9105", "　オープニングテーマ＃ 5"}};
  for (const auto& [kind, expected] : cases) {
    setSong(kind);
    showSongDetail(s, v.aPanelArea);
    EXPECT_EQ(colouredTexts(v.aPanelArea).value(1), expected) << kind.toStdString();
  }
  setSong("700");
  showSongDetail(s, v.aPanelArea);
  EXPECT_EQ(colouredTexts(v.aPanelArea).value(1), "　2024年作品");
}

TEST_F(SongInfoTest, ProgrammeLabelOnlyForAnimation) {
  setSong("100");
  s.songGenre = "254";
  showSongDetail(s, v.aPanelArea);
  EXPECT_EQ(colouredTexts(v.aPanelArea).value(0), " 『 星空物語 』 より");
  s.songGenre = "255";
  for (const auto& [kind, label] : QList<std::pair<QString, QString>>{
           {"2", "OVA"}, {"3", "映画"}, {"4", "TV特番"}, {"7", ""}}) {
    s.songAnimeKind = kind;
    showSongDetail(s, v.aPanelArea);
    EXPECT_EQ(colouredTexts(v.aPanelArea).value(0), label + " 『 星空物語 』 より");
  }
}

TEST_F(SongInfoTest, FileDataForUnknownSongVbrWmaAndOtherFormats) {
  s.entry(1).stream->bitrate = 0;
  s.entry(1).stream->version = 3;
  s.entry(1).stream->layer = 2;
  s.entry(1).stream->mode = 3;
  showSongDetail(s, v.aPanelArea);
  EXPECT_EQ(colouredTexts(v.aPanelArea),
            QStringList({"  Data Format ", ": MPEG-2.5 Audio Layer 2", "  Mode", ": Mono",
                         "  Bit Rate", ": VBR", "  File Size", ": 4,194,304 Bytes"}));
  // Without a database song there is no empty line first.
  EXPECT_DOUBLE_EQ(v.aPanelArea.prints()[0].y, 0);
  s.entry(1).extension = "wma";
  s.entry(1).stream->bitrate = 64;
  s.entry(1).stream->fileSize = 999;
  showSongDetail(s, v.aPanelArea);
  EXPECT_EQ(colouredTexts(v.aPanelArea),
            QStringList({"  Data Format", ": Windows Media Audio", "  Bit Rate", ": 64kbit/s",
                         "  File Size", ": 999 Bytes"}));
  // Each value ends its line; the next label then stands 20 twips higher than a full line.
  const auto& prints = v.aPanelArea.prints();
  v.aPanelArea.setFontName("Arial");
  v.aPanelArea.setFontSize(7);
  EXPECT_DOUBLE_EQ(prints[2].y, prints[0].y + v.aPanelArea.textHeight() - 20);
  // The other formats: codec, rate, depth of lossless streams, channels; the bit rate of lossy.
  s.entry(1).extension = "lac";
  s.entry(1).stream = StreamRecord{};
  s.entry(1).stream->fileSize = 1234;
  s.entry(1).stream->codec = "FLAC";
  s.entry(1).stream->sampleRate = 96000;
  s.entry(1).stream->bits = 24;
  s.entry(1).stream->channels = 2;
  showSongDetail(s, v.aPanelArea);
  EXPECT_EQ(colouredTexts(v.aPanelArea), QStringList({"  Data Format ", ": FLAC 96kHz 24bit Stereo",
                                                      "  File Size", ": 1,234 Bytes"}));
  s.entry(1).extension = "pus";
  s.entry(1).stream->codec = "AAC";
  s.entry(1).stream->sampleRate = 44100;
  s.entry(1).stream->bits = 0;
  s.entry(1).stream->channels = 1;
  s.entry(1).stream->bitrate = 256;
  setSong("100");
  showSongDetail(s, v.aPanelArea);
  EXPECT_EQ(colouredTexts(v.aPanelArea).mid(3),
            QStringList({"  Data Format ", ": AAC 44.1kHz Mono", "  Bit Rate", ": 256kbit/s",
                         "  File Size", ": 1,234 Bytes"}));
}

TEST_F(SongInfoTest, PlayListUpperCaseMp3IsStillMpeg) {
  s.entry(1).extension = "MP3";
  showSongDetail(s, v.aPanelArea);
  EXPECT_EQ(colouredTexts(v.aPanelArea).value(1), ": MPEG-1 Audio Layer 3");
}

TEST_F(SongInfoTest, LyricsShowingLeaveNoFileData) {
  setSong("100");
  s.hasLyrics = s.playState = s.lyricShow = 1;
  showSongDetail(s, v.aPanelArea);
  EXPECT_EQ(colouredTexts(v.aPanelArea).size(), 3);
  s.lyricShow = 0;
  showSongDetail(s, v.aPanelArea);
  EXPECT_EQ(colouredTexts(v.aPanelArea).size(), 11);
}

TEST_F(SongInfoTest, TrackTitleFromDatabaseTagOrFileName) {
  setSong("100");
  s.songArtist.clear();
  showTrackTitle(s, v.mPanelArea);
  EXPECT_EQ(colouredTexts(v.mPanelArea), QStringList({"♪星空のオーバーチュア"}));
  // The database's empty artist still prints its (empty) line: shadow, text, line end.
  EXPECT_EQ(v.mPanelArea.prints().size(), 6);
  EXPECT_EQ(s.titleText, "星空のオーバーチュア");

  s.songTitle.clear();
  s.entry(1).tag->title = std::string("  Tag title\0junk", 16);
  s.entry(1).tag->artist = "  Someone  ";
  showTrackTitle(s, v.mPanelArea);
  // Each title is drawn over the last, whose record goes with it.
  EXPECT_EQ(colouredTexts(v.mPanelArea), QStringList({"♪Tag title", "Someone"}));
  EXPECT_EQ(s.titleText, "Tag title");

  s.entry(1).tag->title = "   ";
  s.entry(1).tag->artist = " ";
  showTrackTitle(s, v.mPanelArea);
  EXPECT_EQ(colouredTexts(v.mPanelArea), QStringList({"♪01.mp3"}));
  EXPECT_EQ(s.titleText, "01.mp3");
}

TEST_F(SongInfoTest, BarTitleLongAndShort) {
  setSong("100");
  showBarTitle(s, v.mpanel2Area, 12001);
  EXPECT_EQ(colouredTexts(v.mpanel2Area).value(0),
            "TV 『 星空物語 』 より　♪星空のオーバーチュア　/　水無月しずく");
  v.mpanel2Area.cls();
  showBarTitle(s, v.mpanel2Area, 12000);
  EXPECT_EQ(colouredTexts(v.mpanel2Area), QStringList({"♪星空のオーバーチュア　/　水無月しずく"}));
  const auto* title =
      findPrint(v.mpanel2Area, colouredTexts(v.mpanel2Area)[0], QColor(100, 240, 240));
  ASSERT_NE(title, nullptr);
  EXPECT_DOUBLE_EQ(title->x, 80 - 16);
  EXPECT_DOUBLE_EQ(title->y, 120 - 16);
  EXPECT_EQ(title->fontSize, 9);

  // A song the database does not know: the tag's title and artist share the one line, on a wide
  // screen too; without a tag artist the title stands alone.
  s.songTitle.clear();
  s.entry(1).tag->title = "Tag title";
  s.entry(1).tag->artist = " Someone ";
  for (int width : {12000, 12001}) {
    showBarTitle(s, v.mpanel2Area, width);
    EXPECT_EQ(colouredTexts(v.mpanel2Area), QStringList({"♪Tag title　/　Someone"})) << width;
    EXPECT_EQ(s.titleText, "Tag title");
  }
  s.entry(1).tag->artist = "";
  showBarTitle(s, v.mpanel2Area, 12000);
  EXPECT_EQ(colouredTexts(v.mpanel2Area), QStringList({"♪Tag title"}));
}

QStringList listRows(State& s, FakeEngine& d, FakeView& v, int pos, int count) {
  s = State();
  makeList(s, d, count);
  s.listPos = pos;
  v.mPanelArea.cls();
  showListView(s, d, v.mPanelArea);
  return colouredTexts(v.mPanelArea);
}

TEST_F(SongInfoTest, ListViewRows) {
  EXPECT_EQ(listRows(s, d, v, 3, 3), QStringList({"Song 1", "Song 2", "Song 3"}));
  EXPECT_EQ(listRows(s, d, v, 2, 10),
            QStringList({"Song 1", "Song 2", "Song 3", "Song 4", "Song 5", "Song 6"}));
  EXPECT_EQ(listRows(s, d, v, 9, 10), QStringList({"Song 8", "Song 9", "Song 10"}));
  EXPECT_EQ(listRows(s, d, v, 4, 4), QStringList({"Song 3", "Song 4"}));
  EXPECT_NE(findPrint(v.mPanelArea, "Song 3", QColor(0, 0, 0)), nullptr);
  EXPECT_TRUE(listRows(s, d, v, 0, 0).isEmpty());
}

TEST_F(SongInfoTest, ListViewReadsTagsOnceAndMarksCurrentRow) {
  d.fileInfoReads = 0;
  listRows(s, d, v, 2, 3);
  EXPECT_EQ(d.fileInfoReads, 3);
  showListView(s, d, v.mPanelArea);
  EXPECT_EQ(d.fileInfoReads, 3);
  const auto* current = findPrint(v.mPanelArea, "Song 2", QColor(0, 250, 250));
  ASSERT_NE(current, nullptr);
  EXPECT_DOUBLE_EQ(current->x, 30 - 32);
  EXPECT_NE(findPrint(v.mPanelArea, "Song 1", QColor(0, 128, 128)), nullptr);
  s.entry(3).tag->title = "  ";
  showListView(s, d, v.mPanelArea);
  EXPECT_EQ(colouredTexts(v.mPanelArea).value(2), "03.mp3");
}

TEST_F(SongInfoTest, IdlePanelAndTimeBar) {
  showIdlePanel(v.mPanelArea, "1.14");
  ASSERT_EQ(v.mPanelArea.prints().size(), 1);
  const auto& print = v.mPanelArea.prints()[0];
  EXPECT_EQ(print.text, "Ver.1.14");
  EXPECT_EQ(print.fontName, "Arial");
  EXPECT_TRUE(print.bold);
  EXPECT_EQ(print.color, QColor(0, 255, 255));
  EXPECT_DOUBLE_EQ(print.x, 2700);

  v.mPanelArea.filledBox(100, 820, 2600, 920, Qt::red);
  v.mPanelArea.setForeColor(QColor(0, 168, 168));
  clearTimeBar(v.mPanelArea);
  const QImage& image = v.mPanelArea.image();
  EXPECT_EQ(image.pixelColor(50, 58), v.mPanelArea.backColor());
  EXPECT_EQ(image.pixelColor(100, 54), QColor(0, 168, 168));
  EXPECT_EQ(image.pixelColor(6, 58), QColor(0, 168, 168));
}

}  // namespace
}  // namespace sorv::test
