#include "bar/LyricsWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <cmath>
#include <limits>

#include "core/Fonts.h"

namespace sorv {

namespace {

// The window measures itself in points: 20 twips each, 15 twips to a pixel.
constexpr double kPointsPerPixel = 15.0 / 20.0;
constexpr double kLineLeftPoints = 10;
constexpr int kNextAdjustMs = 1000;

// Slot 5 (two lines back) at the top down to slot 1 (two lines ahead); the current line in the
// middle stands out.
const QColor kLineColours[5] = {QColor(0, 192, 192), QColor(0, 192, 192), QColor(255, 255, 0),
                                QColor(0, 255, 255), QColor(0, 255, 255)};

// A slot's text ends at its first NUL character, or runs the whole field when it has none.
QString slotText(const std::string& slot) {
  return QString::fromStdString(slot.substr(0, slot.find('\0')));
}

// Rounded half to even, held in 16 bits.
int toInt16(double value) {
  const double rounded = std::nearbyint(value);
  return static_cast<int>(std::clamp<double>(rounded, std::numeric_limits<int16_t>::min(),
                                             std::numeric_limits<int16_t>::max()));
}

}  // namespace

LyricsWindow::LyricsWindow(State& s, AudioEngine& d, QWidget* parent)
    : QWidget(parent, Qt::Window), s_(s), d_(d) {
  setWindowTitle(QStringLiteral("歌詞表示"));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  setPalette(palette);
  setAutoFillBackground(true);
  resize(480, 200);
  for (int i = 0; i < 5; ++i) {
    lyric1_[i] = new QLabel(this);
    lyric1_[i]->setObjectName(QStringLiteral("Lyric1_%1").arg(i));
    lyric1_[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lyric1_[i]->setWordWrap(true);
    lyric1_[i]->setFont(QFont(QString::fromUtf8(kGothic), 9));
    QPalette line = lyric1_[i]->palette();
    line.setColor(QPalette::WindowText, kLineColours[i]);
    lyric1_[i]->setPalette(line);
  }
}

void LyricsWindow::load() {
  if (loaded_) return;
  loaded_ = true;
  for (QLabel* label : lyric1_) label->clear();
  if (s_.hasLyrics == 1 && s_.playState == 1) {
    LyricsRecord record;
    d_.lyrics(record);
    for (int i = 0; i < 5; ++i) lyric1_[i]->setText(slotText(record.slot[4 - i]));
  }
  layoutLines();
}

void LyricsWindow::unload() {
  if (!loaded_) return;
  s_.lyricShow = 0;
  loaded_ = false;
  hide();
}

void LyricsWindow::open() {
  load();
  show();
  raise();
}

void LyricsWindow::setLines(const std::array<QString, 5>& lines) {
  load();
  for (int i = 0; i < 5; ++i) lyric1_[i]->setText(lines[i]);
}

std::array<QString, 5> LyricsWindow::lines() const {
  std::array<QString, 5> lines;
  for (int i = 0; i < 5; ++i) lines[i] = lyric1_[i]->text();
  return lines;
}

double LyricsWindow::lineFontSize() const {
  return lyric1_[0]->font().pointSizeF();
}

// Each line takes a fifth of the height; the font follows the smaller side, but a window too
// small for a readable font keeps the size it had.
void LyricsWindow::layoutLines() {
  const double w = width() * kPointsPerPixel;
  const double h = height() * kPointsPerPixel;
  const int m = toInt16(std::min(w, h));
  for (int i = 0; i < 5; ++i) {
    const double lineHeight = h / 5;
    lyric1_[i]->setGeometry(qRound(kLineLeftPoints / kPointsPerPixel),
                            qRound(i * lineHeight / kPointsPerPixel), qRound(w / kPointsPerPixel),
                            qRound(lineHeight / kPointsPerPixel));
    if (m / 10.0 > 2) {
      QFont font = lyric1_[i]->font();
      font.setPointSizeF(m / 10.0);
      lyric1_[i]->setFont(font);
    }
  }
}

void LyricsWindow::resizeEvent(QResizeEvent* event) {
  layoutLines();
  QWidget::resizeEvent(event);
}

// Lines shown a little early suit a window read from a distance; the main panel's rows follow
// the heard position, so the lead lasts only while this window is on screen.
void LyricsWindow::showEvent(QShowEvent* event) {
  d_.setLyricsLead(kNextAdjustMs);
  QWidget::showEvent(event);
}

void LyricsWindow::hideEvent(QHideEvent* event) {
  d_.setLyricsLead(0);
  QWidget::hideEvent(event);
}

void LyricsWindow::closeEvent(QCloseEvent* event) {
  unload();
  event->accept();
}

}  // namespace sorv
