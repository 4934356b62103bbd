#include "panel/sound/ScopeDisplay.h"

#include <QPainter>

#include "panel/sound/LyricRows.h"
#include "panel/sound/PanelGeometry.h"
#include "panel/sound/ScopeDrawing.h"

namespace sorv {

namespace {

// Deep blue-black: far from every lit colour, so a blank analyser reads as off.
const QColor kSpectrumInk(8, 12, 36);
const QColor kWaveBack(6, 14, 10);

PictureWidget* makeArea(QWidget* parent, const QRect& place, QSize pixels) {
  auto* widget = new PictureWidget(pixels, parent);
  widget->setGeometry(QRect(place.topLeft(), pixels));
  // The drawing writes whole rows of the image, so the image keeps this size (times the ratio).
  widget->setFixedSize(pixels);
  widget->area().setScale(pixels.width(), pixels.height());
  return widget;
}

}  // namespace

ScopeDisplay::ScopeDisplay(State& s, AudioEngine& d, PlayerView& v, QWidget* parent)
    : QObject(parent), s_(s), d_(d), v_(v), picture_(sorv::spectrumPicture()) {
  spe_ = makeArea(parent, twipsRect(4035, 3075, 1500, 960), QSize(kSpectrumWidth, kSpectrumHeight));
  spe_->area().setPicture([this](QPainter& p) { p.drawImage(0, 0, picture_); });
  spe_->area().setForeColor(kSpectrumInk);
  spe_->area().setBackColor(kSpectrumInk);
  wpanel_ = makeArea(parent, twipsRect(4035, 4065, 1500, 750), QSize(kWaveWidth, kWaveHeight));
  wpanel_->area().setBackColor(kWaveBack);
  wpanel_->area().cls();
  clearSpectrum();
}

QColor ScopeDisplay::ink() const {
  return spe_->area().foreColor();
}

void ScopeDisplay::clearSpectrum() {
  PictureArea& area = spe_->area();
  area.filledBox(0, 0, kSpectrumWidth, kSpectrumHeight, area.foreColor());
  spectrumShown_.reset();
}

void ScopeDisplay::scopeTick() {
  // The bar hides the scopes, but the lyrics window may be open beside it.
  if (s_.dispMode != DisplayMode::Bar) drawScopes();
  if (s_.hasLyrics == 1 && s_.playState == 1) refreshLyricLines(s_, d_, v_, lyrics_);
}

void ScopeDisplay::drawScopes() {
  if (s_.playState == 1 && s_.showScope == 1) {
    drawSpectrum();
    drawWave();
  } else if (s_.scopeDirty == 1) {
    clearSpectrum();
    s_.scopeDirty = 0;
    wpanel_->area().cls();
    waveShown_.reset();
  }
}

// Silence and held notes give the same picture tick after tick: it is drawn and sent to the
// screen once.
bool ScopeDisplay::changes(std::optional<Shown>& shown, const Shown& now) {
  if (shown == now) return false;
  shown = now;
  return true;
}

void ScopeDisplay::drawSpectrum() {
  d_.spectrum(left_, right_);
  s_.scopeDirty = 1;
  PictureArea& area = spe_->area();
  const QSize pixels = area.image().size();
  if (!changes(spectrumShown_, {left_, right_, s_.volLevel[0], s_.volLevel[1], pixels})) return;
  if (picture_.size() != pixels) {
    picture_ = sorv::spectrumPicture(pixels);
    picture_.setDevicePixelRatio(area.devicePixelRatio());
  }
  drawSpectrumRows(area.image(), picture_, area.foreColor().rgb(), left_, right_, s_.volLevel[0],
                   s_.volLevel[1]);
  area.touch();
}

void ScopeDisplay::drawWave() {
  d_.wave(left_, right_);
  PictureArea& area = wpanel_->area();
  const QSize pixels = area.image().size();
  if (!changes(waveShown_, {left_, right_, s_.volLevel[0], s_.volLevel[1], pixels})) return;
  drawWaveTrace(area.image(), area.backColor().rgb(), left_, right_, s_.volLevel[0],
                s_.volLevel[1]);
  area.touch();
}

}  // namespace sorv
