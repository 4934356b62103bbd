#include "panel/sound/ScopeDrawing.h"
#include "tests/sound/SoundFixture.h"

namespace sorv::test {
namespace {

class ScopeTest : public SoundFixture {
 protected:
  ScopeTest() {
    s.playState = 1;
    s.showScope = 1;
  }

  const QImage& spe() { return scope.spe()->area().image(); }
  const QImage& wave() { return scope.wPanel()->area().image(); }
  QRgb ink() { return scope.ink().rgb(); }
  QRgb lit(int x, int y) { return scope.spectrumPicture().pixel(x, y); }

  // Pixels of one spectrum row that show the lit picture, as [first, last] or {-1, -1}.
  std::pair<int, int> litSpan(int row) {
    int first = -1, last = -1;
    for (int x = 0; x < kSpectrumWidth; ++x) {
      if (spe().pixel(x, row) == ink()) continue;
      EXPECT_EQ(spe().pixel(x, row), lit(x, row)) << "x " << x << " row " << row;
      if (first < 0) first = x;
      last = x;
    }
    return {first, last};
  }

  int pixelsNot(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != colour;
    }
    return count;
  }
};

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(roundHalfEven(5, 2), 2);
  EXPECT_EQ(roundHalfEven(7, 2), 4);
  EXPECT_EQ(roundHalfEven(-5, 2), -2);
  EXPECT_EQ(roundHalfEven(-7, 2), -4);
  EXPECT_EQ(roundHalfEven(2001, 800), 3);
  EXPECT_EQ(roundHalfEven(-1201, 800), -2);
}

TEST_F(ScopeTest, AreasStandAtThePanelPlaces) {
  EXPECT_EQ(scope.spe()->geometry(), QRect(269, 205, 100, 64));
  EXPECT_EQ(scope.wPanel()->geometry(), QRect(269, 271, 100, 50));
  EXPECT_EQ(pixelsNot(spe(), ink()), 0) << "starts painted over";
}

TEST_F(ScopeTest, LeftGrowsLeftwardsAndRightRightwardsFromTheCentre) {
  d.spectrumLeft.fill(0);
  d.spectrumRight.fill(0);
  for (int i = 0; i < 4; ++i) d.spectrumLeft[i] = 100;      // 400 * 80 / 800 = 40
  for (int i = 252; i < 256; ++i) d.spectrumRight[i] = 25;  // 100 * 80 / 800 = 10
  scope.scopeTick();
  EXPECT_EQ(litSpan(63), std::make_pair(10, 49));
  EXPECT_EQ(litSpan(0), std::make_pair(50, 59));
  EXPECT_EQ(litSpan(30), std::make_pair(-1, -1));
  EXPECT_EQ(s.scopeDirty, 1);
}

TEST_F(ScopeTest, BarLengthsRoundHalvesToEven) {
  s.volLevel = {100, 100};
  d.spectrumLeft.fill(0);
  d.spectrumRight.fill(0);
  d.spectrumLeft[0] = 20;   // 2.5 -> 2
  d.spectrumLeft[4] = 28;   // 3.5 -> 4
  d.spectrumLeft[8] = -50;  // negative -> 0
  d.spectrumRight[8] = 4;   // 0.5 -> 0: the whole row is unlit
  scope.scopeTick();
  EXPECT_EQ(litSpan(63), std::make_pair(48, 49));
  EXPECT_EQ(litSpan(62), std::make_pair(46, 49));
  EXPECT_EQ(litSpan(61), std::make_pair(-1, -1));
}

TEST_F(ScopeTest, FullBarsLightTheWholeRow) {
  d.spectrumLeft.fill(100);
  d.spectrumRight.fill(100);
  s.volLevel = {100, 100};
  scope.scopeTick();
  EXPECT_EQ(litSpan(20), std::make_pair(0, 99));
}

TEST_F(ScopeTest, SideWithVolumeZeroStaysDark) {
  d.spectrumLeft.fill(60);
  d.spectrumRight.fill(60);
  s.volLevel = {0, 80};
  scope.scopeTick();
  for (int row = 0; row < kSpectrumHeight; ++row) {
    EXPECT_EQ(litSpan(row), std::make_pair(50, 73)) << row;  // 240 * 80 / 800 = 24
  }
}

TEST_F(ScopeTest, SilencePaintsEveryRowOver) {
  d.spectrumLeft.fill(80);
  d.spectrumRight.fill(80);
  scope.scopeTick();
  ASSERT_GT(pixelsNot(spe(), ink()), 0);
  d.spectrumLeft.fill(0);
  d.spectrumRight.fill(0);
  scope.scopeTick();
  EXPECT_EQ(pixelsNot(spe(), ink()), 0);
  EXPECT_EQ(s.scopeDirty, 1);
}

// A picture that would come out the same is not drawn nor sent to the screen again; a new
// volume, new values or an area blanked in between draw it anew.
TEST_F(ScopeTest, AnUnchangedPictureIsSentOnce) {
  int spectrumSent = 0, waveSent = 0;
  QObject::connect(&scope.spe()->area(), &PictureArea::changed, [&] { ++spectrumSent; });
  QObject::connect(&scope.wPanel()->area(), &PictureArea::changed, [&] { ++waveSent; });
  d.spectrumLeft.fill(40);
  d.waveLeft.fill(20);
  scope.scopeTick();
  scope.scopeTick();
  EXPECT_EQ(spectrumSent, 1);
  EXPECT_EQ(waveSent, 1);
  s.volLevel[0] = 50;
  scope.scopeTick();
  d.waveLeft[3] = -20;
  scope.scopeTick();
  EXPECT_EQ(spectrumSent, 2);
  EXPECT_EQ(waveSent, 3);
  s.playState = 0;
  scope.scopeTick();  // stopped: both areas blanked
  s.playState = 1;
  scope.scopeTick();
  EXPECT_GT(pixelsNot(spe(), ink()), 0) << "the same values after a blank were not drawn again";
  EXPECT_GT(pixelsNot(wave(), scope.wPanel()->area().backColor().rgb()), 1);
}

TEST_F(ScopeTest, TraceHeightAndColourFollowTheSamples) {
  d.waveLeft.fill(0);
  d.waveRight.fill(0);
  d.waveLeft[5] = 50;       // (50 * 80) / 800 + 25 = 30, x = 5 / 2.5 = 2
  d.waveRight[200] = -100;  // -8000 / 800 + 25 = 15, x = 80
  scope.scopeTick();
  EXPECT_EQ(wave().pixel(2, 30), qRgb(60, 0, 90));
  EXPECT_EQ(wave().pixel(80, 15), qRgb(105, 0, 45));
  EXPECT_EQ(wave().pixel(50, 25), qRgb(75, 0, 75));
  const QRgb back = scope.wPanel()->area().backColor().rgb();
  EXPECT_EQ(wave().pixel(50, 24), back);
  // Samples 250-255 land right of the area (x 100-102) and are left out.
  EXPECT_EQ(wave().pixel(99, 25), qRgb(75, 0, 75));
}

TEST_F(ScopeTest, TraceWithOneSideMutedShowsOnlyTheOther) {
  d.waveLeft.fill(0);
  d.waveRight.fill(100);
  s.volLevel = {80, 0};
  scope.scopeTick();
  const QRgb back = scope.wPanel()->area().backColor().rgb();
  for (int y = 0; y < kWaveHeight; ++y) {
    if (y == 25) continue;
    EXPECT_EQ(wave().pixel(40, y), back) << y;
  }
}

TEST_F(ScopeTest, ScopeOffBlanksOnceThenLeavesTheAreasAlone) {
  d.spectrumLeft.fill(80);
  d.waveLeft.fill(40);
  scope.scopeTick();
  s.showScope = 0;
  scope.scopeTick();
  EXPECT_EQ(pixelsNot(spe(), ink()), 0);
  EXPECT_EQ(pixelsNot(wave(), scope.wPanel()->area().backColor().rgb()), 0);
  EXPECT_EQ(s.scopeDirty, 0);
  scope.spe()->area().image().setPixel(5, 5, qRgb(1, 2, 3));
  scope.scopeTick();
  EXPECT_EQ(spe().pixel(5, 5), qRgb(1, 2, 3));
}

// On a screen of twice the scale both areas are drawn again, on twice the pixels: each lamp of
// the spectrum four device pixels, the trace one device pixel per sample pair.
TEST_F(ScopeTest, AtRatioTwoTheSameValuesAreDrawnOnTwiceThePixels) {
  for (int i = 0; i < 256; ++i) {
    d.spectrumLeft[i] = i % 7 * 9;
    d.spectrumRight[i] = (255 - i) % 5 * 11;
    d.waveLeft[i] = i % 9 * 20 - 80;
  }
  scope.scopeTick();
  const QImage spectrum = spe(), trace = wave();
  scope.spe()->area().setDevicePixelRatio(2);
  scope.wPanel()->area().setDevicePixelRatio(2);
  scope.scopeTick();
  ASSERT_EQ(spe().size(), QSize(200, 128));
  const QImage& lit = scope.spectrumPicture();
  ASSERT_EQ(lit.size(), QSize(200, 128));
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool dark = spectrum.pixel(x / 2, y / 2) == ink();
      ASSERT_EQ(spe().pixel(x, y), dark ? ink() : lit.pixel(x, y)) << x << "," << y;
    }
  }
  const QRgb back = scope.wPanel()->area().backColor().rgb();
  ASSERT_EQ(wave().size(), QSize(200, 100));
  EXPECT_GT(pixelsNot(wave(), back), pixelsNot(trace, back));
  EXPECT_LE(pixelsNot(wave(), back), 250);
  // Sample 5: (-60 * 80) / 800 = -6 rows of 50, -12 of 100; x 5 / 2.5 * 2 = 4.
  EXPECT_EQ(wave().pixel(4, 50 - 12), trace.pixel(2, 25 - 6));
}

// The bar hides the scopes; the lyrics window beside it goes on, and the panel's rows are right
// when the panel comes back.
TEST_F(ScopeTest, WhileTheBarIsShownOnlyTheLyricsGoOn) {
  s.dispMode = DisplayMode::Bar;
  s.hasLyrics = 1;
  s.lyricShow = 1;
  d.spectrumLeft.fill(80);
  d.lyricsRecord.slot[2] = "line";
  scope.scopeTick();
  EXPECT_EQ(pixelsNot(spe(), ink()), 0);
  EXPECT_EQ(s.scopeDirty, 0);
  EXPECT_EQ(v.lyricLabelWrites, 1);
  EXPECT_EQ(v.lyricLabels[2], "line");
  EXPECT_EQ(s.lyricLines[2], "line");
  d.lyricsRecord.slot[2] = "next line";
  scope.scopeTick();
  EXPECT_EQ(v.lyricLabels[2], "next line");
  // Each row is printed twice, shadow and colour; the old row went with the area it was on.
  const auto printed = [&](const QString& text) {
    return std::count_if(v.aPanelArea.prints().begin(), v.aPanelArea.prints().end(),
                         [&](const PictureArea::PrintRecord& p) { return p.text == text; });
  };
  EXPECT_EQ(printed("next line"), 2);
  EXPECT_EQ(printed("line"), 0);
}

}  // namespace
}  // namespace sorv::test
