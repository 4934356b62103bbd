#include "playback/SongInfo.h"

#include <QGuiApplication>
#include <QScreen>

#include "core/Fonts.h"
#include "playback/SongText.h"

namespace sorv {

namespace {

constexpr int kTwipsPerPixel = 15;
// Wider screens get the programme and the artist on the bar.
constexpr int kLongBarTwips = 12000;
const QColor kTitleColor{100, 240, 240};
const QColor kArtistColor{80, 250, 80};

void fillNavy(PictureArea& area) {
  area.filledBox(0, 0, area.scaleWidth(), area.scaleHeight(), kNavy);
  area.setFontName(QString::fromUtf8(kGothic));
}

void printTitle(PictureArea& area, const QString& line, int x, int y) {
  shadowPrint(area, line, kTitleColor.red(), kTitleColor.green(), kTitleColor.blue(), x, y, 2);
}

void printArtist(PictureArea& area, const QString& artist) {
  shadowPrint(area, artist, kArtistColor.red(), kArtistColor.green(), kArtistColor.blue(), 270, 420,
              1);
}

// The title from the tag (or the file name) and the tag's artist when there is one.
void showFallbackTitle(State& s, PictureArea& area, int titleX, int titleY) {
  s.titleText = fallbackTitle(s);
  printTitle(area, QStringLiteral("♪") + s.titleText, titleX, titleY);
  area.setFontSize(8);
  const QString artist = fallbackArtist(s);
  if (!artist.isEmpty()) printArtist(area, artist);
}

// The database's line when it knows the song (true), else the tag's or the file's (false).
bool showTitleLine(State& s, PictureArea& area, const QString& databaseLine, int x, int y) {
  fillNavy(area);
  area.setFontBold(false);
  area.setFontSize(9);
  if (s.songTitle.isEmpty()) {
    showFallbackTitle(s, area, x, y);
    return false;
  }
  printTitle(area, databaseLine, x, y);
  s.titleText = s.songTitle;
  return true;
}

QString barText(const State& s, int screenWidthTwips) {
  const QString song = QStringLiteral("♪") + s.songTitle + QStringLiteral("　/　") + s.songArtist;
  if (screenWidthTwips <= kLongBarTwips) return song;
  return programmeLabel(s) + QStringLiteral(" 『 ") + s.songProgram + QStringLiteral(" 』 より　") +
         song;
}

}  // namespace

void shadowPrint(PictureArea& area, const QString& text, int red, int green, int blue, int x, int y,
                 int offset) {
  area.setCurrentX(x + 8 * offset);
  area.setCurrentY(y + 8 * offset);
  area.setForeColor(QColor(0, 0, 0));
  area.print(text);
  area.setCurrentX(x - 8 * offset);
  area.setCurrentY(y - 8 * offset);
  area.setForeColor(QColor(red, green, blue));
  area.print(text);
  area.setCurrentX(x);
  area.setCurrentY(y);
  area.print(QString());
}

void showTrackTitle(State& s, PictureArea& area) {
  if (showTitleLine(s, area, QStringLiteral("♪") + s.songTitle, 40, 80)) {
    area.setFontSize(8);
    printArtist(area, s.songArtist);
  }
}

void showBarTitle(State& s, PictureArea& area, int screenWidthTwips) {
  showTitleLine(s, area, barText(s, screenWidthTwips), 80, 120);
}

void showIdlePanel(PictureArea& area, const QString& version) {
  area.cls();
  area.setForeColor(QColor(0, 255, 255));
  area.setFontName(QString::fromUtf8(kArial));
  area.setFontSize(8);
  area.setFontBold(true);
  area.setCurrentX(2700);
  area.setCurrentY(230);
  area.print(QStringLiteral("Ver.") + version);
}

void clearTimeBar(PictureArea& mPanel) {
  mPanel.filledBox(100, 820, 2600, 920, mPanel.backColor());
  mPanel.box(100, 820, 2600, 920, mPanel.foreColor());
}

int screenWidthTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() * kTwipsPerPixel : 0;
}

}  // namespace sorv
