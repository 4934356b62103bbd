#include "panel/info/SongInfo.h"

#include <QGuiApplication>
#include <QScreen>

#include "core/Fonts.h"
#include "panel/info/SongText.h"

namespace sorv {

namespace {

constexpr int kTwipsPerPixel = 15;
// Wider screens get the programme and the artist on the bar.
constexpr int kLongBarTwips = 12000;
const QColor kTitleColor{100, 240, 240};
const QColor kArtistColor{80, 250, 80};

void FillNavy(PictureArea& area) {
  area.FilledBox(0, 0, area.scaleWidth(), area.scaleHeight(), kNavy);
  area.setFontName(QString::fromUtf8(kGothic));
}

void PrintTitle(PictureArea& area, const QString& line, int x, int y) {
  ShadowPrint(area, line, kTitleColor.red(), kTitleColor.green(), kTitleColor.blue(), x, y, 2);
}

void PrintArtist(PictureArea& area, const QString& artist) {
  ShadowPrint(area, artist, kArtistColor.red(), kArtistColor.green(), kArtistColor.blue(), 270, 420,
              1);
}

// The title from the tag (or the file name) and the tag's artist when there is one.
void ShowFallbackTitle(State& s, PictureArea& area, int titleX, int titleY) {
  s.TitleText = FallbackTitle(s);
  PrintTitle(area, QStringLiteral("♪") + s.TitleText, titleX, titleY);
  area.setFontSize(8);
  const QString artist = FallbackArtist(s);
  if (!artist.isEmpty()) PrintArtist(area, artist);
}

// The database's line when it knows the song (true), else the tag's or the file's (false).
bool ShowTitleLine(State& s, PictureArea& area, const QString& databaseLine, int x, int y) {
  FillNavy(area);
  area.setFontBold(false);
  area.setFontSize(9);
  if (s.SongTitle.isEmpty()) {
    ShowFallbackTitle(s, area, x, y);
    return false;
  }
  PrintTitle(area, databaseLine, x, y);
  s.TitleText = s.SongTitle;
  return true;
}

QString BarText(const State& s, int screenWidthTwips) {
  const QString song = QStringLiteral("♪") + s.SongTitle + QStringLiteral("　/　") + s.SongArtist;
  if (screenWidthTwips <= kLongBarTwips) return song;
  return ProgrammeLabel(s) + QStringLiteral(" 『 ") + s.SongProgram + QStringLiteral(" 』 より　") +
         song;
}

}  // namespace

void ShadowPrint(PictureArea& area, const QString& text, int red, int green, int blue, int x, int y,
                 int offset) {
  area.setCurrentX(x + 8 * offset);
  area.setCurrentY(y + 8 * offset);
  area.setForeColor(QColor(0, 0, 0));
  area.Print(text);
  area.setCurrentX(x - 8 * offset);
  area.setCurrentY(y - 8 * offset);
  area.setForeColor(QColor(red, green, blue));
  area.Print(text);
  area.setCurrentX(x);
  area.setCurrentY(y);
  area.Print(QString());
}

void ShowTrackTitle(State& s, PictureArea& area) {
  if (ShowTitleLine(s, area, QStringLiteral("♪") + s.SongTitle, 40, 80)) {
    area.setFontSize(8);
    PrintArtist(area, s.SongArtist);
  }
}

void ShowBarTitle(State& s, PictureArea& area, int screenWidthTwips) {
  ShowTitleLine(s, area, BarText(s, screenWidthTwips), 80, 120);
}

void ShowIdlePanel(PictureArea& area, const QString& version) {
  area.Cls();
  area.setForeColor(QColor(0, 255, 255));
  area.setFontName(QString::fromUtf8(kArial));
  area.setFontSize(8);
  area.setFontBold(true);
  area.setCurrentX(2700);
  area.setCurrentY(230);
  area.Print(QStringLiteral("Ver.") + version);
}

void ClearTimeBar(PictureArea& mPanel) {
  mPanel.FilledBox(100, 820, 2600, 920, mPanel.backColor());
  mPanel.Box(100, 820, 2600, 920, mPanel.foreColor());
}

int ScreenWidthTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() * kTwipsPerPixel : 0;
}

}  // namespace sorv
