#include "panel/sound/ScopeDisplay.h"

#include "panel/sound/LyricRows.h"
#include "panel/sound/PanelGeometry.h"
#include "panel/sound/ScopeDrawing.h"

namespace sorv {

namespace {

// Deep blue-black: far from every lit colour, so a blank analyser reads as off.
const QColor kSpectrumInk(8, 12, 36);
const QColor kWaveBack(6, 14, 10);

PictureWidget* MakeArea(QWidget* parent, const QRect& place, QSize pixels) {
  auto* widget = new PictureWidget(pixels, parent);
  widget->setGeometry(QRect(place.topLeft(), pixels));
  // The drawing writes whole rows of the image, so the image keeps exactly this size.
  widget->setFixedSize(pixels);
  widget->area().setScale(pixels.width(), pixels.height());
  return widget;
}

}  // namespace

ScopeDisplay::ScopeDisplay(State& s, Decoder& d, PlayerView& v, QWidget* parent)
    : QObject(parent), s_(s), d_(d), v_(v), picture_(sorv::SpectrumPicture()) {
  spe_ = MakeArea(parent, TwipsRect(4035, 3075, 1500, 960), QSize(kSpectrumWidth, kSpectrumHeight));
  spe_->area().setPicture(picture_);
  spe_->area().setForeColor(kSpectrumInk);
  spe_->area().setBackColor(kSpectrumInk);
  wpanel_ = MakeArea(parent, TwipsRect(4035, 4065, 1500, 750), QSize(kWaveWidth, kWaveHeight));
  wpanel_->area().setBackColor(kWaveBack);
  wpanel_->area().Cls();
  ClearSpectrum();
}

QColor ScopeDisplay::Ink() const {
  return spe_->area().foreColor();
}

void ScopeDisplay::ClearSpectrum() {
  PictureArea& area = spe_->area();
  area.FilledBox(0, 0, kSpectrumWidth, kSpectrumHeight, area.foreColor());
}

void ScopeDisplay::Timer3_Timer() {
  if (s_.DispMode == 2) return;
  if (s_.PlayState == 1 && s_.ShowScope == 1) {
    DrawSpectrum();
    DrawWave();
  } else if (s_.ScopeDirty == 1) {
    ClearSpectrum();
    s_.ScopeDirty = 0;
    wpanel_->area().Cls();
  }
  if (s_.HasLyrics == 1 && s_.PlayState == 1) RefreshLyricLines(s_, d_, v_, lyrics_);
}

void ScopeDisplay::DrawSpectrum() {
  d_.vbmp3_getSpectrum(left_, right_);
  PictureArea& area = spe_->area();
  DrawSpectrumRows(area.image(), picture_, area.foreColor().rgb(), left_, right_, s_.VolLevel[0],
                   s_.VolLevel[1]);
  s_.ScopeDirty = 1;
  area.touch();
}

void ScopeDisplay::DrawWave() {
  d_.vbmp3_getWave(left_, right_);
  PictureArea& area = wpanel_->area();
  DrawWaveTrace(area.image(), area.backColor().rgb(), left_, right_, s_.VolLevel[0],
                s_.VolLevel[1]);
  area.touch();
}

}  // namespace sorv
