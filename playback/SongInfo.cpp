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

void printTitle(PictureArea& area, const QString& line, int x, int y) {
  shadowPrint(area, line, kTitleColor.red(), kTitleColor.green(), kTitleColor.blue(), x, y, 2);
}

void printArtist(PictureArea& area, const QString& artist) {
  shadowPrint(area, artist, kArtistColor.red(), kArtistColor.green(), kArtistColor.blue(), 270, 420,
              1);
}

// Navy, in the title's font.
void startTitleArea(PictureArea& area) {
  area.filledBox(0, 0, area.scaleWidth(), area.scaleHeight(), kNavy);
  area.setFontName(QString::fromUtf8(kGothic));
  area.setFontBold(false);
  area.setFontSize(9);
}

// The title and artist: the database's when it knows the song, else the tag's (or the file
// name).
struct SongNames {
  QString title;
  QString artist;
  bool fromDatabase = false;
};

SongNames songNames(const State& s) {
  if (!s.songTitle.isEmpty()) return {s.songTitle, s.songArtist, true};
  return {fallbackTitle(s), fallbackArtist(s), false};
}

QString titleAndArtist(const SongNames& names) {
  QString line = QStringLiteral("♪") + names.title;
  // Only the database prints an artist it does not know.
  if (names.fromDatabase || !names.artist.isEmpty()) line += QStringLiteral("　/　") + names.artist;
  return line;
}

QString barText(const State& s, const SongNames& names, int screenWidthTwips) {
  const QString song = titleAndArtist(names);
  if (!names.fromDatabase || screenWidthTwips <= kLongBarTwips) return song;
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
  const SongNames names = songNames(s);
  startTitleArea(area);
  s.titleText = names.title;
  printTitle(area, QStringLiteral("♪") + names.title, 40, 80);
  area.setFontSize(8);
  // The database's empty artist still prints its (empty) line.
  if (names.fromDatabase || !names.artist.isEmpty()) printArtist(area, names.artist);
}

// The bar's strip has room for one line only, so the artist shares it with the title.
void showBarTitle(State& s, PictureArea& area, int screenWidthTwips) {
  const SongNames names = songNames(s);
  startTitleArea(area);
  s.titleText = names.title;
  printTitle(area, barText(s, names, screenWidthTwips), 80, 120);
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
